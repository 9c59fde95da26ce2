#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "ConversionDate.h"
#include "Erreurs.h"
#include "HorlogeDates.h"
#include "ReglagesDates.h"

using namespace controle;
using namespace std::string_literals;

namespace {

// Every allocation of the program, to show that the success path makes none.
std::size_t allocations = 0;

int anneeFixee = 2024;

// Pins the clock's year; each test starts in 2024.
class Dates : public ::testing::Test {
protected:
    void SetUp() override {
        anneeFixee = 2024;
        precedente_ = RemplaceLectureAnnee([] { return anneeFixee; });
    }
    void TearDown() override { RemplaceLectureAnnee(precedente_); }

    static ReglagesDates Reglages(std::string format, char separateur) {
        ReglagesDates reglages;
        reglages.FormatDateCourt = std::move(format);
        reglages.SeparateurDate = separateur;
        return reglages;
    }

    static ReglagesDates Francais() { return Reglages("dd/MM/yyyy", '/'); }

    // Far-East settings with an era list filled by hand, as a Japanese system gives them.
    static ReglagesDates Japonais(std::string format) {
        ReglagesDates reglages = Reglages(std::move(format), '/');
        reglages.LanguePrincipale = 0x11;
        reglages.ModeExtremeOrient = true;
        reglages.MarqueurAM = "AM";
        reglages.MarqueurPM = "PM";
        reglages.Eres[0] = {"Heisei", 1989};
        reglages.Eres[1] = {"Reiwa", 2019};
        return reglages;
    }

private:
    LectureAnnee precedente_ = nullptr;
};

struct Cas {
    std::string texte;
    std::optional<Date> attendu; // nothing: the text is no date
};

// Checks both faces of the rule: the conversion's date or its error, and DateValide's answer.
void Verifie(const Cas& c, const ReglagesDates& reglages) {
    SCOPED_TRACE("texte [" + c.texte + "] format " + reglages.FormatDateCourt);
    EXPECT_EQ(DateValide(c.texte, reglages), c.attendu.has_value());
    if (c.attendu) {
        EXPECT_EQ(ConvertitDate(c.texte, reglages), *c.attendu);
    } else {
        EXPECT_THROW(ConvertitDate(c.texte, reglages), EConvertError);
    }
}

const std::optional<Date> invalide;

} // namespace

namespace controle {
void PrintTo(const Date& date, std::ostream* flux) {
    *flux << date.Jour << '/' << date.Mois << '/' << date.Annee;
}
} // namespace controle

TEST_F(Dates, CasLimitesSousReglagesFrancais) {
    const Date mars1750{1750, 3, 12};
    const Cas cas[] = {
        {"12/03/1750", mars1750},
        {"1/3/1750", Date{1750, 3, 1}},
        {"0012/0003/1750", mars1750},
        {"   12/03/1750", mars1750},
        {"12/03/1750   ", mars1750},
        {"  12/03/1750  ", mars1750},
        {"12 / 03 / 1750", mars1750},
        {"\t12/03/1750", invalide},
        {"12/03/1750\t", invalide},
        {"\n12/03/1750", invalide},
        {"12/03/1750\r\n", invalide},
        {"\0"
         "12/03/1750"s,
         invalide},
        {"12/03/1750\0"s, invalide},
        {"\xA0"
         "12/03/1750",
         invalide},
        {"12/03/1750/", mars1750},
        {"12/03/1750 /  ", mars1750},
        {"12/03/1750//", invalide},
        {"31/04/1750", invalide},
        {"30/04/1750", Date{1750, 4, 30}},
        {"29/02/1752", Date{1752, 2, 29}},
        {"29/02/1750", invalide},
        {"29/02/1700", invalide},
        {"29/02/1600", Date{1600, 2, 29}},
        {"29/02/1500", invalide},
        {"00/00/1750", invalide},
        {"15/00/1750", invalide},
        {"12/13/1750", invalide},
        {"12/03/74", Date{1974, 3, 12}},
        {"12/03/73", Date{2073, 3, 12}},
        {"12/03/0", Date{2000, 3, 12}},
        {"12/03/00", Date{2000, 3, 12}},
        {"12/03/99", Date{1999, 3, 12}},
        {"12/03/005", Date{5, 3, 12}},
        {"12/03/0075", Date{75, 3, 12}},
        {"12/03/000", invalide},
        {"31/12/9999", Date{9999, 12, 31}},
        {"01/01/0001", Date{1, 1, 1}},
        {"12/03/17500", invalide},
        {"12/03/01750", mars1750},
        {"12/03", Date{2024, 3, 12}},
        {"29/02", Date{2024, 2, 29}},
        {"12/03/", invalide},
        {"03/1750", invalide},
        {"1750", invalide},
        {"12-03-1750", invalide},
        {"12.03.1750", invalide},
        {"12 03 1750", invalide},
        {"12 mars 1750", invalide},
        {"vers 1750", invalide},
        {"12/03/1750 ou 1751", invalide},
        {"+12/03/1750", invalide},
        {"", invalide},
        {"    ", invalide},
    };
    for (const Cas& c : cas)
        Verifie(c, Francais());
}

