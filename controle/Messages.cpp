#include "Messages.h"

#include <charconv>

namespace controle {
namespace {

void AjouteNombre(Texte& message, std::int64_t nombre) {
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, nombre).ptr;
    message.append(chiffres, fin);
}

// Every message starts with the record number and field 3.
void Debut(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    message.clear();
    AjouteNombre(message, numero);
    message += " -> ";
    message += champs.Champ3;
}

} // namespace

void MessageDate(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    Debut(message, numero, champs);
    message += " : ";
    message += champs.Champ7;
}

void MessageCaractere(Texte& message, std::int64_t numero, const ChampsMessage& champs,
                      std::int64_t position, int code, std::string_view extrait) {
    Debut(message, numero, champs);
    message += ' ';
    message += champs.Champ7;
    message += ' ';
    message += champs.Nom;
    message += ' ';
    message += champs.NomSuivant;
    message += " \xE0 la position ";
    AjouteNombre(message, position);
    message += " caract\xE8re de code ";
    AjouteNombre(message, code);
    message += " dans '";
    message += extrait;
    message += '\'';
}

void MessageNom(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    Debut(message, numero, champs);
    message += " : ";
    message += champs.Champ7;
    message += " Nom trop court : ";
    message += champs.Nom;
    message += ' ';
    message += champs.NomSuivant;
    message += " \xE0 corriger en NN";
}

void MessageEpouse(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    Debut(message, numero, champs);
    message += ' ';
    message += champs.Champ7;
    message += ' ';
    message += champs.Nom;
    message += ' ';
    message += champs.NomSuivant;
    message += " \xE9pouse \xE0 corriger en NN";
}

void LigneTotal(Texte& message, std::int64_t nombreProblemes) {
    message = "Au total : ";
    AjouteNombre(message, nombreProblemes);
    message += " erreurs trouv\xE9"
               "es";
}

std::string_view Extrait(std::string_view ligne, std::int64_t position) {
    return Partie(ligne, position - 4 < 1 ? 1 : position - 4, 8);
}

} // namespace controle
