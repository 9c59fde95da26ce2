#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "LocaleDates.h"
#include "ReglagesDates.h"

using namespace controle;

TEST(TraduitFormatDate, LettresEtSeparateur) {
    struct Cas {
        std::string strftime, format;
        char separateur;
    };
    const Cas cas[] = {
        {"%d/%m/%Y", "dd/MM/yyyy", '/'}, // fr_FR
        {"%d.%m.%Y", "dd.MM.yyyy", '.'}, // de_DE
        {"%m/%d/%Y", "MM/dd/yyyy", '/'}, // en_US
        {"%m/%d/%y", "MM/dd/yy", '/'},   // C
        {"%Y-%m-%d", "yyyy-MM-dd", '-'}, // sv_SE
        {"%F", "yyyy-MM-dd", '-'},
        {"%D", "MM/dd/yy", '/'},
        {"%e.%m.%Y", "d.MM.yyyy", '.'}, // bg_BG
        {"%-d/%-m/%Y", "d/M/yyyy", '/'},
        {"%Od/%Om/%EY", "dd/MM/yyyy", '/'},
        {"%EC%Ey/%m/%d", "ggyy/MM/dd", '/'},
        {"%Y. %m. %d.", "yyyy. MM. dd.", '/'}, // hu_HU: a two-byte separator
        {"%Y\xEB\x85\x84 %m\xEC\x9B\x94 %d\xEC\x9D\xBC",
         "yyyy\xEB\x85\x84 MM\xEC\x9B\x94 dd\xEC\x9D\xBC", '/'}, // ko_KR, in UTF-8
        {"%d %b %Y", "dd MMM yyyy", ' '},
        {"%A %d %B %Y", "dddd dd MMMM yyyy", ' '},
        {"le %d/%m/%Y", "'le' dd/MM/yyyy", '/'},
        {"%d/%m/%Y r.", "dd/MM/yyyy 'r'.", '/'},
        {"%d%%%m", "dd%MM", '%'},
        {"%Y", "yyyy", '/'}, // one field: no separator
        {"", "", '/'},
    };
    for (const Cas& c : cas) {
        const FormatTraduit traduit = TraduitFormatDate(c.strftime);
        EXPECT_EQ(traduit.Format, c.format) << c.strftime;
        EXPECT_EQ(traduit.Separateur, c.separateur) << c.strftime;
    }
}

