#include <gtest/gtest.h>

#include <cerrno>

#include "ActionOuvre.h"
#include "AppelsSysteme.h"
#include "DossierTemporaire.h"
#include "Erreurs.h"
#include "Exports.h"
#include "FenetreSubstitut.h"

using namespace controle;

namespace {

const BoiteVue BoiteRefus{"Ce n'est pas un fichier export de Veloran 3!", "Attention !", 16};

class ActionOuvreTest : public ::testing::Test {
protected:
    void TearDown() override { Systeme() = AppelsSystemeReels(); }

    void Ouvre(const std::string& chemin) {
        fenetre.FichierChoisi = chemin;
        ActionOuvre(etat, fenetre);
    }

    DossierTemporaire dossier;
    EtatControle etat;
    FenetreSubstitut fenetre;
};

} // namespace

TEST(ActionOuvre, ExportsAcceptésEtRefusés) {
    DossierTemporaire dossier;
    struct Cas {
        const char* nom;
        std::string octets;
        bool entete;
        std::int64_t lignes;
        std::string type, nombre;
        int nbChamps, indexNom, indexEpouse;
        bool avecEpouse, refuse;
        std::int64_t max;
    };
    const std::string naissancesPuisMariage = Export("N", 3, false) + Enregistrement("M") + "\r\n";
    const Cas cas[] = {
        {"mariages Ardivenne de 201 lignes", Export("M", 200, true), true, 201, "Mariages", "200",
         60, 11, 29, true, false, 201},
        {"200 lignes sans entête", Export("D", 200, false), false, 200, "Décès", "199", 38, 11, 0,
         false, false, 200},
        {"une seule ligne", Export("N", 1, false), false, 1, "Naissances", "0", 30, 11, 0, false,
         false, 1},
        {"le type vient de la dernière ligne", naissancesPuisMariage, false, 4, "Mariages", "3", 60,
         11, 29, true, false, 4},
        {"Source dans un champ de la première ligne",
         Enregistrement("M", {{3, "Sources"}}) + "\n" + Enregistrement("M") + "\n", true, 2,
         "Mariages", "1", 60, 11, 29, true, false, 2},
        {"type sans séparateur après lui", Export("M", 1, false) + "VELORANV3;2;3;4;5;M\n", false,
         2, "Divers", "1", 64, 13, 32, true, false, 2},
        {"type inconnu", Enregistrement("X") + "\n", false, 1, "Divers", "0", 64, 13, 32, true,
         false, 1},
        {"dernière ligne vide", Export("M", 3, false) + "\r\n", false, 4, "Divers", "3", 64, 13, 32,
         true, true, 4},
        {"dernière ligne sans marqueur", Export("M", 2, false) + "1;2;3;4;5;M;x\r\n", false, 3,
         "Mariages", "2", 60, 11, 29, true, true, 3},
        {"fichier vide", "", false, 0, "Divers", "-1", 64, 13, 32, true, true, 100},
        {"Ctrl-Z en tête", "\x1a" + Export("M", 2, false), false, 0, "Divers", "-1", 64, 13, 32,
         true, true, 100},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EtatControle etat;
        FenetreSubstitut fenetre;
        fenetre.Entree = {"ancien message"};
        fenetre.FichierChoisi = dossier.Ecrit("releve.txt", c.octets);
        ActionOuvre(etat, fenetre);
        EXPECT_EQ(etat.AvecEntete, c.entete);
        EXPECT_EQ(etat.NbLignes, c.lignes);
        EXPECT_EQ(fenetre.ChampType, c.type);
        EXPECT_EQ(fenetre.ChampNombre, c.nombre);
        EXPECT_EQ(etat.NbChamps, c.nbChamps);
        EXPECT_EQ(etat.IndexNom, c.indexNom);
        EXPECT_EQ(etat.IndexEpouse, c.indexEpouse);
        EXPECT_EQ(etat.AvecEpouse, c.avecEpouse);
        EXPECT_EQ(fenetre.ProgressionMax, c.max);
        EXPECT_EQ(fenetre.Boites,
                  c.refuse ? std::vector<BoiteVue>{BoiteRefus} : std::vector<BoiteVue>{});
        EXPECT_EQ(fenetre.FinDemandee, c.refuse);
        EXPECT_EQ(etat.ExportPret, !c.refuse);
        EXPECT_TRUE(fenetre.Entree.empty());
        EXPECT_FALSE(fenetre.EntreeVisible);
        EXPECT_FALSE(fenetre.ProgressionVisible);
        EXPECT_EQ(etat.NomFichier, dossier.Chemin("releve.txt"));
        EXPECT_EQ(etat.NomFichierChk, dossier.Chemin("releve_chk.TXT"));
        // Left open at its first line for the checks.
        ASSERT_EQ(etat.FichierEntree.Etat(), EtatFichier::Lecture);
        std::string premiere, attendue = c.octets.substr(0, c.octets.find('\n'));
        if (!attendue.empty() && attendue.back() == '\r')
            attendue.pop_back();
        if (!attendue.empty() && attendue.front() == '\x1a')
            attendue.clear();
        etat.FichierEntree.LitLigne(premiere);
        EXPECT_EQ(premiere, attendue);
    }
}

