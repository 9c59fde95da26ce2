// controle-export run end to end on small exports made here, as a script would run it.
// The child runs under LC_ALL=C (short date format m/d/yy, separator "/"); every date below
// has a four-digit year, so the verdicts never depend on the clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "DossierTemporaire.h"
#include "Exports.h"
#include "JsonStrict.h"
#include "LanceProgramme.h"

namespace {

const std::string Programme = CONTROLE_EXPORT;

// The few non-ASCII characters of the expected lines, from UTF-8 back to their
// Windows-1252 bytes.
std::string VersCp1252(const std::string& utf8) {
    static const std::map<std::string, char> table = {
        {"à", '\xE0'}, {"è", '\xE8'}, {"é", '\xE9'},
        {"ñ", '\xF1'}, {"€", '\x80'}, {"\u0081", '\x81'},
    };
    std::string cp1252;
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            cp1252 += utf8[i++];
            continue;
        }
        bool trouve = false;
        for (const auto& [caractere, octet] : table)
            if (utf8.compare(i, caractere.size(), caractere) == 0) {
                cp1252 += octet;
                i += caractere.size();
                trouve = true;
                break;
            }
        if (!trouve)
            throw std::runtime_error("caractère absent de la table du test");
    }
    return cp1252;
}

std::string Lignes(const std::vector<std::string>& lignes) {
    std::string texte;
    for (const std::string& ligne : lignes)
        texte += ligne + "\n";
    return texte;
}

// A marriages export with a header line and one kind of problem per record, the bytes that
// matter most in its messages: an accented letter, a tab, a code 0, the euro sign and a
// byte that Windows-1252 leaves undefined.
std::string ExportAProblemes() {
    using namespace std::string_literals;
    const std::vector<std::map<int, std::string>> enregistrements = {
        {},
        {{1, "1|"}},
        {{3, "Ardiven\xF1"
             "e"}},
        {{7, "25/03/1750"}},
        {{11, "X"}},
        {{29, "B"}},
        {{3, "Saint\tJean"}, {60, "VELORANV3\0\x01"s}},
        {{3, "Prix\x80\x81"}},
        {},
    };
    std::string octets = Entete + "\r\n";
    for (std::size_t i = 0; i < enregistrements.size(); ++i) {
        std::map<int, std::string> champs = enregistrements[i];
        champs.try_emplace(1, std::to_string(i));
        octets += Enregistrement("M", champs) + "\r\n";
    }
    return octets;
}

// Its messages as UTF-8, in order. Record 6 is 145 bytes long, its code 1 last.
const std::vector<std::string> MessagesAttendus = {
    "1 -> Ardivenne 12/03/1750 MARTIN Jean à la position 2 caractère de code 124 dans '1|;01234'",
    "2 -> Ardivenñe 12/03/1750 MARTIN Jean à la position 16 caractère de code 241 dans "
    "'ivenñe;0'",
    "3 -> Ardivenne : 25/03/1750",
    "4 -> Ardivenne : 12/03/1750 Nom trop court : X Jean à corriger en NN",
    "5 -> Ardivenne 12/03/1750 B Anne épouse à corriger en NN",
    "6 -> Saint\tJean 12/03/1750 MARTIN Jean à la position 14 caractère de code 9 dans "
    "'aint\tJea'",
    "6 -> Saint\tJean 12/03/1750 MARTIN Jean à la position 145 caractère de code 1 dans 'NV3" +
        std::string("\0\x01", 2) + "'",
    "7 -> Prix€\u0081 12/03/1750 MARTIN Jean à la position 13 caractère de code 128 dans "
    "'Prix€\u0081;0'",
    "7 -> Prix€\u0081 12/03/1750 MARTIN Jean à la position 14 caractère de code 129 dans "
    "'rix€\u0081;01'",
};
const std::string ResumeAttendu = "Au total : 9 erreurs trouvées";

class ControleExport : public ::testing::Test {
protected:
    DossierTemporaire dossier;
};

} // namespace

TEST(LecteurJsonStrict, RefuseCeQueJsonInterdit) {
    const std::string refuses[] = {
        "{\"a\":\"x\ty\"}",
        "{\"a\":\"\\x\"}",
        "{\"a\":\"\xFF\"}",
        "{\"a\":\"\xC3\"}",
        "{\"a\":1,}",
        "{\"a\":01}",
        "{\"a\":1} x",
        "{\"a\":\"\\ud800\"}",
        "{a:1}",
        "",
    };
    for (const std::string& texte : refuses)
        EXPECT_THROW(LitJson(texte), std::runtime_error) << texte;
    const ValeurJson v = LitJson(R"({"a":[1,-2.5e3,true,null],"b":"\u00e9\u0000\ud83d\ude00"})");
    EXPECT_EQ(v["a"].Elements.size(), 4u);
    EXPECT_EQ(v["b"].Chaine(), std::string("é\0😀", 7));
}

