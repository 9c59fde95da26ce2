#include "Messages.h"

#include <charconv>

namespace controle {
namespace {

void AjoutePiece(Texte& message, std::string_view texte) {
    message += texte;
}

void AjoutePiece(Texte& message, std::int64_t nombre) {
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, nombre).ptr;
    message.append(chiffres, fin);
}

// The message made of its pieces, texts and numbers, with nothing between them.
template <class... Pieces> void Compose(Texte& message, const Pieces&... pieces) {
    message.clear();
    (AjoutePiece(message, pieces), ...);
}

} // namespace

void MessageDate(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    Compose(message, numero, " -> ", champs.Champ3, " : ", champs.Champ7);
}

void MessageCaractere(Texte& message, std::int64_t numero, const ChampsMessage& champs,
                      std::int64_t position, int code, std::string_view extrait) {
    Compose(message, numero, " -> ", champs.Champ3, " ", champs.Champ7, " ", champs.Nom, " ",
            champs.NomSuivant, " \xE0 la position ", position, " caract\xE8re de code ",
            std::int64_t{code}, " dans '", extrait, "'");
}

void MessageNom(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    Compose(message, numero, " -> ", champs.Champ3, " : ", champs.Champ7,
            " Nom trop court : ", champs.Nom, " ", champs.NomSuivant, " \xE0 corriger en NN");
}

void MessageEpouse(Texte& message, std::int64_t numero, const ChampsMessage& champs) {
    Compose(message, numero, " -> ", champs.Champ3, " ", champs.Champ7, " ", champs.Nom, " ",
            champs.NomSuivant, " \xE9pouse \xE0 corriger en NN");
}

void LigneTotal(Texte& message, std::int64_t nombreProblemes) {
    Compose(message, "Au total : ", nombreProblemes,
            " erreurs trouv\xE9"
            "es");
}

std::string_view Extrait(std::string_view ligne, std::int64_t position) {
    return Partie(ligne, position - 4 < 1 ? 1 : position - 4, 8);
}

} // namespace controle
