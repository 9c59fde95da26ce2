#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <random>
#include <unistd.h>

#include "AppelsSysteme.h"
#include "ComptageLF.h"
#include "DossierTemporaire.h"
#include "Erreurs.h"
#include "FichierTexte.h"

using namespace controle;
using namespace std::string_literals;

namespace {

// Every line that the reading rules give for a file, until end of file.
std::vector<std::string> LignesDe(const std::string& chemin) {
    FichierTexte f;
    f.Assigne(chemin);
    f.OuvreLecture();
    std::vector<std::string> lignes;
    std::string ligne;
    while (!f.FinFichier()) {
        f.LitLigne(ligne);
        lignes.push_back(ligne);
    }
    f.Ferme();
    return lignes;
}

// The code of the EInOutError that `action` raises, with its message checked.
template <class Action> int CodeLeve(Action action) {
    try {
        action();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), MessageES(e.Code()));
        return e.Code();
    }
    ADD_FAILURE() << "aucune erreur levée";
    return 0;
}

using Lignes = std::vector<std::string>;

// What a counting loop leaves: the number of lines and the last one.
struct Compte {
    std::int64_t lignes = 0;
    std::string derniere;
    bool operator==(const Compte&) const = default;
};

std::ostream& operator<<(std::ostream& flux, const Compte& c) {
    return flux << c.lignes << " lignes, dernière de " << c.derniere.size() << " octets";
}

// The same lines read as views, each taken before the next read.
std::vector<std::string> VuesDe(const std::string& chemin) {
    FichierTexte f;
    f.Assigne(chemin);
    f.OuvreLecture();
    std::vector<std::string> lignes;
    std::string reserve;
    while (!f.FinFichier())
        lignes.emplace_back(f.LitLigneVue(reserve));
    f.Ferme();
    return lignes;
}

// The bytes a test's search stops on: controls but code 0, and ";".
std::size_t ArretEssai(std::string_view texte, std::size_t depuis) {
    for (std::size_t i = depuis; i < texte.size(); ++i)
        if ((texte[i] > 0 && texte[i] < 32) || texte[i] == ';')
            return i;
    return std::string_view::npos;
}

// The marks that go with that search.
void MarqueEssai(const char* octets, std::size_t taille, std::uint64_t* bits) {
    std::fill(bits, bits + (taille + 63) / 64, 0);
    for (std::size_t i = 0; i < taille; ++i)
        if (ArretEssai(std::string_view(octets + i, 1), 0) == 0)
            bits[i / 64] |= std::uint64_t{1} << (i % 64);
}

// The same lines read with the search, and with the marks made as the buffers are read
// when `marque`; a line said to hold none of the bytes looked for must not.
std::vector<std::string> VuesCherchees(const std::string& chemin, bool marque = false) {
    FichierTexte f;
    f.Assigne(chemin);
    f.OuvreLecture();
    if (marque)
        f.MarqueOctets(MarqueEssai);
    std::vector<std::string> lignes;
    std::string reserve;
    while (!f.FinFichier()) {
        bool sansOctets;
        const std::string_view ligne = f.LitLigneVue(reserve, ArretEssai, sansOctets);
        if (sansOctets) {
            EXPECT_EQ(ArretEssai(ligne, 0), std::string_view::npos) << ligne;
        }
        lignes.emplace_back(ligne);
    }
    return lignes;
}

// The copy loop of the header-free copy, from the first line on: lines written as they
// stand where they can be, the others one by one.
std::string CopieDe(const std::string& chemin, const std::string& cheminCopie) {
    FichierTexte f, copie;
    f.Assigne(chemin);
    f.OuvreLecture();
    copie.Assigne(cheminCopie);
    copie.CreeEcriture();
    std::string reserve;
    while (!f.FinFichier()) {
        f.CopieLignesTellesQuelles(copie);
        if (!f.FinFichier())
            copie.EcritLigne(f.LitLigneVue(reserve));
    }
    copie.Ferme();
    return DossierTemporaire::Lit(cheminCopie);
}

// What the copy holds: each line, then CR LF.
std::string CopieAttendue(const Lignes& lignes) {
    std::string octets;
    for (const std::string& ligne : lignes)
        octets += ligne + "\r\n";
    return octets;
}