TEST_F(ControleExport, LignesBrutesEnWindows1252) {
    const std::string chemin = dossier.Ecrit("mariages.txt", ExportAProblemes());
    const Execution execution = Lance(Programme, {"--brut", chemin});
    std::vector<std::string> attendu;
    for (const std::string& message : MessagesAttendus)
        attendu.push_back(VersCp1252(message));
    attendu.push_back(VersCp1252(ResumeAttendu));
    EXPECT_EQ(execution.Sortie, Lignes(attendu));
    EXPECT_EQ(execution.Erreurs, "");
    EXPECT_EQ(execution.Statut, 1);
}

TEST_F(ControleExport, LignesEnUtf8ParDefaut) {
    const std::string chemin = dossier.Ecrit("mariages.txt", ExportAProblemes());
    const Execution execution = Lance(Programme, {chemin});
    std::vector<std::string> attendu = MessagesAttendus;
    attendu.push_back(ResumeAttendu);
    EXPECT_EQ(execution.Sortie, Lignes(attendu));
    EXPECT_EQ(execution.Statut, 1);
}

TEST_F(ControleExport, JsonLinesValideUnObjetParProbleme) {
    const std::string chemin = dossier.Ecrit("mariages.txt", ExportAProblemes());
    const Execution execution = Lance(Programme, {"--json", chemin});
    ASSERT_EQ(execution.Statut, 1);
    std::vector<ValeurJson> objets;
    std::string_view reste = execution.Sortie;
    ASSERT_TRUE(reste.ends_with('\n'));
    while (!reste.empty()) {
        const std::size_t fin = reste.find('\n');
        ASSERT_NO_THROW(objets.push_back(LitJson(reste.substr(0, fin)))) << reste.substr(0, fin);
        reste.remove_prefix(fin + 1);
    }
    ASSERT_EQ(objets.size(), MessagesAttendus.size() + 1);

    const char* tests[] = {"caractere", "caractere", "date",      "nom",      "epouse",
                           "caractere", "caractere", "caractere", "caractere"};
    const std::int64_t numeros[] = {1, 2, 3, 4, 5, 6, 6, 7, 7};
    for (std::size_t i = 0; i < MessagesAttendus.size(); ++i) {
        SCOPED_TRACE(i);
        const ValeurJson& o = objets[i];
        EXPECT_EQ(o["fichier"].Chaine(), chemin);
        EXPECT_EQ(o["enregistrement"].Entier(), numeros[i]);
        EXPECT_EQ(o["test"].Chaine(), tests[i]);
        EXPECT_EQ(o["message"].Chaine(), MessagesAttendus[i]);
        EXPECT_EQ(o.Contient("position"), o["test"].Chaine() == "caractere");
        EXPECT_EQ(o.Contient("code"), o["test"].Chaine() == "caractere");
    }

    // The fields quoted by each kind of message, by number, as UTF-8.
    const ValeurJson& caractere = objets[1];
    EXPECT_EQ(caractere["position"].Entier(), 16);
    EXPECT_EQ(caractere["code"].Entier(), 241);
    const std::vector<std::pair<std::string, std::string>> champsCaractere = {
        {"3", "Ardivenñe"}, {"7", "12/03/1750"}, {"11", "MARTIN"}, {"12", "Jean"}};
    EXPECT_EQ(caractere["champs"].Membres.size(), champsCaractere.size());
    for (const auto& [numero, valeur] : champsCaractere)
        EXPECT_EQ(caractere["champs"][numero].Chaine(), valeur) << numero;
    const auto numerosChamps = [](const ValeurJson& o) {
        std::vector<std::string> numeros;
        for (const auto& [numero, valeur] : o["champs"].Membres)
            numeros.push_back(numero);
        return numeros;
    };
    EXPECT_EQ(numerosChamps(objets[2]), (std::vector<std::string>{"3", "7"}));
    EXPECT_EQ(numerosChamps(objets[3]), (std::vector<std::string>{"3", "7", "11", "12"}));
    EXPECT_EQ(numerosChamps(objets[4]), (std::vector<std::string>{"3", "7", "29", "30"}));
    EXPECT_EQ(objets[4]["champs"]["29"].Chaine(), "B");
    EXPECT_EQ(objets[6]["code"].Entier(), 1);

    const ValeurJson& resume = objets.back();
    EXPECT_EQ(resume["fichier"].Chaine(), chemin);
    EXPECT_EQ(resume["erreurs"].Entier(), 9);
    EXPECT_EQ(resume["enregistrements"].Entier(), 9);
    EXPECT_EQ(resume["type"].Chaine(), "Mariages");
    EXPECT_FALSE(resume.Contient("test"));
}