TEST(LangueDuNomLocale, NumeroDeLaLangue) {
    struct Cas {
        std::string nom;
        int langue;
    };
    const Cas cas[] = {
        {"fr_FR.UTF-8", 0x0C}, {"fr_BE@euro", 0x0C},  {"de_DE", 7},      {"en_US.UTF-8", 9},
        {"ja_JP.eucJP", 0x11}, {"ko_KR.UTF-8", 0x12}, {"zh_TW.Big5", 4}, {"nb_NO", 0x14},
        {"sr_RS@latin", 0x1A}, {"pt", 0x16},          {"C", 9},          {"POSIX", 9},
        {"C.UTF-8", 9},        {"tlh_XX", 9},         {"", 9},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(LangueDuNomLocale(c.nom), c.langue) << c.nom;
}

TEST(JeuDoubleOctet, SeulsLesJeuxDExtremeOrient) {
    for (const char* jeu :
         {"EUC-JP", "eucJP", "SHIFT_JIS", "GBK", "GB18030", "BIG5-HKSCS", "EUC-KR", "CP949"})
        EXPECT_TRUE(JeuDoubleOctet(jeu)) << jeu;
    for (const char* jeu : {"UTF-8", "ISO-8859-1", "ANSI_X3.4-1968", "CP1252", "EUC", ""})
        EXPECT_FALSE(JeuDoubleOctet(jeu)) << jeu;
}

TEST(ReglagesDepuisLocale, ReglagesDUneLocale) {
    struct Cas {
        DonneesLocale locale;
        std::string format;
        char separateur;
        int langue;
        bool extremeOrient;
    };
    const Cas cas[] = {
        {{"fr_FR.UTF-8", "%d/%m/%Y", "UTF-8", "", ""}, "dd/MM/yyyy", '/', 0x0C, false},
        {{"de_DE.UTF-8", "%d.%m.%Y", "UTF-8", "", ""}, "dd.MM.yyyy", '.', 7, false},
        {{"en_US.UTF-8", "%m/%d/%Y", "UTF-8", "AM", "PM"}, "MM/dd/yyyy", '/', 9, false},
        // The C locale is nobody's choice: the defaults stand.
        {{"C", "%m/%d/%y", "ANSI_X3.4-1968", "AM", "PM"}, "m/d/yy", '/', 9, false},
        {{"C.UTF-8", "%m/%d/%y", "UTF-8", "AM", "PM"}, "m/d/yy", '/', 9, false},
        {{"hu_HU.UTF-8", "%Y. %m. %d.", "UTF-8", "de.", "du."}, "yyyy. MM. dd.", '/', 0x0E, false},
        {{"xx_XX", "", "UTF-8", "", ""}, "m/d/yy", '/', 9, false},
        // Far-East mode needs both a Far-East language and a double-byte set.
        {{"ja_JP.eucJP", "%Y/%m/%d", "EUC-JP", "", ""}, "yyyy/MM/dd", '/', 0x11, true},
        {{"ja_JP.UTF-8", "%Y/%m/%d", "UTF-8", "", ""}, "yyyy/MM/dd", '/', 0x11, false},
        {{"de_DE.GBK", "%d.%m.%Y", "GBK", "", ""}, "dd.MM.yyyy", '.', 7, false},
        // Without an era calendar these languages lose the era letters.
        {{"zh_CN.GBK", "%EC%Ey/%m/%d", "GBK", "", ""}, "yy/MM/dd", '/', 4, true},
    };
    for (const Cas& c : cas) {
        const ReglagesDates reglages = ReglagesDepuisLocale(c.locale);
        SCOPED_TRACE(c.locale.Nom);
        EXPECT_EQ(reglages.FormatDateCourt, c.format);
        EXPECT_EQ(reglages.SeparateurDate, c.separateur);
        EXPECT_EQ(reglages.LanguePrincipale, c.langue);
        EXPECT_EQ(reglages.ModeExtremeOrient, c.extremeOrient);
        EXPECT_EQ(reglages.MarqueurAM, c.locale.MarqueurAM);
        EXPECT_EQ(reglages.MarqueurPM, c.locale.MarqueurPM);
        EXPECT_EQ(reglages.FenetreSiecle, 50);
        EXPECT_EQ(reglages.Eres[0].Nom, "");
    }
}

TEST(ReglagesDepuisLocale, LesDatesSuiventLaLocale) {
    const auto reglages = [](const char* nom, const char* format) {
        return ReglagesDepuisLocale({nom, format, "UTF-8", "", ""});
    };
    EXPECT_TRUE(DateValide("31/12/1750", reglages("fr_FR.UTF-8", "%d/%m/%Y")));
    EXPECT_FALSE(DateValide("31/12/1750", reglages("en_US.UTF-8", "%m/%d/%Y")));
    EXPECT_TRUE(DateValide("31.12.1750", reglages("de_DE.UTF-8", "%d.%m.%Y")));
    // A separator longer than one byte falls back to "/".
    EXPECT_TRUE(DateValide("1750/12/31", reglages("hu_HU.UTF-8", "%Y. %m. %d.")));
    EXPECT_FALSE(DateValide("1750. 12. 31.", reglages("hu_HU.UTF-8", "%Y. %m. %d.")));
}

// Sets LC_ALL for one test and puts the old value back.
class LocaleDuProcessus : public ::testing::Test {
protected:
    void TearDown() override {
        if (ancien_)
            setenv("LC_ALL", ancien_->c_str(), 1);
        else
            unsetenv("LC_ALL");
        LitReglagesDates();
    }
    void Fixe(const char* valeur) { setenv("LC_ALL", valeur, 1); }

private:
    std::optional<std::string> ancien_ = [] {
        const char* valeur = std::getenv("LC_ALL");
        return valeur ? std::optional<std::string>(valeur) : std::nullopt;
    }();
};

TEST_F(LocaleDuProcessus, LaLocaleCDonneLesDefauts) {
    Fixe("C");
    const std::optional<DonneesLocale> donnees = LitDonneesLocale();
    ASSERT_TRUE(donnees);
    EXPECT_EQ(donnees->Nom, "C");
    EXPECT_EQ(donnees->FormatDate, "%m/%d/%y");
    LitReglagesDates();
    EXPECT_EQ(ReglagesCourants().FormatDateCourt, "m/d/yy");
    EXPECT_EQ(ReglagesCourants().SeparateurDate, '/');
    EXPECT_EQ(ReglagesCourants().MarqueurAM, "AM");
}

TEST_F(LocaleDuProcessus, UneLocaleAbsenteDonneLesDefautsEtRemplaceLeTout) {
    Fixe("C");
    LitReglagesDates();
    ASSERT_EQ(ReglagesCourants().MarqueurAM, "AM");
    Fixe("xx_XX.UTF-8"); // installed nowhere
    EXPECT_FALSE(LitDonneesLocale());
    LitReglagesDates();
    EXPECT_EQ(ReglagesCourants().MarqueurAM, "am");
    EXPECT_EQ(ReglagesCourants().MarqueurPM, "pm");
}