// The counting loop: every line read and dropped, or, with `passe`, the lines that another
// one follows passed without their text first.
Compte CompteLignes(const std::string& chemin, bool passe) {
    FichierTexte f;
    f.Assigne(chemin);
    f.OuvreLecture();
    Compte c;
    while (!f.FinFichier()) {
        if (passe)
            c.lignes += f.PasseLignesSuivies();
        f.LitLigne(c.derniere);
        ++c.lignes;
    }
    return c;
}

// Every way of reading a file gives the lines of the rules, and the copy loop those lines
// each ended by CR LF.
void VerifieLectures(const std::string& chemin, const Lignes& attendu, const std::string& copie) {
    EXPECT_EQ(LignesDe(chemin), attendu);
    EXPECT_EQ(VuesDe(chemin), attendu);
    EXPECT_EQ(VuesCherchees(chemin), attendu);
    EXPECT_EQ(VuesCherchees(chemin, true), attendu) << "avec les marques";
    EXPECT_EQ(CopieDe(chemin, copie), CopieAttendue(attendu));
}

} // namespace

TEST(LectureDesLignes, RèglesDesFinsDeLigne) {
    struct Cas {
        const char* nom;
        std::string octets;
        Lignes attendu;
    };
    const std::string mille(1000, 'x');
    const Cas cas[] = {
        {"CR LF", "abc\r\ndef\r\n", {"abc", "def"}},
        {"LF sans fin", "abc\ndef", {"abc", "def"}},
        {"CR isolé ignoré", "ab\rc\n", {"abc"}},
        {"CR CR LF", "ab\r\r\n", {"ab"}},
        {"dernière ligne vide", "L1\r\nL2\r\n\r\n", {"L1", "L2", ""}},
        {"fichier vide", "", {}},
        {"Ctrl-Z final", "L1\r\n\x1a", {"L1"}},
        {"Ctrl-Z au début",
         "\x1a"
         "abc\r\n",
         {}},
        {"Ctrl-Z en début de ligne", "L1\nL2\n\x1aL3\n", {"L1", "L2"}},
        {"Ctrl-Z dans une ligne",
         "ab\x1a"
         "cd\nef\n",
         {"ab", "ef"}},
        {"CR seuls après le dernier LF", "L1\n\r\r", {"L1", ""}},
        {"octet nul gardé", "a;b\0c;d\n"s, {"a;b\0c;d"s}},
        {"octets hauts bruts", "\xe9\xe8\x80\xff\n", {"\xe9\xe8\x80\xff"}},
        {"ligne de 1000 caractères", mille + "\r\n", {mille}},
    };
    DossierTemporaire dossier;
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        VerifieLectures(dossier.Ecrit("f.txt", c.octets), c.attendu, dossier.Chemin("c.txt"));
    }
}

TEST(LectureDesLignes, LigneQuiChevaucheLesTamponsEtCRALaFrontière) {
    DossierTemporaire dossier;
    // Lines far longer than any read buffer, with a CR LF split across reads.
    const std::string longue(700 * 1024, 'a');
    const std::string octets = longue + "\r\n" + "b" + "\r" + longue + "\n" + "fin";
    const Lignes attendu = {longue, "b" + longue, "fin"};
    VerifieLectures(dossier.Ecrit("f.txt", octets), attendu, dossier.Chemin("c.txt"));
}

TEST(CompteDesLignes, PasserLesLignesSuiviesDonneLeCompteEtLaDernièreLigne) {
    const Lignes cas = {
        "",
        "\x1a",
        "abc",
        "abc\n",
        "a\nb\n\n",
        "a\nb\n\x1a",
        "a\nb\n\x1a"
        "c\n",
        "a\nb\x1a"
        "c\nd\n",
        "a\n\x1a\n",
        "a\r\nb\r\n\r",
        "a\n\r\r",
        "a\0\nb\0",
        std::string(40, '\n'),
        std::string(70000, '\n') + "fin", // more LFs than a byte counter holds
    };
    DossierTemporaire dossier;
    for (const auto& octets : cas) {
        const std::string chemin = dossier.Ecrit("f.txt", octets);
        EXPECT_EQ(CompteLignes(chemin, true), CompteLignes(chemin, false))
            << testing::PrintToString(octets);
    }
}

