#pragma once
// The program's failures, named after the errors of the platform the program came from,
// since users and the messages they see know them by these texts.
#include <stdexcept>
#include <string>

namespace controle {

// Input/output failure of the text-file layer; `Code` is the code of the failure table.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int code);
    int Code() const noexcept { return code_; }

private:
    int code_;
};

// A text that the date conversion does not take: "'%s' n'est pas une date correcte".
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A property given a value it refuses (the progress bar's range).
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Failure to append a line to the results list.
class EErreurListe : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// French message of an input/output code ("Fichier introuvable", "Erreur E/S 32", ...).
std::string MessageES(int code);

// The message as the error box shows it: a "." is added when the message is not empty
// and its last byte comes after "." in the code table.
std::string TexteBoiteErreur(const std::string& message);

} // namespace controle
