#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "Balayage.h"
#include "Champs.h"

using namespace controle;
using namespace std::string_literals;

TEST(DecoupeChamps, UnPas) {
    struct Cas {
        std::string texte, champ, reste;
    };
    const Cas cas[] = {
        {";x", "", "x"},       {"x;", "x", ""}, {"x", "", "x"},           {"", "", ""},
        {"a;b;c", "a", "b;c"}, {";", "", ""},   {"a\0;b"s, "", "a\0;b"s}, // the ";" after a code 0
                                                                          // is not seen
    };
    for (const auto& c : cas) {
        std::string_view reste = c.texte;
        EXPECT_EQ(DecoupeChamps(reste), c.champ) << c.texte;
        EXPECT_EQ(reste, c.reste) << c.texte;
    }
}

// Splitting a whole line as the actions do: `n` - 1 steps, then the rest as the last field.
std::vector<std::string> Decoupe(std::string_view ligne, int n) {
    std::vector<std::string> champs;
    for (int i = 1; i < n; ++i)
        champs.emplace_back(DecoupeChamps(ligne));
    champs.emplace_back(ligne);
    return champs;
}

TEST(DecoupeChamps, LigneEntière) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Decoupe("a;b", 4), (V{"a", "", "", "b"})) << "trop peu de séparateurs";
    EXPECT_EQ(Decoupe("a;b;c;d;e", 3), (V{"a", "b", "c;d;e"})) << "trop de séparateurs";
    EXPECT_EQ(Decoupe("a;b\0c;d"s, 4), (V{"a", "", "", "b\0c;d"s})) << "code 0";
    EXPECT_EQ(Decoupe("1;2;3", 7), (V{"1", "2", "", "", "", "", "3"}));
}

TEST(TypeActe, RechercheExacteDuChamp6) {
    struct Cas {
        std::string champ6;
        std::string nom;
        int nbChamps, indexNom, indexEpouse;
        bool avecEpouse;
    };
    const Cas cas[] = {
        {"N", "Naissances", 30, 11, 0, false}, {"M", "Mariages", 60, 11, 29, true},
        {"D", "Décès", 38, 11, 0, false},      {"", "Divers", 64, 13, 32, true},
        {"m", "Divers", 64, 13, 32, true},     {"M ", "Divers", 64, 13, 32, true},
        {" N", "Divers", 64, 13, 32, true},    {"NN", "Divers", 64, 13, 32, true},
        {"n", "Divers", 64, 13, 32, true},
    };
    for (const auto& c : cas) {
        const LigneTypeActe& t = TypeActe(c.champ6);
        EXPECT_EQ(t.Nom, c.nom) << '"' << c.champ6 << '"';
        EXPECT_EQ(t.NbChamps, c.nbChamps) << c.champ6;
        EXPECT_EQ(t.IndexNom, c.indexNom) << c.champ6;
        EXPECT_EQ(t.AvecEpouse, c.avecEpouse) << c.champ6;
        if (c.avecEpouse) {
            EXPECT_EQ(t.IndexEpouse, c.indexEpouse) << c.champ6;
        }
    }
}

TEST(Reconnaissance, EnteteEtMarqueurDExport) {
    EXPECT_TRUE(EstEntete("Nom;Source;Date"));
    EXPECT_TRUE(EstEntete("1;2;xSourcex"));
    EXPECT_FALSE(EstEntete("source;SOURCE"));
    EXPECT_FALSE(EstEntete("\0Source"s));
    EXPECT_TRUE(EstExport("1;2;VELORANV3;M"));
    EXPECT_TRUE(EstExport("xxVELORANV3yy"));
    EXPECT_FALSE(EstExport("veloranv3"));
    EXPECT_FALSE(EstExport(""));
}