TEST(CompteDesLignes, FichiersAuHasardAvecLignesAChevalSurLesTampons) {
    // Bytes drawn among those the reading rules treat apart, with line lengths from a few
    // bytes to several read buffers, and Ctrl-Z rare enough to leave lines before it.
    std::mt19937 hasard(4);
    DossierTemporaire dossier;
    const char speciaux[] = {'\r', '\0', ';'};
    for (int essai = 0; essai < 60; ++essai) {
        const double pLF = 1.0 / (1 << std::uniform_int_distribution<>(1, 20)(hasard));
        const double pZ = essai % 3 == 0 ? 0.0 : 1e-6 * (essai % 7);
        std::bernoulli_distribution estLF(pLF), estZ(pZ), estSpecial(0.02);
        std::uniform_int_distribution<> special(0, 2), lettre('a', 'z');
        std::string octets(std::uniform_int_distribution<>(0, 700 * 1024)(hasard), 'a');
        for (char& c : octets)
            c = estLF(hasard)        ? '\n'
                : estZ(hasard)       ? '\x1a'
                : estSpecial(hasard) ? speciaux[special(hasard)]
                                     : static_cast<char>(lettre(hasard));
        const std::string chemin = dossier.Ecrit("f.txt", octets);
        EXPECT_EQ(CompteLignes(chemin, true), CompteLignes(chemin, false))
            << "essai " << essai << ", " << octets.size() << " octets";
    }
}

// The reading rules written the plain way, byte by byte: CRs never reach a line, a Ctrl-Z
// ends the text of its line (and the file at a line start), LF ends the line.
Lignes LignesSelonLesRegles(const std::string& octets) {
    Lignes lignes;
    std::size_t i = 0;
    while (i < octets.size() && octets[i] != '\x1a') {
        std::string ligne;
        bool texteFini = false;
        for (; i < octets.size() && octets[i] != '\n'; ++i) {
            texteFini = texteFini || octets[i] == '\x1a';
            if (!texteFini && octets[i] != '\r')
                ligne += octets[i];
        }
        i += i < octets.size(); // the LF
        lignes.push_back(ligne);
    }
    return lignes;
}

// CR LF lines as the exports write them, with lone CRs, CR CR LF, Ctrl-Z (one chance in
// `rareteZ` / 64 per piece, none with 0) and code 0 here and there.
std::string OctetsAuHasard(std::mt19937& hasard, std::size_t taille, unsigned rareteZ) {
    const std::string morceaux[] = {
        "\r\n", "\r\n", "\n", "\r", "\r\r\n", "\x1a", std::string(1, '\0'), ";"};
    std::string octets;
    while (octets.size() < taille) {
        const auto tirage = hasard() % 64;
        if (tirage < 8 && (tirage != 5 || (rareteZ != 0 && hasard() % rareteZ < 64)))
            octets += morceaux[tirage];
        else
            octets += static_cast<char>('a' + tirage % 26);
    }
    return octets;
}

TEST(LectureDesLignes, FichiersAuHasardSelonLesRègles) {
    // Lines on both sides of the read buffer's end, then files of many buffers, most of them
    // read while the lines before are taken. Every `sansZ`-th file has no Ctrl-Z.
    struct Cas {
        unsigned graine;
        int essais;
        std::size_t tailleMin, tailleMax;
        int sansZ;
        unsigned rareteZ;
    };
    const Cas cas[] = {
        {1750, 40, 0, 600 * 1024, 4, 200000},
        {2027, 6, 1 << 20, 6 << 20, 2, 4000000},
    };
    DossierTemporaire dossier;
    for (const Cas& c : cas) {
        std::mt19937 hasard(c.graine);
        for (int essai = 0; essai < c.essais; ++essai) {
            const std::size_t taille =
                std::uniform_int_distribution<std::size_t>(c.tailleMin, c.tailleMax)(hasard);
            const std::string octets =
                OctetsAuHasard(hasard, taille, essai % c.sansZ == 0 ? 0 : c.rareteZ);
            const std::string chemin = dossier.Ecrit("f.txt", octets);
            const Lignes attendu = LignesSelonLesRegles(octets);
            SCOPED_TRACE("graine " + std::to_string(c.graine) + ", essai " + std::to_string(essai));
            VerifieLectures(chemin, attendu, dossier.Chemin("c.txt"));
            EXPECT_EQ(CompteLignes(chemin, true).lignes, static_cast<std::int64_t>(attendu.size()));
            if (HasFailure())
                return;
        }
    }
}