TEST_F(Dates, SousDAutresReglages) {
    struct CasReglages {
        std::string format;
        char separateur;
        Cas cas;
    };
    const CasReglages cas[] = {
        {"yyyy-MM-dd", '-', {"1750-03-12", Date{1750, 3, 12}}},
        {"yyyy-MM-dd", '-', {"50-03-12", Date{2050, 3, 12}}},
        {"yyyy-MM-dd", '-', {"03-12", Date{2024, 3, 12}}},
        {"yyyy-MM-dd", '-', {"12/03/1750", invalide}},
        {"MM/dd/yyyy", '/', {"12/03/1750", Date{1750, 12, 3}}},
        {"MM/dd/yyyy", '/', {"31/12/1750", invalide}},
        {"MM/dd/yyyy", '/', {"12/03", Date{2024, 12, 3}}},
        {"dd.MM.yyyy", '.', {"12.03.1750", Date{1750, 3, 12}}},
        {"dd MM yyyy", ' ', {"12 03 1750", invalide}},
        {"dd MM yyyy", ' ', {"12/03/1750", invalide}},
        // Letters choose the order in either case, and quoting hides nothing.
        {"DD.MM.YYYY", '/', {"12/03/1750", Date{1750, 3, 12}}},
        {"'du' MM/dd/yyyy", '/', {"12/03/1750", Date{1750, 3, 12}}},
        {"'le' MM/dd/yyyy", '/', {"1750/03/12", Date{1750, 3, 12}}},
        // No d, m, y or e at all: month first.
        {"", '/', {"12/03/1750", Date{1750, 12, 3}}},
        {"#/#/#", '/', {"12/03/1750", Date{1750, 12, 3}}},
        // A leading g passes over whatever stands before the first digit.
        {"gg dd/MM/yyyy", '/', {"le 12/03/1750", Date{1750, 3, 12}}},
        {"gg dd/MM/yyyy", '/', {"12/03/1750", Date{1750, 3, 12}}},
        {"gg dd/MM/yyyy", '/', {"\tvers\x01 12/03/1750", Date{1750, 3, 12}}},
        {"gg dd/MM/yyyy", '/', {"le 12/03/1750 ou", invalide}},
        {"gg dd/MM/yyyy", '/', {"vers", invalide}},
        {"dd/MM/yyyy gg", '/', {"le 12/03/1750", invalide}},
    };
    for (const CasReglages& c : cas)
        Verifie(c.cas, Reglages(c.format, c.separateur));
}

TEST_F(Dates, FenetreDeSiecleSuitLAnneeCourante) {
    struct CasSiecle {
        int anneeCourante;
        std::string texte;
        int annee;
    };
    const CasSiecle cas[] = {
        {2024, "12/03/74", 1974}, {2024, "12/03/73", 2073}, {2024, "12/03/5", 2005},
        {2000, "12/03/50", 1950}, {2000, "12/03/49", 2049}, {2099, "12/03/48", 2148},
        {2150, "12/03/0", 2100},  {2151, "12/03/0", 2200},  {2024, "12/03/2", 2002},
    };
    for (const CasSiecle& c : cas) {
        anneeFixee = c.anneeCourante;
        Verifie({c.texte, Date{c.annee, 3, 12}}, Francais());
    }
}