TEST_F(ActionOuvreTest, DeuxOuverturesDeSuiteFermentLaPremière) {
    const std::string premier = dossier.Ecrit("a.txt", Export("M", 2, false));
    const std::string second = dossier.Ecrit("b.txt", Export("N", 2, false));
    Ouvre(premier);
    Ouvre(second);
    // Only a file still open refuses a writer.
    FichierTexte ecrivain;
    ecrivain.Assigne(premier);
    EXPECT_NO_THROW(ecrivain.CreeEcriture());
    ecrivain.Abandonne();
    ecrivain.Assigne(second);
    EXPECT_THROW(ecrivain.CreeEcriture(), EInOutError);
    EXPECT_EQ(fenetre.ChampType, "Naissances");
}

TEST_F(ActionOuvreTest, DialogueAnnuléVideSeulementLaListe) {
    Ouvre(dossier.Ecrit("a.txt", Export("M", 3, true)));
    fenetre.Entree = {"0 -> Ardivenne : 12/13/1750", "Au total : 1 erreurs trouvées"};
    fenetre.EntreeVisible = true;
    fenetre.ProgressionMax = 4;
    fenetre.DialogueAccepte = false;
    const std::int64_t lignes = etat.NbLignes;

    ActionOuvre(etat, fenetre);

    EXPECT_TRUE(fenetre.Entree.empty());
    EXPECT_TRUE(fenetre.EntreeVisible);
    EXPECT_EQ(fenetre.ChampType, "Mariages");
    EXPECT_EQ(fenetre.ChampNombre, "3");
    EXPECT_EQ(etat.NbLignes, lignes);
    EXPECT_TRUE(etat.ExportPret);
    EXPECT_EQ(etat.FichierEntree.Etat(), EtatFichier::Lecture);
}

TEST_F(ActionOuvreTest, FichierIntrouvableLaisseCeQuiAÉtéFait) {
    Ouvre(dossier.Ecrit("a.txt", Export("M", 3, true)));
    fenetre.Entree = {"message"};
    fenetre.EntreeVisible = fenetre.ProgressionVisible = true;
    fenetre.FichierChoisi = dossier.Chemin("absent.txt");
    try {
        ActionOuvre(etat, fenetre);
        FAIL() << "aucune erreur";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_EQ(TexteBoiteErreur(e.what()), "Fichier introuvable.");
    }
    EXPECT_EQ(etat.NbLignes, 0);
    EXPECT_EQ(etat.NomFichier, dossier.Chemin("absent.txt"));
    EXPECT_EQ(etat.NomFichierChk, dossier.Chemin("absent_chk.TXT"));
    EXPECT_EQ(etat.FichierEntree.Chemin(), dossier.Chemin("absent.txt"));
    EXPECT_EQ(etat.FichierEntree.Etat(), EtatFichier::Ferme);
    EXPECT_TRUE(etat.AvecEntete) << "gardé de l'ouverture précédente";
    EXPECT_EQ(etat.NbChamps, 60);
    EXPECT_FALSE(etat.ExportPret);
    EXPECT_FALSE(fenetre.EntreeVisible);
    EXPECT_FALSE(fenetre.ProgressionVisible);
    EXPECT_EQ(fenetre.Entree, std::vector<std::string>{"message"});
    EXPECT_EQ(fenetre.ChampType, "Mariages");
}

TEST_F(ActionOuvreTest, PanneDeLectureAuComptageLaisseLeFichierOuvert) {
    // Larger than one read buffer, so that the count needs several reads.
    const std::string chemin = dossier.Ecrit("a.txt", Export("N", 5000, true));
    static int lectures;
    const auto panneALaTroisiemeLecture = [] {
        lectures = 0;
        Systeme().Lit = [](int fd, void* t, size_t n) -> ssize_t {
            if (++lectures == 3)
                return errno = EIO, -1;
            return ::read(fd, t, n);
        };
    };
    // The header's read and the count's first read succeed, the next one fails: the count
    // stops where a loop reading every line would stop.
    std::int64_t lignesLues = 0;
    panneALaTroisiemeLecture();
    FichierTexte reference;
    reference.Assigne(chemin);
    reference.OuvreLecture();
    std::string ligne;
    reference.LitLigne(ligne);
    reference.OuvreLecture();
    EXPECT_THROW(
        while (!reference.FinFichier()) {
            reference.LitLigne(ligne);
            ++lignesLues;
        },
        EInOutError);
    reference.Ferme();

    panneALaTroisiemeLecture();
    fenetre.FichierChoisi = chemin;
    try {
        ActionOuvre(etat, fenetre);
        FAIL() << "aucune erreur";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), 30);
    }
    EXPECT_TRUE(etat.AvecEntete);
    EXPECT_GT(etat.NbLignes, 0);
    EXPECT_EQ(etat.NbLignes, lignesLues);
    EXPECT_EQ(etat.FichierEntree.Etat(), EtatFichier::Lecture);
    EXPECT_TRUE(fenetre.ChampType.empty());
}