TEST(LectureDesLignes, LireAprèsLaFinDonneLaLigneVide) {
    DossierTemporaire dossier;
    FichierTexte f;
    f.Assigne(dossier.Ecrit("f.txt", "x\n"));
    f.OuvreLecture();
    std::string ligne;
    f.LitLigne(ligne);
    EXPECT_TRUE(f.FinFichier());
    ligne = "reste";
    f.LitLigne(ligne);
    EXPECT_EQ(ligne, "");
    EXPECT_TRUE(f.FinFichier());
}

TEST(LectureDesLignes, RouvrirRepartDeLaPremièreLigne) {
    DossierTemporaire dossier;
    FichierTexte f;
    f.Assigne(dossier.Ecrit("f.txt", "un\ndeux\n"));
    f.OuvreLecture();
    std::string ligne;
    f.LitLigne(ligne);
    f.LitLigne(ligne);
    f.OuvreLecture();
    f.LitLigne(ligne);
    EXPECT_EQ(ligne, "un");
}

TEST(EcritureDesLignes, ChaqueLigneFinitParCRLFEtRemplaceLAncienFichier) {
    DossierTemporaire dossier;
    const std::string chemin = dossier.Ecrit("copie.TXT", "ancien contenu bien plus long\n");
    ::chmod(chemin.c_str(), 0640);
    FichierTexte f;
    f.Assigne(chemin);
    f.CreeEcriture();
    f.EcritLigne("a\0b"s);
    f.EcritLigne("");
    f.EcritLigne("\xe9t\xe9");
    // Until closed, the old copy stays whole for anyone who reads it.
    EXPECT_EQ(DossierTemporaire::Lit(chemin), "ancien contenu bien plus long\n");
    f.Ferme();
    EXPECT_EQ(DossierTemporaire::Lit(chemin), "a\0b\r\n\r\n\xe9t\xe9\r\n"s);
    struct stat etat;
    ASSERT_EQ(::stat(chemin.c_str(), &etat), 0);
    EXPECT_EQ(etat.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier.Racine()), {}), 1);
}

TEST(Erreurs, CodesEtMessages) {
    DossierTemporaire dossier;
    const std::string existant = dossier.Ecrit("e.txt", "x\n");
    struct Cas {
        const char* nom;
        std::function<void(FichierTexte&)> action;
        int code;
        const char* message;
    };
    const Cas cas[] = {
        {"fichier absent",
         [&](FichierTexte& f) {
             f.Assigne(dossier.Chemin("absent.txt"));
             f.OuvreLecture();
         },
         2, "Fichier introuvable"},
        {"dossier absent",
         [&](FichierTexte& f) {
             f.Assigne(dossier.Chemin("absent/x.txt"));
             f.OuvreLecture();
         },
         3, "Nom de fichier incorrect"},
        {"dossier donné comme fichier",
         [&](FichierTexte& f) {
             f.Assigne(dossier.Racine().string());
             f.OuvreLecture();
         },
         5, "Accès au fichier refusé"},
        {"sans chemin", [](FichierTexte& f) { f.OuvreLecture(); }, 102, "Erreur E/S 102"},
        {"fermer un fichier fermé",
         [&](FichierTexte& f) {
             f.Assigne(existant);
             f.Ferme();
         },
         103, "Erreur E/S 103"},
        {"lire sans ouvrir",
         [&](FichierTexte& f) {
             std::string l;
             f.Assigne(existant);
             f.LitLigne(l);
         },
         104, "Erreur E/S 104"},
        {"fin de fichier sans ouvrir", [](FichierTexte& f) { f.FinFichier(); }, 104,
         "Erreur E/S 104"},
        {"écrire un fichier ouvert en lecture",
         [&](FichierTexte& f) {
             f.Assigne(existant);
             f.OuvreLecture();
             f.EcritLigne("x");
         },
         105, "Erreur E/S 105"},
        {"créer dans un dossier absent",
         [&](FichierTexte& f) {
             f.Assigne(dossier.Chemin("absent/x_chk.TXT"));
             f.CreeEcriture();
         },
         3, "Nom de fichier incorrect"},
    };
    for (const auto& c : cas) {
        FichierTexte f;
        try {
            c.action(f);
            ADD_FAILURE() << c.nom << " : aucune erreur";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Code(), c.code) << c.nom;
            EXPECT_STREQ(e.what(), c.message) << c.nom;
        }
    }
}