TEST_F(Dates, DeuxNombresPrennentLAnneeDeLHorlogeAChaqueTest) {
    const ReglagesDates reglages = Francais();
    EXPECT_TRUE(DateValide("29/02", reglages));
    anneeFixee = 2023;
    EXPECT_FALSE(DateValide("29/02", reglages));
    EXPECT_EQ(ConvertitDate("28/02", reglages), (Date{2023, 2, 28}));
}

TEST_F(Dates, LErreurDeConversionNommeLeTexte) {
    try {
        ConvertitDate(" 12 mars 1750", Francais());
        FAIL() << "aucune erreur";
    } catch (const EConvertError& erreur) {
        EXPECT_STREQ(erreur.what(), "' 12 mars 1750' n'est pas une date correcte");
    }
}

TEST_F(Dates, ReglesDesEres) {
    struct CasEre {
        std::string format;
        int langue;
        Ere premiere;
        Cas cas;
    };
    const Ere heisei{"Heisei", 1989};
    const Ere dangi{"Dangi", 2333};
    const CasEre cas[] = {
        // Era prefix: the name before the first digit picks the first era containing it.
        {"ggg e/M/d", 0x11, heisei, {"Reiwa 6/3/12", Date{2024, 3, 12}}},
        {"ggg e/M/d", 0x11, heisei, {"Heisei 1/1/8", Date{1989, 1, 8}}},
        {"ggg e/M/d", 0x11, heisei, {"Rei 6/3/12", Date{2024, 3, 12}}},
        {"ggg e/M/d", 0x11, heisei, {"\t Reiwa\x01 6/3/12", Date{2024, 3, 12}}},
        {"ggg e/M/d", 0x11, heisei, {"Reiwa6/3/12", Date{2024, 3, 12}}},
        // No era matches (an empty name matches none): offset 0, so the century window.
        {"ggg e/M/d", 0x11, heisei, {"Showa 6/3/12", Date{2006, 3, 12}}},
        {"ggg e/M/d", 0x11, heisei, {"6/3/12", Date{2006, 3, 12}}},
        {"ggg e/M/d", 0x11, heisei, {"Reiwa 0006/3/12", Date{2024, 3, 12}}},
        // A two-number date is in the current year, eras or not.
        {"ggg e/M/d", 0x11, heisei, {"Reiwa 3/12", Date{2024, 3, 12}}},
        {"ggg e/M/d", 0x11, heisei, {"Reiwa 32/2/29", invalide}},
        // Without a leading g, an e anywhere takes the first era of the list.
        {"ee/MM/dd", 0x11, {"Reiwa", 2019}, {"6/03/12", Date{2024, 3, 12}}},
        {"ee/MM/dd", 0x11, {"Reiwa", 2019}, {"Reiwa 6/03/12", invalide}},
        {"yyyy/MM/dd", 0x11, {"Reiwa", 2019}, {"6/03/12", Date{2006, 3, 12}}},
        // An offset that is not above 0 leaves the year to the century window.
        {"ee/MM/dd", 0x11, {"Moins", -5}, {"6/03/12", Date{2006, 3, 12}}},
        // Korean: a year of at most 99 is first raised into the era's century.
        {"ee/MM/dd", 0x12, dangi, {"4357/03/12", Date{2024, 3, 12}}},
        {"ee/MM/dd", 0x12, dangi, {"57/03/12", Date{2024, 3, 12}}},
        {"ee/MM/dd", 0x12, dangi, {"99/03/12", Date{2066, 3, 12}}},
        {"ee/MM/dd", 0x12, dangi, {"100/03/12", invalide}},
        // The fifth digit remains even where the era would bring the year back into range.
        {"ee/MM/dd", 0x12, dangi, {"11000/03/12", invalide}},
    };
    for (const CasEre& c : cas) {
        ReglagesDates reglages = Japonais(c.format);
        reglages.LanguePrincipale = c.langue;
        reglages.Eres[0] = c.premiere;
        Verifie(c.cas, reglages);
    }
}

TEST_F(Dates, UnOctetDeTeteEmporteLOctetQuiLeSuit) {
    // 0x82 leads a double-byte character in Far-East mode: the "1" after it is its second
    // byte, not the first digit of the date.
    const std::string texte = "\x82"
                              "16/03/12";
    ReglagesDates reglages = Japonais("ggg yy/MM/dd");
    Verifie({texte, Date{2006, 3, 12}}, reglages);
    Verifie({"\x82", invalide}, reglages);
    reglages.ModeExtremeOrient = false;
    Verifie({texte, Date{2016, 3, 12}}, reglages);
}