TEST_F(ControleExport, JsonDUnNomDeFichierQuiNEstPasUtf8) {
    const std::string chemin = dossier.Ecrit("d\xE9"
                                             "c\xE8s.txt",
                                             Export("D", 2, false));
    const Execution execution = Lance(Programme, {"--json", chemin});
    ASSERT_EQ(execution.Statut, 0);
    const ValeurJson resume = LitJson(execution.Sortie.substr(0, execution.Sortie.size() - 1));
    EXPECT_EQ(resume["fichier"].Chaine(), dossier.Chemin("d\uFFFDc\uFFFDs.txt"));
    EXPECT_EQ(resume["erreurs"].Entier(), 0);
    EXPECT_EQ(resume["enregistrements"].Entier(), 2);
    EXPECT_EQ(resume["type"].Chaine(), "Décès");
}

TEST_F(ControleExport, StatutsEtMessagesDErreur) {
    const std::string propre = dossier.Ecrit("propre.txt", Export("M", 3, true));
    const std::string aProblemes = dossier.Ecrit("problemes.txt", ExportAProblemes());
    const std::string refuse = dossier.Ecrit("refuse.txt", "pas un export\r\n");
    const std::string vide = dossier.Ecrit("vide.txt", "");
    const std::string absent = dossier.Chemin("absent.txt");
    const std::string enErreur = dossier.Racine().string();
    const auto message = [](const std::string& chemin, const std::string& texte) {
        return "controle-export: " + chemin + ": " + texte + "\n";
    };
    const std::string refus = "Ce n'est pas un fichier export de Veloran 3!";
    struct Cas {
        std::vector<std::string> fichiers;
        int statut;
        std::string erreurs;
    };
    const Cas cas[] = {
        {{propre}, 0, ""},
        {{aProblemes}, 1, ""},
        {{absent}, 2, message(absent, "Fichier introuvable.")},
        {{enErreur}, 2, message(enErreur, "Accès au fichier refusé.")},
        {{refuse}, 2, message(refuse, refus)},
        {{vide}, 2, message(vide, refus)},
        {{propre, aProblemes}, 1, ""},
        {{aProblemes, refuse}, 2, message(refuse, refus)},
        {{absent, propre}, 2, message(absent, "Fichier introuvable.")},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichiers.front() + " (" + std::to_string(c.fichiers.size()) + ")");
        const Execution execution = Lance(Programme, c.fichiers);
        EXPECT_EQ(execution.Statut, c.statut);
        EXPECT_EQ(execution.Erreurs, c.erreurs);
    }
}

TEST_F(ControleExport, LigneDeCommandeIncorrecte) {
    const std::string propre = dossier.Ecrit("propre.txt", Export("M", 1, false));
    const std::vector<std::string> cas[] = {
        {},
        {"--inconnue", propre},
        {"--format-date"},
        {"--separateur-date", "ab", propre},
        {"--brut", "--json", propre},
    };
    for (const auto& arguments : cas) {
        const Execution execution = Lance(Programme, arguments);
        EXPECT_EQ(execution.Statut, 2);
        EXPECT_EQ(execution.Sortie, "");
        EXPECT_TRUE(execution.Erreurs.starts_with("controle-export: ")) << execution.Erreurs;
        EXPECT_NE(execution.Erreurs.find("--help"), std::string::npos);
    }
}

TEST_F(ControleExport, AideEtVersion) {
    const Execution version = Lance(Programme, {"--version"});
    EXPECT_EQ(version.Statut, 0);
    EXPECT_EQ(version.Sortie, "controle-export 1.05\n");

    const Execution aide = Lance(Programme, {"--help"});
    EXPECT_EQ(aide.Statut, 0);
    EXPECT_TRUE(aide.Sortie.starts_with("Utilisation : controle-export [OPTION]... FICHIER..."));
    for (const char* option : {"--brut", "--json", "--sans-copie", "--format-date",
                               "--separateur-date", "--help", "--version", "==> FICHIER <=="})
        EXPECT_NE(aide.Sortie.find(option), std::string::npos) << option;
}

