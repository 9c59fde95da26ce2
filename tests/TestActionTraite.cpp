#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <random>

#include "ActionOuvre.h"
#include "ActionTraite.h"
#include "AppelsSysteme.h"
#include "Balayage.h"
#include "Caracteres.h"
#include "DossierTemporaire.h"
#include "Erreurs.h"
#include "Exports.h"
#include "FenetreSubstitut.h"
#include "HorlogeDates.h"
#include "Messages.h"

using namespace controle;
using namespace std::string_literals;

namespace {

using Lignes = std::vector<std::string>;

ReglagesDates ReglagesFrancais() {
    ReglagesDates r;
    r.FormatDateCourt = "dd/MM/yyyy";
    r.SeparateurDate = '/';
    r.LanguePrincipale = 0x0C;
    return r;
}

const BoiteVue BoiteCopiez{"Copiez les résultats !", "Bravo !", 64};
const BoiteVue BoiteTermine{"Contrôle terminé !", "Bravo !", 64};

// One program run: its check state and its window.
struct Passage {
    EtatControle etat;
    FenetreSubstitut fenetre;

    void Ouvre(const std::string& chemin) {
        fenetre.FichierChoisi = chemin;
        ActionOuvre(etat, fenetre);
    }
    void Traite() { ActionTraite(etat, fenetre, ReglagesFrancais()); }
    // The results lines without the summary line.
    Lignes Messages() const { return {fenetre.Entree.begin(), fenetre.Entree.end() - 1}; }
};

class ActionTraiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ancienneHorloge = RemplaceLectureAnnee([] { return 2024; });
    }
    void TearDown() override {
        RemplaceLectureAnnee(ancienneHorloge);
        Systeme() = AppelsSystemeReels();
    }

    // A new run that opens then checks the export `octets`, as the two buttons would.
    Passage& OuvreEtTraite(const std::string& octets, const std::string& nom = "releve.txt") {
        passage = std::make_unique<Passage>();
        passage->Ouvre(dossier.Ecrit(nom, octets));
        EXPECT_TRUE(passage->etat.ExportPret);
        passage->Traite();
        return *passage;
    }

    LectureAnnee ancienneHorloge = nullptr;
    DossierTemporaire dossier;
    std::unique_ptr<Passage> passage;
};

} // namespace

