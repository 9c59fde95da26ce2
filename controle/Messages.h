#pragma once
// The check messages, as Windows-1252 lines. Each builder replaces the content of
// `message`, so one buffer serves a whole run.
#include <cstdint>
#include <string_view>

#include "Texte.h"

namespace controle {

// The fields a message quotes: field 3, field 7, and the name pair that the test concerns
// (the surname and the field after it, or the spouse's).
struct ChampsMessage {
    std::string_view Champ3, Champ7, Nom, NomSuivant;
};

void MessageDate(Texte& message, std::int64_t numero, const ChampsMessage& champs);
void MessageCaractere(Texte& message, std::int64_t numero, const ChampsMessage& champs,
                      std::int64_t position, int code, std::string_view extrait);
void MessageNom(Texte& message, std::int64_t numero, const ChampsMessage& champs);
void MessageEpouse(Texte& message, std::int64_t numero, const ChampsMessage& champs);
void LigneTotal(Texte& message, std::int64_t nombreProblemes);

// The 8 characters around position `position` (1-based) of `ligne`: from position - 4, or
// from the start when that falls below 1, cut short at the end of the line.
std::string_view Extrait(std::string_view ligne, std::int64_t position);

} // namespace controle
