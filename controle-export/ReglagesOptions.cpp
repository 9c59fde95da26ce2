#include "ReglagesOptions.h"

namespace controle_export {
namespace {

// The separator that a short date format writes: its first sign that is neither a field
// letter, nor a space, nor a quote ('/' in dd/MM/yyyy, '-' in yyyy-MM-dd).
std::optional<char> SeparateurDuFormat(const std::string& format) {
    for (const char c : format) {
        const bool lettre = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!lettre && c != ' ' && c != '\'' && c != '"')
            return c;
    }
    return std::nullopt;
}

} // namespace

controle::ReglagesDates ReglagesDesOptions(const Options& options) {
    controle::ReglagesDates reglages = controle::ReglagesCourants();
    if (options.FormatDate) {
        reglages.FormatDateCourt = *options.FormatDate;
        if (const std::optional<char> separateur = SeparateurDuFormat(*options.FormatDate))
            reglages.SeparateurDate = *separateur;
    }
    if (options.SeparateurDate)
        reglages.SeparateurDate = *options.SeparateurDate;
    return reglages;
}

} // namespace controle_export