TEST(Erreurs, TexteDeLaBoîteAvecSonPoint) {
    EXPECT_EQ(TexteBoiteErreur(MessageES(2)), "Fichier introuvable.");
    EXPECT_EQ(TexteBoiteErreur(MessageES(32)), "Erreur E/S 32.");
    EXPECT_EQ(TexteBoiteErreur(MessageES(5)), "Accès au fichier refusé.");
    EXPECT_EQ(TexteBoiteErreur("Fin."), "Fin.");
    EXPECT_EQ(TexteBoiteErreur("Quoi !"), "Quoi !");
    EXPECT_EQ(TexteBoiteErreur(""), "");
}

// Another program that follows the same rules: its own open file description.
TEST(Partage, UnFichierOuvertRefuseLesÉcrivainsEtLaisseLesLecteurs) {
    DossierTemporaire dossier;
    const std::string chemin = dossier.Ecrit("export.txt", "x\n");
    FichierTexte lecteur, autreLecteur, ecrivain;
    lecteur.Assigne(chemin);
    lecteur.OuvreLecture();
    autreLecteur.Assigne(chemin);
    EXPECT_NO_THROW(autreLecteur.OuvreLecture());
    ecrivain.Assigne(chemin);
    EXPECT_EQ(CodeLeve([&] { ecrivain.CreeEcriture(); }), 32);
    EXPECT_EQ(DossierTemporaire::Lit(chemin), "x\n") << "jamais vidé sans son verrou";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier.Racine()), {}), 1);

    lecteur.Ferme();
    autreLecteur.Ferme();
    ecrivain.CreeEcriture();
    EXPECT_EQ(CodeLeve([&] { lecteur.OuvreLecture(); }), 32);
    ecrivain.Abandonne();
    EXPECT_EQ(DossierTemporaire::Lit(chemin), "x\n");
}

TEST(Partage, UnVerrouTenuAilleursDonneLeCode32) {
    DossierTemporaire dossier;
    const std::string chemin = dossier.Ecrit("export.txt", "x\n");
    const int fd = ::open(chemin.c_str(), O_RDWR);
    struct flock verrou = {};
    verrou.l_type = F_WRLCK;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &verrou), 0);
    FichierTexte f;
    f.Assigne(chemin);
    EXPECT_EQ(CodeLeve([&] { f.OuvreLecture(); }), 32);
    EXPECT_EQ(f.Etat(), EtatFichier::Ferme);
    ::close(fd);
}

// Failures of the system calls themselves, forced through the seam.
class PannesSysteme : public ::testing::Test {
protected:
    void TearDown() override { Systeme() = AppelsSystemeReels(); }
    DossierTemporaire dossier;
};

TEST_F(PannesSysteme, CodesDesAppelsQuiÉchouent) {
    static int erreurForcee;
    struct Cas {
        const char* nom;
        void (*panne)();
        int erreur, code;
    };
    const Cas cas[] = {
        {"trop de fichiers",
         [] {
             Systeme().Ouvre = [](const char*, int, mode_t) { return errno = erreurForcee, -1; };
         },
         EMFILE, 4},
        {"lecture",
         [] {
             Systeme().Lit = [](int, void*, size_t) -> ssize_t { return errno = erreurForcee, -1; };
         },
         EIO, 30},
        {"disque plein",
         [] {
             Systeme().Ecrit = [](int, const void*, size_t) -> ssize_t {
                 return errno = erreurForcee, -1;
             };
         },
         ENOSPC, 112},
        {"fermeture",
         [] {
             Systeme().Ferme = [](int fd) {
                 ::close(fd);
                 return errno = erreurForcee, -1;
             };
         },
         EIO, 29},
        {"renommage",
         [] {
             Systeme().Renomme = [](const char*, const char*) { return errno = erreurForcee, -1; };
         },
         EACCES, 5},
    };
    const std::string entree = dossier.Ecrit("entree.txt", "ligne\n");
    const std::string sortie = dossier.Ecrit("sortie.TXT", "copie précédente\r\n");
    for (const auto& c : cas) {
        erreurForcee = c.erreur;
        const int code = CodeLeve([&] {
            FichierTexte lu, ecrit;
            lu.Assigne(entree);
            ecrit.Assigne(sortie);
            c.panne();
            lu.OuvreLecture();
            std::string ligne;
            lu.LitLigne(ligne);
            ecrit.CreeEcriture();
            ecrit.EcritLigne(ligne);
            ecrit.Ferme();
        });
        Systeme() = AppelsSystemeReels();
        EXPECT_EQ(code, c.code) << c.nom;
        EXPECT_EQ(DossierTemporaire::Lit(sortie), "copie précédente\r\n") << c.nom;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier.Racine()), {}), 2)
            << c.nom << " : un fichier temporaire est resté";
    }
}

