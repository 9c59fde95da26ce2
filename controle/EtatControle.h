#pragma once
// The check state: what the Open action prepares and the Process action spends.
// It lives as long as the program, outside any window.
#include <array>
#include <cstdint>

#include "Champs.h"
#include "FichierTexte.h"
#include "Texte.h"

namespace controle {

struct EtatControle {
    FichierTexte FichierEntree; // the export, open from the Open to the end of the Process
    FichierTexte FichierSortie; // the header-free copy
    std::int64_t NbLignes = 0;  // 64-bit: exports may exceed 2^31 lines
    int NbChamps = 0;
    std::int64_t NbErreurs = 0;
    int IndexNom = 0;
    int IndexEpouse = 0;
    std::array<Texte, MaxChamps + 1> Champ{}; // Champ[1] .. Champ[64]; Champ[0] unused
    Texte Ligne;
    Texte NomFichier;
    Texte NomFichierChk;
    bool AvecEntete = false;
    bool AvecEpouse = false;
    // Set when an Open action has prepared the export and no Process action has spent it.
    bool ExportPret = false;
    // Batch use: the Process action skips the header line without writing the copy.
    bool SansCopie = false;
};

// The one check state of the program.
EtatControle& EtatProgramme();

} // namespace controle
