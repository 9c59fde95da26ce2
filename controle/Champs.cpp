#include "Champs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "Balayage.h"

namespace controle {

std::string_view DecoupeChamps(std::string_view& reste) {
    // The first ";" or code 0, whichever comes first: a ";" after a code 0 is not seen.
    const char* debut = reste.data();
    const char* fin = debut + reste.size();
    const char* p = debut;
    while (p != fin && *p != ';' && *p != '\0')
        ++p;
    if (p == fin || *p == '\0')
        return {};
    const std::string_view champ(debut, static_cast<std::size_t>(p - debut));
    reste.remove_prefix(champ.size() + 1);
    return champ;
}

void DecoupeEnregistrement(std::string_view ligne, int nbChamps, std::string_view* champs,
                           int premiers) {
    if (ProcesseurAvecAvx2())
        DecoupeEnregistrementAvx2(ligne, nbChamps, champs, premiers);
    else
        DecoupeEnregistrementPortable(ligne, nbChamps, champs, premiers);
}

void DecoupeEnregistrementPortable(std::string_view ligne, int nbChamps, std::string_view* champs,
                                   int premiers) {
    const char* const texte = ligne.data();
    const std::size_t taille = ligne.size();
    const int separateurs = premiers < nbChamps ? premiers : nbChamps - 1;
    int k = 1;
    std::size_t reste = 0; // start of the remaining text
    for (std::size_t debut = 0; k <= separateurs && debut < taille; debut += 16) {
        for (unsigned bits = Masque16<false, ';', '\0'>(texte, debut, taille); bits != 0;
             bits &= bits - 1) {
            const std::size_t p = debut + static_cast<std::size_t>(std::countr_zero(bits));
            if (texte[p] == '\0')
                goto fin; // separators after a code 0 are not seen
            champs[k] = std::string_view(texte + reste, p - reste);
            reste = p + 1;
            if (++k > separateurs)
                goto fin;
        }
    }
fin:
    for (; k <= separateurs; ++k)
        champs[k] = {};
    if (premiers >= nbChamps)
        champs[nbChamps] = std::string_view(texte + reste, taille - reste);
}

#ifdef CONTROLE_AVX2
[[gnu::target("avx2,bmi,popcnt")]] void DecoupeEnregistrementAvx2(std::string_view ligne,
                                                                  int nbChamps,
                                                                  std::string_view* champs,
                                                                  int premiers) {
    const char* const texte = ligne.data();
    const std::size_t taille = ligne.size();
    if (taille < 32)
        return DecoupeEnregistrementPortable(ligne, nbChamps, champs, premiers);
    const int separateurs = premiers < nbChamps ? premiers : nbChamps - 1;
    // Places of the separators, 8 written at a time whatever a block holds, so that the
    // loop's branches do not depend on how many there are.
    std::uint32_t places[MaxChamps + 32];
    int trouves = 0;
    bool nul = false;
    for (std::size_t debut = 0; trouves < separateurs && !nul && debut < taille; debut += 32) {
        unsigned bits = Masque32<';'>(texte, debut, taille);
        if (const unsigned zeros = Masque32<'\0'>(texte, debut, taille); zeros != 0) {
            bits &= (zeros & -zeros) - 1; // separators after a code 0 are not seen
            nul = true;
        }
        std::uint32_t* sortie = places + trouves;
        trouves += std::popcount(bits);
        do {
            for (int i = 0; i < 8; ++i, bits &= bits - 1)
                *sortie++ = static_cast<std::uint32_t>(debut) + std::countr_zero(bits);
        } while (bits != 0);
    }
    const int decoupes = std::min(trouves, separateurs);
    std::size_t reste = 0; // start of the remaining text
    for (int k = 1; k <= decoupes; ++k) {
        champs[k] = std::string_view(texte + reste, places[k - 1] - reste);
        reste = places[k - 1] + 1;
    }
    for (int k = decoupes + 1; k <= separateurs; ++k)
        champs[k] = {};
    if (premiers >= nbChamps)
        champs[nbChamps] = std::string_view(texte + reste, taille - reste);
}
#else
void DecoupeEnregistrementAvx2(std::string_view ligne, int nbChamps, std::string_view* champs,
                               int premiers) {
    DecoupeEnregistrementPortable(ligne, nbChamps, champs, premiers);
}
#endif

const LigneTypeActe& TypeActe(std::string_view champ6) {
    static const std::array<LigneTypeActe, 4> table = {{
        {"N", "Naissances", 30, 11, 0, false},
        {"M", "Mariages", 60, 11, 29, true},
        {"D", "Décès", 38, 11, 0, false},
        {"", "Divers", 64, 13, 32, true},
    }};
    for (std::size_t i = 0; i + 1 < table.size(); ++i)
        if (champ6 == table[i].Lettre)
            return table[i];
    return table.back();
}

bool EstEntete(std::string_view premiereLigne) {
    return Position("Source", premiereLigne) != 0;
}

bool EstExport(std::string_view derniereLigne) {
    return Position("VELORANV3", derniereLigne) != 0;
}

Texte NomFichierCopie(std::string_view nomFichier) {
    const auto barre = nomFichier.find_last_of('/');
    const std::size_t debutNom = barre == std::string_view::npos ? 0 : barre + 1;
    std::size_t fin = nomFichier.size();
    // Steps back over 4 UTF-8 characters: continuation bytes belong to the one before.
    for (int caracteres = 0; caracteres < 4 && fin > debutNom; ++caracteres) {
        do
            --fin;
        while (fin > debutNom && (static_cast<unsigned char>(nomFichier[fin]) & 0xC0) == 0x80);
    }
    return Texte(nomFichier.substr(0, fin)) + "_chk.TXT";
}

} // namespace controle