// Reads through the seam counted, the bytes they gave summed, and the one of number
// `PanneA` failing with EIO. The reads may run in another thread than the test.
struct LecturesSuivies {
    static inline std::atomic<int> Appels;
    static inline std::atomic<std::size_t> Livres;
    static inline int PanneA;

    static void Installe(int panneA = 0) {
        Appels = 0;
        Livres = 0;
        PanneA = panneA;
        Systeme().Lit = [](int fd, void* tampon, size_t taille) -> ssize_t {
            if (++Appels == PanneA)
                return errno = EIO, -1;
            const ssize_t lus = ::read(fd, tampon, taille);
            Livres += static_cast<std::size_t>(std::max<ssize_t>(lus, 0));
            return lus;
        };
    }
};

// Numbered CR LF lines over several megabytes.
std::string ExportNumerote(int lignes) {
    std::string octets;
    for (int i = 0; i < lignes; ++i)
        octets += "ligne " + std::to_string(i) + std::string(40 + i % 50, '.') + "\r\n";
    return octets;
}

TEST_F(PannesSysteme, PanneLueEnAvanceLevéeLàOùLaLectureLaFerait) {
    const std::string octets = ExportNumerote(60000);
    const std::string chemin = dossier.Ecrit("f.txt", octets);
    for (const int panneA : {2, 3, 4, 7, 12, 15}) {
        LecturesSuivies::Installe(panneA);
        FichierTexte f;
        f.Assigne(chemin);
        f.OuvreLecture();
        Lignes lues;
        std::string ligne;
        const int code = CodeLeve([&] {
            while (!f.FinFichier()) {
                f.LitLigne(ligne);
                lues.push_back(ligne);
            }
        });
        EXPECT_EQ(code, 30) << panneA;
        // Raised at the failed read itself: every line that the reads before it gave
        // whole was taken, and none after.
        const std::size_t livres = LecturesSuivies::Livres;
        EXPECT_EQ(LecturesSuivies::Appels, panneA) << "aucune lecture après la panne";
        EXPECT_EQ(lues, LignesSelonLesRegles(octets.substr(0, octets.rfind('\n', livres) + 1)))
            << panneA;
        // Reading on goes on from the byte after those given, as a new read would.
        lues.clear();
        while (!f.FinFichier()) {
            f.LitLigne(ligne);
            lues.push_back(ligne);
        }
        EXPECT_EQ(lues, LignesSelonLesRegles(octets.substr(livres))) << panneA;
        f.Ferme();
    }
}

// Reads by position through the seam counted, the one of number `PanneA` failing with EIO.
struct LecturesParPosition {
    static inline std::atomic<int> Appels;
    static inline int PanneA;

    static void Installe(int panneA = 0) {
        Appels = 0;
        PanneA = panneA;
        Systeme().LitA = [](int fd, void* tampon, size_t taille, off_t position) -> ssize_t {
            if (++Appels == PanneA)
                return errno = EIO, -1;
            return ::pread(fd, tampon, taille, position);
        };
    }
};

