#pragma once
// Records of an export: fields cut at ";", the act types, the header and export tests.
#include <cstdint>
#include <span>
#include <string_view>

#include "Texte.h"

namespace controle {

inline constexpr int MaxChamps = 64;

// Takes the next field off the front of `reste`: the text before the first ";" (looked for
// only before a code-0 byte), and leaves what follows it. Without a ";" the field is empty
// and `reste` is left unchanged.
std::string_view DecoupeChamps(std::string_view& reste);

// Splits a whole record into fields 1 to `nbChamps` (at most MaxChamps) in one pass:
// the same fields as `nbChamps` - 1 steps of DecoupeChamps with the rest as the last field.
// `champs[k]` is field k; the views point into `ligne`.
void DecoupeEnregistrement(std::string_view ligne, int nbChamps, std::string_view* champs);

// Only the fields `voulus` (increasing, from 1 to `nbChamps`) of the same split; the other
// entries of `champs` are left as they were. The separators are looked for up to the last
// one needed, but no view is made for the fields in between.
void ChampsVoulus(std::string_view ligne, int nbChamps, std::span<const int> voulus,
                  std::string_view* champs);

// Room for the places of the separators: the 32-byte way writes up to 31 past the last.
inline constexpr int MaxPlaces = MaxChamps + 32;

// The places of separators 1 to `separateurs` (the ";" before any code 0), in `places`;
// returns how many there are, at most `separateurs`. The two ways the splits go, each open
// to the tests: 16 bytes at a time on any x86-64, and 32 at a time, which they take where
// the processor has AVX2.
int PlacesSeparateursPortable(std::string_view ligne, int separateurs, std::uint32_t* places);
int PlacesSeparateursAvx2(std::string_view ligne, int separateurs, std::uint32_t* places);

struct LigneTypeActe {
    std::string_view Lettre; // field 6
    const char* Nom;         // name shown, UTF-8
    int NbChamps;
    int IndexNom;
    int IndexEpouse; // 0 where the act has no spouse
    bool AvecEpouse;
};

// The row of the act type for field 6, compared byte for byte; anything else is "Divers".
const LigneTypeActe& TypeActe(std::string_view champ6);

// A first line holding "Source" is the header line of an Ardivenne export.
bool EstEntete(std::string_view premiereLigne);
// A last line holding "VELORANV3" marks an export.
bool EstExport(std::string_view derniereLigne);

// Path of the header-free copy: the export's path less its last 4 characters, then
// "_chk.TXT". Characters, not bytes, and never into the folder part.
Texte NomFichierCopie(std::string_view nomFichier);

} // namespace controle
