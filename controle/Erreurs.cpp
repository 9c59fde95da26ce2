#include "Erreurs.h"

namespace controle {

std::string MessageES(int code) {
    switch (code) {
    case 2:
        return "Fichier introuvable";
    case 3:
        return "Nom de fichier incorrect";
    case 4:
        return "Trop de fichiers ouverts";
    case 5:
        return "Accès au fichier refusé";
    case 100:
        return "Lecture au-delà de la fin de fichier";
    case 101:
        return "Disque plein";
    case 106:
        return "Saisie numérique incorrecte";
    default:
        return "Erreur E/S " + std::to_string(code);
    }
}

EInOutError::EInOutError(int code) : std::runtime_error(MessageES(code)), code_(code) {}

std::string TexteBoiteErreur(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

} // namespace controle