// A large file has most of its lines counted by two threads reading by position: the count
// and the last line stay those of the reading in order, wherever a Ctrl-Z, a lone CR or the
// last LF lies, and a failed read by position costs only the speed.
TEST_F(PannesSysteme, GrandsFichiersComptésÀDeuxFils) {
    const std::string corps = ExportNumerote(90000);                   // about 6.5 MB
    const std::size_t milieu = corps.find('\n', corps.size() / 2) + 1; // a line start
    const auto avec = [&](std::size_t ou, const std::string& octets) {
        return corps.substr(0, ou) + octets + corps.substr(ou);
    };
    struct Cas {
        const char* nom;
        std::string octets;
        bool aDeuxFils; // whether the middle must be counted that way
    };
    const Cas cas[] = {
        {"fin par LF", corps, true},
        {"dernière ligne sans LF", corps + "dernière", true},
        {"lignes vides à la fin", corps + "\r\n\r\n", true},
        {"CR isolé au milieu", avec(milieu + 3, "\r"), true},
        {"dernière ligne d'un Mio", corps + std::string(1 << 20, 'y'), true},
        {"rien que des LF", std::string(6 << 20, '\n'), true},
        {"Ctrl-Z en début de ligne au milieu", avec(milieu, "\x1a"), false},
        {"Ctrl-Z dans une ligne au milieu", avec(milieu + 3, "\x1a"), false},
        {"une seule ligne immense", std::string(6 << 20, 'z') + "\nfin", false},
    };
    for (const Cas& c : cas) {
        const std::string chemin = dossier.Ecrit("f.txt", c.octets);
        const Lignes lignes = LignesSelonLesRegles(c.octets);
        const Compte attendu{static_cast<std::int64_t>(lignes.size()), lignes.back()};
        LecturesSuivies::Installe();
        EXPECT_EQ(CompteLignes(chemin, true), attendu) << c.nom;
        if (c.aDeuxFils) {
            EXPECT_LT(LecturesSuivies::Appels, 10) << c.nom << " : lu dans l'ordre";
        }
        for (const int panneA : {1, 2, 7}) {
            LecturesParPosition::Installe(panneA);
            EXPECT_EQ(CompteLignes(chemin, true), attendu) << c.nom << ", panne " << panneA;
        }
        Systeme() = AppelsSystemeReels();
    }
}

TEST(CompteDesLignes, CompteLFSelonLesOctets) {
    std::mt19937 hasard(11);
    for (const std::size_t taille : {0, 1, 15, 16, 17, 31, 32, 33, 64, 8159, 8160, 8161, 70000}) {
        for (const double pLF : {0.0, 0.1, 1.0}) {
            std::bernoulli_distribution estLF(pLF);
            std::string octets(taille + 1, 'a'); // from byte 1: not aligned
            for (char& c : octets)
                c = estLF(hasard) ? '\n' : 'a';
            const char* debut = octets.data() + 1;
            const auto lf = std::count(octets.begin() + 1, octets.end(), '\n');
            bool ctrlZ = false;
            EXPECT_EQ(CompteLF(debut, debut + taille, ctrlZ), lf) << taille << ", " << pLF;
            EXPECT_FALSE(ctrlZ) << taille;
            for (const std::size_t ou : {std::size_t{0}, taille / 2, taille - 1}) {
                if (taille == 0)
                    continue;
                const char avant = octets[1 + ou];
                octets[1 + ou] = '\x1a';
                EXPECT_EQ(CompteLF(debut, debut + taille, ctrlZ), lf - (avant == '\n'));
                EXPECT_TRUE(ctrlZ) << taille << ", Ctrl-Z en " << ou;
                octets[1 + ou] = avant;
                ctrlZ = false;
            }
        }
    }
}

TEST_F(PannesSysteme, PanneAuDelàDesLignesPrisesNeSeVoitPas) {
    const std::string chemin = dossier.Ecrit("f.txt", ExportNumerote(60000));
    for (const int panneA : {3, 4, 6}) {
        LecturesSuivies::Installe(panneA);
        FichierTexte f;
        f.Assigne(chemin);
        f.OuvreLecture();
        std::string ligne;
        for (int i = 0; i < 5000; ++i) // within the first two reads
            f.LitLigne(ligne);
        EXPECT_EQ(ligne, "ligne 4999" + std::string(40 + 4999 % 50, '.'));
        EXPECT_NO_THROW(f.Ferme()) << panneA;
    }
}

TEST_F(PannesSysteme, ToutesLesLecturesPassentParLAppelEtAucuneAprèsLaFin) {
    const std::string octets = ExportNumerote(60000);
    const std::string chemin = dossier.Ecrit("f.txt", octets);
    LecturesSuivies::Installe();
    FichierTexte f;
    f.Assigne(chemin);
    // A file left after its first line, as the header's look, is read once.
    f.OuvreLecture();
    std::string ligne;
    f.LitLigne(ligne);
    f.OuvreLecture();
    EXPECT_EQ(LecturesSuivies::Appels, 1);
    const std::size_t livresAvant = LecturesSuivies::Livres;
    std::int64_t lignes = 0;
    while (!f.FinFichier()) {
        lignes += f.PasseLignesSuivies();
        f.LitLigne(ligne);
        ++lignes;
    }
    EXPECT_EQ(lignes, 60000);
    const int appels = LecturesSuivies::Appels;
    f.LitLigne(ligne);
    EXPECT_TRUE(f.FinFichier());
    EXPECT_EQ(LecturesSuivies::Appels, appels);
    f.Ferme();
    EXPECT_EQ(LecturesSuivies::Livres - livresAvant, octets.size());
}

