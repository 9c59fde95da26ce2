#pragma once
// Linux errors turned into the input/output codes that the program's messages know.
#include <string>

namespace controle {

// Codes of the text-file layer itself.
inline constexpr int ES_FICHIER_INTROUVABLE = 2;
inline constexpr int ES_DOSSIER_INTROUVABLE = 3;
inline constexpr int ES_TROP_DE_FICHIERS = 4;
inline constexpr int ES_ACCES_REFUSE = 5;
inline constexpr int ES_ECRITURE_IMPOSSIBLE = 29;
inline constexpr int ES_LECTURE_IMPOSSIBLE = 30;
inline constexpr int ES_PANNE = 31;
inline constexpr int ES_PARTAGE = 32;
inline constexpr int ES_DISQUE_PLEIN = 112;
inline constexpr int ES_SANS_CHEMIN = 102;
inline constexpr int ES_NON_OUVERT = 103;
inline constexpr int ES_NON_OUVERT_EN_LECTURE = 104;
inline constexpr int ES_NON_OUVERT_EN_ECRITURE = 105;

enum class OperationES { Ouverture, Lecture, Ecriture, Fermeture };

// `chemin` lets a missing file (2) be told from a missing folder (3).
int CodeES(int erreur, OperationES operation, const std::string& chemin);

// Throws EInOutError with the code of `erreur` (an errno value).
[[noreturn]] void LeveErreurSysteme(int erreur, OperationES operation, const std::string& chemin);

} // namespace controle