TEST_F(Dates, MotsFinauxEnModeExtremeOrient) {
    const Cas cas[] = {
        {"2024/03/12 mardi", Date{2024, 3, 12}},     {"2024/03/12 mardi gras", Date{2024, 3, 12}},
        {"2024/03/12/  mardi  ", Date{2024, 3, 12}}, {"2024/03/12 PM", Date{2024, 3, 12}},
        {"2024/03/12 mardi pm", invalide},           {"2024/03/12 mardi AMx 3", invalide},
        {"2024/03/12 mardi aM", invalide},           {"2024/04/31 mardi", invalide},
    };
    for (const Cas& c : cas)
        Verifie(c, Japonais("yyyy/MM/dd ddd"));

    ReglagesDates sansJour = Japonais("yyyy/MM/dd dd");
    Verifie({"2024/03/12 mardi", invalide}, sansJour);
    ReglagesDates occidental = Japonais("yyyy/MM/dd ddd");
    occidental.ModeExtremeOrient = false;
    Verifie({"2024/03/12 mardi", invalide}, occidental);
    ReglagesDates marqueurVide = Japonais("yyyy/MM/dd ddd");
    marqueurVide.MarqueurAM.clear();
    Verifie({"2024/03/12 mardi", Date{2024, 3, 12}}, marqueurVide);
    Verifie({"2024/03/12 mardi gras", invalide}, marqueurVide);
}

// A date of exactly ten characters, dd/mm/yyyy, is read at once; with a space before it the
// same text goes through the full scan. Both must give the same verdict and the same date.
TEST_F(Dates, FormeUsuelleCommeLeBalayageComplet) {
    const ReglagesDates reglages[] = {Francais(),
                                      Reglages("MM/dd/yyyy", '/'),
                                      Reglages("yyyy-MM-dd", '-'),
                                      Reglages("dd.MM.yyyy", '.'),
                                      Reglages("gg dd/MM/yyyy", '/'),
                                      Japonais("ggyy/MM/dd")};
    std::mt19937 hasard(1752);
    const char chiffres[] = "0123456789";
    for (const ReglagesDates& r : reglages)
        for (int essai = 0; essai < 20000; ++essai) {
            std::string texte = "00/00/0000";
            for (const int i : {0, 1, 3, 4, 6, 7, 8, 9})
                texte[i] = chiffres[hasard() % (i == 0 || i == 3 ? 4 : 10)];
            // Now and then any byte in a digit's place, those next to the digits above all.
            if (hasard() % 4 == 0) {
                const char voisins[] = {'/', ':', ' ', '\0', 'a', '\xff', '\xb0', '\xb9'};
                const int places[] = {0, 1, 3, 4, 6, 7, 8, 9};
                texte[places[hasard() % 8]] = hasard() % 2 == 0 ? voisins[hasard() % sizeof voisins]
                                                                : static_cast<char>(hasard() % 256);
            }
            texte[2] = texte[5] = hasard() % 8 == 0 ? '/' : r.SeparateurDate;
            const std::string balaye = " " + texte;
            ASSERT_EQ(DateValide(texte, r), DateValide(balaye, r)) << texte;
            if (DateValide(texte, r)) {
                ASSERT_EQ(ConvertitDate(texte, r), ConvertitDate(balaye, r)) << texte;
            }
        }
}

TEST_F(Dates, DateValideNAlloueRien) {
    const ReglagesDates reglages = Francais();
    const std::string_view textes[] = {"12/03/1750", " 1/3/74 ", "12/03", "12 mars 1750",
                                       "31/04/1750"};
    RemplaceLectureAnnee(nullptr); // the real clock, read once beforehand to settle it
    DateValide("12/03/74", reglages);
    const std::size_t avant = allocations;
    for (const std::string_view texte : textes)
        DateValide(texte, reglages);
    EXPECT_EQ(allocations, avant);
}

// Neither is inlined: the optimiser would otherwise pair free() or delete with the other's
// allocation and warn of a mismatch.
[[gnu::noinline]] void* operator new(std::size_t taille) {
    ++allocations;
    if (void* p = std::malloc(taille ? taille : 1))
        return p;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