// Writes through the seam counted, the one of number `PanneA` failing with `Erreur`. The
// writes may run in another thread than the test.
struct EcrituresSuivies {
    static inline std::atomic<int> Appels;
    static inline int PanneA;
    static inline int Erreur;

    static void Installe(int panneA, int erreur) {
        Appels = 0;
        PanneA = panneA;
        Erreur = erreur;
        Systeme().Ecrit = [](int fd, const void* octets, size_t taille) -> ssize_t {
            if (++Appels == PanneA)
                return errno = Erreur, -1;
            return ::write(fd, octets, taille);
        };
    }
};

// From the second buffer on, writes run while the next buffers fill: a failure there is
// raised by a later write or by the closing, nothing is written after it, and the file in
// place stays as it was, with no partial file beside it.
TEST_F(PannesSysteme, PanneDÉcritureDifféréeLevéeEtFichierEnPlaceIntact) {
    struct Cas {
        int panneA, erreur, code;
    };
    const Cas cas[] = {{1, ENOSPC, 112}, {2, ENOSPC, 112}, {3, EIO, 29}, {9, ENOSPC, 112}};
    const std::string chemin = dossier.Ecrit("copie.txt", "ancienne copie\r\n");
    const std::string ligne(1000, 'x'); // 12 MB: some 45 buffers
    for (const Cas& c : cas) {
        EcrituresSuivies::Installe(c.panneA, c.erreur);
        FichierTexte f;
        f.Assigne(chemin);
        f.CreeEcriture();
        EXPECT_EQ(CodeLeve([&] {
                      for (int i = 0; i < 12000; ++i)
                          f.EcritLigne(ligne);
                      f.Ferme();
                  }),
                  c.code)
            << c.panneA;
        f.Abandonne();
        EXPECT_EQ(EcrituresSuivies::Appels, c.panneA) << "rien n'est écrit après la panne";
        EXPECT_EQ(DossierTemporaire::Lit(chemin), "ancienne copie\r\n") << c.panneA;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier.Racine()), {}), 1)
            << c.panneA;
    }
    // Without a failure, every byte is there, in order.
    Systeme() = AppelsSystemeReels();
    FichierTexte f;
    f.Assigne(chemin);
    f.CreeEcriture();
    std::string attendu;
    for (int i = 0; i < 12000; ++i) {
        const std::string numerotee = std::to_string(i) + ligne;
        f.EcritLigne(numerotee);
        attendu += numerotee + "\r\n";
    }
    f.Ferme();
    EXPECT_EQ(DossierTemporaire::Lit(chemin), attendu);
}

// Room set aside for more than is written is given back on closing, and a file system that
// cannot set room aside is written all the same.
TEST_F(PannesSysteme, PlacePrévueRendueÀLaFermeture) {
    struct Cas {
        const char* nom;
        std::int64_t prevue;
        bool reserveEchoue;
    };
    const Cas cas[] = {{"bien plus que l'écrit", 10 << 20, false},
                       {"moins que l'écrit", 10, false},
                       {"réserve refusée", 10 << 20, true}};
    const std::string chemin = dossier.Chemin("copie.txt");
    for (const Cas& c : cas) {
        Systeme() = AppelsSystemeReels();
        if (c.reserveEchoue)
            Systeme().Reserve = [](int, off_t) { return errno = EOPNOTSUPP, -1; };
        FichierTexte f;
        f.Assigne(chemin);
        f.CreeEcriture();
        f.PrevoitTaille(c.prevue);
        f.EcritLigne("une ligne");
        f.Ferme();
        EXPECT_EQ(DossierTemporaire::Lit(chemin), "une ligne\r\n") << c.nom;
        struct stat etat;
        ASSERT_EQ(::stat(chemin.c_str(), &etat), 0);
        EXPECT_LE(etat.st_blocks * 512, 64 * 1024) << c.nom << " : place rendue";
    }
}