TEST_F(ActionTraiteTest, FormatDeChaqueMessage) {
    struct Cas {
        const char* nom;
        std::string type;
        std::map<int, std::string> champs;
        Lignes attendu;
    };
    const Cas cas[] = {
        {"date", "M", {{7, "31/04/1750"}}, {"0 -> Ardivenne : 31/04/1750"}},
        {"caractère",
         "N",
         {{3, "Ard|venne"}},
         {"0 -> Ard|venne 12/03/1750 MARTIN Jean \xE0 la position 12 caract\xE8re de code 124 "
          "dans ';Ard|ven'"}},
        {"nom d'une lettre",
         "D",
         {{11, "M"}},
         {"0 -> Ardivenne : 12/03/1750 Nom trop court : M Jean \xE0 corriger en NN"}},
        {"nom vide",
         "N",
         {{11, ""}, {12, "Pierre"}},
         {"0 -> Ardivenne : 12/03/1750 Nom trop court :  Pierre \xE0 corriger en NN"}},
        {"nom des divers au champ 13",
         "X",
         {{11, ""}, {13, "Y"}, {14, "Paul"}},
         {"0 -> Ardivenne : 12/03/1750 Nom trop court : Y Paul \xE0 corriger en NN"}},
        {"épouse d'une lettre",
         "M",
         {{29, "B"}},
         {"0 -> Ardivenne 12/03/1750 B Anne \xE9pouse \xE0 corriger en NN"}},
        {"épouse des divers au champ 32",
         "X",
         {{32, "L"}, {33, "Rose"}},
         {"0 -> Ardivenne 12/03/1750 L Rose \xE9pouse \xE0 corriger en NN"}},
        {"épouse vide", "M", {{29, ""}}, {}},
        {"pas d'épouse pour les naissances", "N", {{29, "B"}}, {}},
        {"deux lettres suffisent", "M", {{11, "Li"}, {29, "Wu"}}, {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(OuvreEtTraite(Enregistrement(c.type, c.champs) + "\r\n").Messages(), c.attendu);
    }
}

TEST(CaracteresACorriger, CodesDeLaListe) {
    const int mauvais[] = {1, 9, 31, 94, 96, 124, 127, 128, 129, 241, 242};
    const int bons[] = {0,   32,  59,  65,  126, 134, 140, 156, 159, 167, 171, 176, 187,
                        188, 189, 190, 198, 199, 210, 211, 220, 224, 230, 243, 255};
    for (int c : mauvais)
        EXPECT_TRUE(CaractereACorriger(static_cast<unsigned char>(c))) << c;
    for (int c : bons)
        EXPECT_FALSE(CaractereACorriger(static_cast<unsigned char>(c))) << c;
    int acceptesHorsAscii = 0;
    for (int c = 0; c < 256; ++c)
        if ((c < 32 || c > 126) && !CaractereACorriger(static_cast<unsigned char>(c)))
            ++acceptesHorsAscii;
    EXPECT_EQ(acceptesHorsAscii, 48) << "les 47 caractères acceptés et le code 0";
}

TEST(Extrait, HuitCaractèresAutourDeLaPosition) {
    struct Cas {
        std::int64_t position;
        std::string attendu;
    };
    const Cas cas[] = {{1, "abcdefgh"}, {4, "abcdefgh"}, {5, "abcdefgh"},
                       {6, "bcdefghi"}, {10, "fghijkl"}, {12, "hijkl"}};
    for (const auto& c : cas)
        EXPECT_EQ(Extrait("abcdefghijkl", c.position), c.attendu) << c.position;
    EXPECT_EQ(Extrait("a|c", 2), "a|c");
}

TEST_F(ActionTraiteTest, PlusieursProblèmesDansLOrdreDesTests) {
    // Two bad characters, a bad date, a short name and a short spouse name in one record,
    // then a good record, then a record with only a bad character.
    const std::string premier =
        Enregistrement("M", {{3, "A^"}, {7, "12/13/1750"}, {11, "\xF1"}, {29, "Z"}});
    const std::string troisieme = Enregistrement("M", {{12, "Jo\tel"}});
    auto& p = OuvreEtTraite(premier + "\r\n" + Enregistrement("M") + "\r\n" + troisieme + "\r\n");
    const auto pos1 = std::to_string(premier.find('^') + 1);
    const auto pos2 = std::to_string(premier.find('\xF1') + 1);
    const auto pos3 = std::to_string(troisieme.find('\t') + 1);
    EXPECT_EQ(p.Messages(),
              (Lignes{
                  "0 -> A^ : 12/13/1750",
                  "0 -> A^ 12/13/1750 \xF1 Jean \xE0 la position " + pos1 +
                      " caract\xE8re de code 94 dans '34;A^;01'",
                  "0 -> A^ 12/13/1750 \xF1 Jean \xE0 la position " + pos2 +
                      " caract\xE8re de code 241 dans ';;;;\xF1;Je'",
                  "0 -> A^ : 12/13/1750 Nom trop court : \xF1 Jean \xE0 corriger en NN",
                  "0 -> A^ 12/13/1750 Z Anne \xE9pouse \xE0 corriger en NN",
                  "2 -> Ardivenne 12/03/1750 MARTIN Jo\tel \xE0 la position " + pos3 +
                      " caract\xE8re de code 9 dans 'N;Jo\tel;'",
              }));
    EXPECT_EQ(p.fenetre.Entree.back(), "Au total : 6 erreurs trouv\xE9"
                                       "es");
    EXPECT_EQ(p.etat.NbErreurs, 7);
}

TEST_F(ActionTraiteTest, LigneVide) {
    auto& p = OuvreEtTraite("\r\n" + Enregistrement("M") + "\r\n");
    EXPECT_EQ(p.Messages(),
              (Lignes{"0 ->  : ", "0 ->  :  Nom trop court :   \xE0 corriger en NN"}));
}

TEST_F(ActionTraiteTest, CodeZeroGardéEntierDansLeMessage) {
    // Code 0 passes the character test but hides the separators after it, so the record's
    // fields from 3 on are empty; the excerpt of a bad character next to it keeps every byte.
    const std::string ligne = Enregistrement("N", {{3, "A|\0B"s}});
    auto& p = OuvreEtTraite(ligne + "\r\n" + Enregistrement("N") + "\r\n");
    EXPECT_EQ(p.Messages(), (Lignes{"0 ->  : ",
                                    "0 ->     \xE0 la position 10 caract\xE8re de code 124 dans "
                                    "'34;A|\0B;'"s,
                                    "0 ->  :  Nom trop court :   \xE0 corriger en NN"}));
}

TEST_F(ActionTraiteTest, NumérotationAvecEtSansEntête) {
    const std::string mauvais = Enregistrement("M", {{7, "vers 1750"}});
    const std::string corps =
        Enregistrement("M") + "\r\n" + mauvais + "\r\n" + Enregistrement("M") + "\r\n";
    auto& sansEntete = OuvreEtTraite(corps);
    EXPECT_EQ(sansEntete.Messages(), Lignes{"1 -> Ardivenne : vers 1750"});
    EXPECT_EQ(sansEntete.etat.NbLignes, 3);

    auto& avecEntete = OuvreEtTraite(Entete + "\r\n" + corps);
    EXPECT_EQ(avecEntete.Messages(), Lignes{"1 -> Ardivenne : vers 1750"});
    EXPECT_EQ(avecEntete.etat.NbLignes, 3);
    EXPECT_EQ(avecEntete.etat.Champ[1], "1") << "les champs du dernier enregistrement";
}

TEST_F(ActionTraiteTest, IssueSansProblème) {
    auto& p = OuvreEtTraite(Export("M", 25, false));
    EXPECT_EQ(p.fenetre.Entree, Lignes{"Au total : 0 erreurs trouv\xE9"
                                       "es"});
    EXPECT_EQ(p.fenetre.Boites, std::vector<BoiteVue>{BoiteTermine});
    EXPECT_FALSE(p.fenetre.EntreeVisible);
    EXPECT_EQ(p.fenetre.EntreeHauteur, 25);
    EXPECT_EQ(p.fenetre.EntreeLargeur, 33);
    EXPECT_EQ(p.fenetre.ProgressionVisibleSousBoite, std::vector<bool>{true});
    EXPECT_FALSE(p.fenetre.ProgressionVisible);
    EXPECT_EQ(p.fenetre.ProgressionPosition, 0);
    EXPECT_EQ(p.fenetre.Repeints, (std::vector<std::int64_t>{0, 10, 20}));
    EXPECT_EQ(p.etat.FichierEntree.Etat(), EtatFichier::Ferme);
}

TEST_F(ActionTraiteTest, IssueAvecUnProblème) {
    auto& p = OuvreEtTraite(Export("M", 3, false) + Enregistrement("M", {{11, "X"}}) + "\r\n");
    EXPECT_EQ(p.fenetre.Entree.back(), "Au total : 1 erreurs trouv\xE9"
                                       "es");
    EXPECT_EQ(p.fenetre.Boites, std::vector<BoiteVue>{BoiteCopiez});
    EXPECT_EQ(p.fenetre.EntreeVisibleSousBoite, std::vector<bool>{true});
    EXPECT_EQ(p.fenetre.EntreeHauteur, 161);
    EXPECT_EQ(p.fenetre.EntreeLargeur, 441);
    EXPECT_FALSE(p.fenetre.ProgressionVisible);
    EXPECT_EQ(p.fenetre.ProgressionPosition, 0);
}

TEST_F(ActionTraiteTest, CopieSansEntête) {
    const std::string chk = dossier.Chemin("releve_chk.TXT");
    // Mixed line breaks, a lone CR and a last line without break: the copy ends each line
    // with CR LF and drops what the reading rules drop.
    const std::string corps = Enregistrement("M") + "\n" + Enregistrement("M", {{1, "a\rb"}}) +
                              "\r\n" + Enregistrement("M");
    dossier.Ecrit("releve_chk.TXT", "copie d'un passage précédent, plus longue que la nouvelle "s +
                                        std::string(20000, 'x'));
    OuvreEtTraite(Entete + "\r\n" + corps +
                  "\r\n\x1a"
                  "fin ignorée");
    EXPECT_EQ(DossierTemporaire::Lit(chk), Enregistrement("M") + "\r\n" +
                                               Enregistrement("M", {{1, "ab"}}) + "\r\n" +
                                               Enregistrement("M") + "\r\n");
    EXPECT_EQ(DossierTemporaire::Lit(dossier.Chemin("releve.txt")).substr(0, Entete.size()), Entete)
        << "l'export n'est jamais écrit";

    // Without header line, a file of that name is left alone.
    dossier.Ecrit("autre_chk.TXT", "intouchée");
    OuvreEtTraite(corps + "\r\n", "autre.txt");
    EXPECT_EQ(DossierTemporaire::Lit(dossier.Chemin("autre_chk.TXT")), "intouchée");
}

TEST_F(ActionTraiteTest, CopieEnPanneLaisseLAncienneIntacte) {
    dossier.Ecrit("releve_chk.TXT", "ancienne copie\r\n");
    auto p = std::make_unique<Passage>();
    p->Ouvre(dossier.Ecrit("releve.txt", Entete + "\r\n" + Export("M", 3000, false)));
    Systeme().Ecrit = [](int, const void*, size_t) -> ssize_t { return errno = ENOSPC, -1; };
    try {
        p->Traite();
        FAIL() << "aucune erreur";
    } catch (const EInOutError& e) {
        EXPECT_EQ(TexteBoiteErreur(e.what()), "Erreur E/S 112.");
    }
    Systeme() = AppelsSystemeReels();
    EXPECT_EQ(DossierTemporaire::Lit(dossier.Chemin("releve_chk.TXT")), "ancienne copie\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier.Racine()), {}), 2)
        << "aucun fichier partiel";
    EXPECT_EQ(p->etat.NbLignes, 3000);
    EXPECT_FALSE(p->fenetre.ProgressionVisible) << "la fenêtre reste comme l'ouverture l'a laissée";
    EXPECT_TRUE(p->fenetre.Boites.empty());
}

TEST_F(ActionTraiteTest, SansExportFraîchementOuvertRefuseSansRienToucher) {
    const std::string corps = Entete + "\r\n" + Enregistrement("M", {{11, "X"}}) + "\r\n";
    auto& p = OuvreEtTraite(corps);
    const std::string chk = dossier.Chemin("releve_chk.TXT");
    const Lignes resultats = p.fenetre.Entree;
    p.fenetre.Boites.clear();

    p.Traite(); // the export has been spent
    EXPECT_EQ(p.fenetre.Boites.size(), 1u);
    EXPECT_EQ(p.fenetre.Boites[0].Titre, "Attention !");
    EXPECT_EQ(p.fenetre.Boites[0].Drapeaux, 16);
    EXPECT_EQ(p.fenetre.Entree, resultats);
    EXPECT_TRUE(p.fenetre.EntreeVisible);
    EXPECT_FALSE(p.fenetre.ProgressionVisible);
    EXPECT_EQ(DossierTemporaire::Lit(chk), Enregistrement("M", {{11, "X"}}) + "\r\n");

    Passage neuf; // nothing opened yet
    neuf.Traite();
    EXPECT_EQ(neuf.fenetre.Boites.size(), 1u);
    EXPECT_TRUE(neuf.fenetre.Entree.empty());
}

TEST_F(ActionTraiteTest, DialogueAnnuléAprèsUnContrôleAvecProblèmes) {
    auto& p = OuvreEtTraite(Enregistrement("M", {{11, "X"}}) + "\r\n");
    p.fenetre.DialogueAccepte = false;
    ActionOuvre(p.etat, p.fenetre);
    EXPECT_TRUE(p.fenetre.Entree.empty());
    EXPECT_TRUE(p.fenetre.EntreeVisible);
    EXPECT_EQ(p.fenetre.ChampType, "Mariages");
}

TEST_F(ActionTraiteTest, ObservateurReçoitChaqueProblèmeAvecSesChamps) {
    struct Journal : ObservateurProblemes {
        std::vector<std::tuple<TestProbleme, std::int64_t, std::int64_t, int, std::string>> vus;
        void Signale(const Probleme& p, const EtatControle& e) override {
            vus.emplace_back(p.Test, p.Numero, p.Position, p.Code, e.Champ[11]);
        }
    } journal;
    auto p = std::make_unique<Passage>();
    p->Ouvre(dossier.Ecrit("r.txt", Export("M", 2, false) +
                                        Enregistrement("M", {{11, "|"}, {7, ""}}) + "\r\n"));
    ActionTraite(p->etat, p->fenetre, ReglagesFrancais(), &journal);
    EXPECT_EQ(journal.vus.size(), 3u);
    EXPECT_EQ(journal.vus[0], std::make_tuple(TestProbleme::Date, 2, 0, 0, "|"s));
    EXPECT_EQ(std::get<0>(journal.vus[1]), TestProbleme::Caractere);
    EXPECT_EQ(std::get<3>(journal.vus[1]), 124);
    EXPECT_EQ(std::get<0>(journal.vus[2]), TestProbleme::Nom);
}

TEST_F(ActionTraiteTest, LigneEtChampsGardésPourLObservateurEtAprèsLeContrôle) {
    // A problem in every record, over several read buffers: lines whole in a buffer, lines
    // across two, and lines whose lone CR must be taken out.
    struct Journal : ObservateurProblemes {
        std::vector<std::pair<std::string, std::string>> vus;
        void Signale(const Probleme&, const EtatControle& e) override {
            vus.emplace_back(e.Ligne, e.Champ[1]);
        }
    } journal;
    std::string octets;
    Lignes attendues;
    for (int i = 0; i < 6000; ++i) {
        const std::string numero = std::to_string(i);
        attendues.push_back(Enregistrement("M", {{1, numero}, {11, "X"}, {12, "Jean"}}));
        octets += Enregistrement("M", {{1, numero}, {11, "X"}, {12, i % 3 ? "Jean" : "Je\ran"}});
        octets += "\r\n";
    }
    ASSERT_GT(octets.size(), 3u * 256 * 1024);
    auto p = std::make_unique<Passage>();
    p->Ouvre(dossier.Ecrit("r.txt", octets));
    ActionTraite(p->etat, p->fenetre, ReglagesFrancais(), &journal);
    ASSERT_EQ(journal.vus.size(), attendues.size());
    for (std::size_t i = 0; i < attendues.size(); ++i)
        ASSERT_EQ(journal.vus[i], std::make_pair(attendues[i], std::to_string(i))) << i;
    EXPECT_EQ(p->etat.Ligne, attendues.back());
    EXPECT_EQ(p->etat.Champ[1], "5999");
    EXPECT_EQ(p->etat.Champ[12], "Jean");
}

// The block-wise searches must find what a byte-by-byte look at the table finds: each way
// the processor can take, and the one ProchainACorriger takes.
namespace {

using Recherche = std::size_t (*)(std::string_view, std::size_t);

std::vector<std::pair<const char*, Recherche>> Recherches() {
    std::vector<std::pair<const char*, Recherche>> recherches = {
        {"choisie", ProchainACorriger}, {"portable", ProchainACorrigerPortable}};
    if (ProcesseurAvecAvx2())
        recherches.emplace_back("AVX2", ProchainACorrigerAvx2);
    return recherches;
}

} // namespace

TEST(CaracteresACorriger, RechercheParBlocsCommeOctetParOctet) {
    for (const auto& [nom, recherche] : Recherches()) {
        std::mt19937 hasard(1750);
        for (int essai = 0; essai < 5000; ++essai) {
            std::string ligne(hasard() % 200, 'a');
            for (char& c : ligne)
                if (hasard() % 8 == 0)
                    c = static_cast<char>(hasard() % 256);
            std::vector<std::size_t> attendu, trouve;
            for (std::size_t i = 0; i < ligne.size(); ++i)
                if (CaractereACorriger(static_cast<unsigned char>(ligne[i])))
                    attendu.push_back(i);
            for (auto i = recherche(ligne, 0); i != std::string_view::npos;
                 i = recherche(ligne, i + 1))
                trouve.push_back(i);
            ASSERT_EQ(trouve, attendu) << nom;
        }
    }
}

TEST(CaracteresACorriger, ChaqueCodeAChaquePlaceDesBlocs) {
    for (const auto& [nom, recherche] : Recherches())
        for (const std::size_t longueur : {1, 15, 16, 17, 31, 32, 33, 47, 64, 70})
            for (std::size_t place = 0; place < longueur; ++place)
                for (int code = 0; code < 256; ++code) {
                    std::string ligne(longueur, 'a');
                    ligne[place] = static_cast<char>(code);
                    const auto attendu = CaractereACorriger(static_cast<unsigned char>(code))
                                             ? place
                                             : std::string_view::npos;
                    ASSERT_EQ(recherche(ligne, 0), attendu)
                        << nom << ", code " << code << " en " << place << " sur " << longueur;
                    ASSERT_EQ(recherche(ligne, place + 1), std::string_view::npos) << nom;
                }
}

// Marking a buffer gives the bits of a byte-by-byte look at the table, each way the
// processor can take, whole words written up to the end and nothing past it set.
TEST(CaracteresACorriger, MarquageCommeOctetParOctet) {
    using Marquage = void (*)(const char*, std::size_t, std::uint64_t*);
    std::vector<std::pair<const char*, Marquage>> marquages = {
        {"choisi", MarqueACorriger}, {"portable", MarqueACorrigerPortable}};
    if (ProcesseurAvecAvx2())
        marquages.emplace_back("AVX2", MarqueACorrigerAvx2);
    for (const auto& [nom, marque] : marquages) {
        std::mt19937 hasard(1848);
        for (int essai = 0; essai < 3000; ++essai) {
            std::string octets(hasard() % 600, 'a');
            for (char& c : octets)
                if (hasard() % 8 == 0)
                    c = static_cast<char>(hasard() % 256);
            const std::size_t mots = (octets.size() + 63) / 64;
            std::vector<std::uint64_t> bits(mots, 0xAAAAAAAAAAAAAAAAull), attendus(mots, 0);
            for (std::size_t i = 0; i < octets.size(); ++i)
                if (CaractereACorriger(static_cast<unsigned char>(octets[i])))
                    attendus[i / 64] |= std::uint64_t{1} << (i % 64);
            marque(octets.data(), octets.size(), bits.data());
            ASSERT_EQ(bits, attendus) << nom << ", " << octets.size() << " octets";
        }
    }
}
