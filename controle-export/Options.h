#pragma once
// The command line of controle-export.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace controle_export {

enum class Format { Utf8, Brut, Json };

struct Options {
    Format Sortie = Format::Utf8;
    bool SansCopie = false;
    std::optional<std::string> FormatDate;
    std::optional<char> SeparateurDate;
    bool Aide = false;
    bool Version = false;
    std::vector<std::string> Fichiers;
};

// A command line that cannot be followed; the message is French, for the user.
class ErreurOptions : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Options LitOptions(int argc, char** argv);

// The text of --help.
const char* TexteAide();

} // namespace controle_export