TEST(NomFichierCopie, QuatreDerniersCaractèresSansEntrerDansLeDossier) {
    struct Cas {
        std::string nom, copie;
    };
    const Cas cas[] = {
        {"/d/releve.txt", "/d/releve_chk.TXT"},
        {"/d/releve", "/d/re_chk.TXT"},
        {"/d/releve.html", "/d/releve._chk.TXT"},
        {"/d/a.b", "/d/_chk.TXT"},
        {"/d/abcd", "/d/_chk.TXT"},
        {"/dossier/x", "/dossier/_chk.TXT"},
        {"rel.txt", "rel_chk.TXT"},
        {"/d/relevé.txt", "/d/relevé_chk.TXT"},
        {"/d/été", "/d/_chk.TXT"},
        {"/d/donnéeséé", "/d/donné_chk.TXT"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(NomFichierCopie(c.nom), c.copie) << c.nom;
}

// Records of up to 200 bytes with separators from sparse to every byte, so that a 16- or
// 32-byte block may hold any number, code 0 in half of them.
std::string LigneAuHasard(std::mt19937& hasard) {
    const char alphabet[] = {';', ';', ';', 'a', 'b', ' ', '\0', '\xe9'};
    std::string ligne(hasard() % 400, 'x');
    const unsigned densite = 1 + hasard() % 4;
    for (char& c : ligne)
        c = hasard() % densite == 0 ? alphabet[hasard() % sizeof alphabet] : 'x';
    if (hasard() % 2 == 0)
        std::erase(ligne, '\0');
    return ligne;
}

// The separators the plain way: each ";" up to the first code 0, the first `separateurs`.
std::vector<std::uint32_t> PlacesSelonLaRegle(std::string_view ligne, int separateurs) {
    std::vector<std::uint32_t> places;
    for (std::size_t i = 0; i < ligne.size() && ligne[i] != '\0'; ++i)
        if (ligne[i] == ';' && static_cast<int>(places.size()) < separateurs)
            places.push_back(static_cast<std::uint32_t>(i));
    return places;
}

// Each way the processor can take finds the separators of the plain rule, on both sides
// of each 16- or 32-byte block.
TEST(PlacesSeparateurs, CellesDeLaRègleQuelleQueSoitLaVoie) {
    using Voie = int (*)(std::string_view, int, std::uint32_t*);
    std::vector<std::pair<const char*, Voie>> voies = {{"portable", PlacesSeparateursPortable}};
    if (ProcesseurAvecAvx2())
        voies.emplace_back("AVX2", PlacesSeparateursAvx2);
    for (const auto& [nom, voie] : voies) {
        std::mt19937 hasard(20240226);
        for (int essai = 0; essai < 20000; ++essai) {
            const std::string ligne = LigneAuHasard(hasard);
            const int separateurs = static_cast<int>(hasard() % MaxChamps);
            std::uint32_t places[MaxPlaces];
            const int trouves = voie(ligne, separateurs, places);
            ASSERT_EQ(std::vector(places, places + trouves), PlacesSelonLaRegle(ligne, separateurs))
                << nom << ", " << separateurs << " séparateurs";
        }
    }
}

// The one-pass split must give exactly the fields of the step-by-step one, whatever the
// bytes, code 0 included.
TEST(DecoupeEnregistrement, MêmesChampsQueDecoupeChampsPasÀPas) {
    std::array<std::string_view, MaxChamps + 1> champs{};
    std::mt19937 hasard(20240227);
    for (int essai = 0; essai < 20000; ++essai) {
        const std::string ligne = LigneAuHasard(hasard);
        const int n = 1 + static_cast<int>(hasard() % MaxChamps);
        champs.fill("pas écrit");
        DecoupeEnregistrement(ligne, n, champs.data());
        const auto attendus = Decoupe(ligne, n);
        for (int k = 1; k <= n; ++k)
            ASSERT_EQ(champs[k], attendus[k - 1]) << "champ " << k << " de " << n;
        for (int k = n + 1; k <= MaxChamps; ++k)
            ASSERT_EQ(champs[k], "pas écrit") << "champ " << k << " de " << n;
    }
}

// Only the fields asked for are set, each as the step-by-step split gives it, the last
// field (the rest of the record) included.
TEST(ChampsVoulus, MêmesChampsQueDecoupeChampsPasÀPas) {
    std::array<std::string_view, MaxChamps + 1> champs{};
    std::mt19937 hasard(20240228);
    for (int essai = 0; essai < 20000; ++essai) {
        const std::string ligne = LigneAuHasard(hasard);
        const int n = 1 + static_cast<int>(hasard() % MaxChamps);
        std::vector<int> voulus;
        for (int k = 1; k <= n; ++k)
            if (hasard() % 6 == 0 || (k == n && voulus.empty()))
                voulus.push_back(k);
        champs.fill("pas écrit");
        ChampsVoulus(ligne, n, voulus, champs.data());
        const auto attendus = Decoupe(ligne, n);
        for (int k = 1; k <= MaxChamps; ++k) {
            const bool voulu = std::find(voulus.begin(), voulus.end(), k) != voulus.end();
            ASSERT_EQ(champs[k], voulu ? std::string_view(attendus[k - 1]) : "pas écrit")
                << "champ " << k << " de " << n;
        }
    }
}
