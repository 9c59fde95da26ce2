#pragma once
// The check messages, as Windows-1252 lines, and the character rule behind the character
// messages. Each builder replaces the content of `message`, so one buffer serves a whole run.
#include <cstdint>
#include <string_view>

#include "Texte.h"

namespace controle {

// The 47 accepted characters outside codes 32 to 126, in their stored order (Windows-1252).
inline constexpr std::string_view CaracteresAcceptes =
    "\xE0\xE2\xE4\xE9\xE8\xEA\xEB\xEE\xEF\xF4\xF6\xF3\xF9\xFB\xFC\xFF"
    "\xC0\xC2\xC4\xC8\xCA\xCB\xC9\xCE\xCF\xD2\xD4\xD6\xD3\xD9\xDB\xDC\x9F"
    "\xE7\xC7\xBC\xBD\xBE\xAB\xBB\xA7\xB0\x86\xE6\xC6\x9C\x8C";

// True for a character to correct: control codes (0 aside), "^", "`", "|", 127, and codes
// above 127 that are not accepted.
bool CaractereACorriger(unsigned char code);
// Index of the first character to correct in `ligne` from `depuis` on, or npos.
std::size_t ProchainACorriger(std::string_view ligne, std::size_t depuis);

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