TEST_F(ControleExport, PlusieursFichiersChacunSousSonChemin) {
    const std::string propre = dossier.Ecrit("propre.txt", Export("N", 2, false));
    const std::string refuse = dossier.Ecrit("refuse.txt", "rien\n");
    const std::string court = dossier.Ecrit("court.txt", Enregistrement("D", {{11, ""}}) + "\r\n");
    const Execution execution = Lance(Programme, {propre, refuse, court});
    EXPECT_EQ(execution.Sortie,
              "==> " + propre +
                  " <==\n"
                  "Au total : 0 erreurs trouvées\n"
                  "\n"
                  "==> " +
                  court +
                  " <==\n"
                  "0 -> Ardivenne : 12/03/1750 Nom trop court :  Jean à corriger en NN\n"
                  "Au total : 1 erreurs trouvées\n");
    EXPECT_EQ(execution.Erreurs,
              "controle-export: " + refuse + ": Ce n'est pas un fichier export de Veloran 3!\n");
    EXPECT_EQ(execution.Statut, 2);

    // One file alone has no heading.
    EXPECT_EQ(Lance(Programme, {propre}).Sortie, "Au total : 0 erreurs trouvées\n");
}

TEST_F(ControleExport, CopieSansEntete) {
    const std::string octets = Entete + "\n" + Enregistrement("M", {{1, "a"}}) + "\n" +
                               Enregistrement("M", {{1, "b"}, {11, "X"}}) + "\n";
    const std::string chemin = dossier.Ecrit("releve.txt", octets);
    const std::string copie = dossier.Chemin("releve_chk.TXT");

    const Execution sansCopie = Lance(Programme, {"--sans-copie", chemin});
    EXPECT_FALSE(std::filesystem::exists(copie));
    const Execution avecCopie = Lance(Programme, {chemin});
    EXPECT_EQ(DossierTemporaire::Lit(copie), Enregistrement("M", {{1, "a"}}) + "\r\n" +
                                                 Enregistrement("M", {{1, "b"}, {11, "X"}}) +
                                                 "\r\n");
    // The header line is skipped all the same: same records, same messages.
    EXPECT_EQ(sansCopie.Sortie, avecCopie.Sortie);
    EXPECT_NE(sansCopie.Sortie.find("1 -> Ardivenne : 12/03/1750 Nom trop court : X"),
              std::string::npos);
    EXPECT_EQ(sansCopie.Statut, 1);

    // An earlier copy is left as it is.
    dossier.Ecrit("releve_chk.TXT", "ancienne copie");
    Lance(Programme, {"--sans-copie", chemin});
    EXPECT_EQ(DossierTemporaire::Lit(copie), "ancienne copie");
}

TEST_F(ControleExport, FormatEtSeparateurDeDate) {
    struct Cas {
        std::string date;
        std::vector<std::string> options;
        bool refusee;
    };
    const Cas cas[] = {
        {"25/03/1750", {}, true}, // the C locale reads month/day/year
        {"03/25/1750", {}, false},
        {"25/03/1750", {"--format-date", "dd/MM/yyyy"}, false},
        {"03/25/1750", {"--format-date", "dd/MM/yyyy"}, true},
        {"1750-03-25", {"--format-date", "yyyy-MM-dd"}, false}, // the format's separator
        {"1750-03-25", {"--format-date", "yyyy-MM-dd", "--separateur-date", "/"}, true},
        {"1750/03/25", {"--format-date", "yyyy-MM-dd", "--separateur-date", "/"}, false},
        {"03.25.1750", {"--separateur-date", "."}, false},
        {"03/25/1750", {"--separateur-date", "."}, true},
    };
    for (const Cas& c : cas) {
        const std::string chemin =
            dossier.Ecrit("date.txt", Enregistrement("N", {{7, c.date}}) + "\r\n");
        std::vector<std::string> arguments = c.options;
        arguments.push_back(chemin);
        const Execution execution = Lance(Programme, arguments);
        const std::string message = "0 -> Ardivenne : " + c.date + "\n";
        EXPECT_EQ(execution.Sortie.starts_with(message), c.refusee)
            << c.date << " " << ::testing::PrintToString(c.options);
        EXPECT_EQ(execution.Statut, c.refusee ? 1 : 0);
    }
}

TEST_F(ControleExport, BarreDeProgressionSurUnTerminalSeulement) {
    const std::string chemin = dossier.Ecrit("long.txt", Export("M", 500, true));
    const Execution terminal = Lance(Programme, {chemin}, true);
    EXPECT_EQ(terminal.Sortie, "Au total : 0 erreurs trouvées\n");
    // Starts empty, moves on with the records, and is wiped at the end.
    EXPECT_TRUE(terminal.Erreurs.starts_with("\r[" + std::string(40, '.') + "]   0 %"))
        << ::testing::PrintToString(terminal.Erreurs);
    EXPECT_NE(terminal.Erreurs.find("\r[####################..."), std::string::npos);
    EXPECT_TRUE(terminal.Erreurs.ends_with("\r\033[K")) << terminal.Erreurs;

    EXPECT_EQ(Lance(Programme, {chemin}).Erreurs, "");
}
