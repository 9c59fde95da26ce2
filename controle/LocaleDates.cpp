#include "LocaleDates.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace controle {
namespace {

// %D and %F stand for whole dates; spelt out, they translate like any other format.
std::string DeveloppeComposes(std::string_view format) {
    std::string developpe;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::string_view paire = format.substr(i, 2);
        if (paire == "%D")
            developpe += "%m/%d/%y";
        else if (paire == "%F")
            developpe += "%Y-%m-%d";
        else if (paire == "%%") // kept whole so that "%%D" stays literal
            developpe += paire;
        else {
            developpe += format[i];
            continue;
        }
        ++i;
    }
    return developpe;
}

// The letters of one conversion; `sansZero` for the "-" flag (no padding).
std::string_view Lettres(char conversion, bool ere, bool sansZero) {
    switch (conversion) {
    case 'd':
        return sansZero ? "d" : "dd";
    case 'e':
        return "d";
    case 'm':
        return sansZero ? "M" : "MM";
    case 'y':
        return "yy";
    case 'Y':
        return "yyyy";
    case 'C':
        return ere ? "gg" : "";
    case 'a':
        return "ddd";
    case 'A':
        return "dddd";
    case 'b':
    case 'h':
        return "MMM";
    case 'B':
        return "MMMM";
    default:
        return "";
    }
}

bool LettreAscii(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A short date format being written: runs of literal letters go between quotes, as the
// short date formats write them.
class FormatEcrit {
public:
    void Litteral(char c) {
        if (LettreAscii(c) != entreGuillemets_)
            Guillemet();
        texte_ += c == '\'' ? "''" : std::string(1, c);
    }
    void Champ(std::string_view lettres) {
        if (entreGuillemets_)
            Guillemet();
        texte_ += lettres;
    }
    std::string Fin() {
        if (entreGuillemets_)
            Guillemet();
        return std::move(texte_);
    }

private:
    void Guillemet() {
        texte_ += '\'';
        entreGuillemets_ = !entreGuillemets_;
    }
    std::string texte_;
    bool entreGuillemets_ = false;
};

bool LocaleC(std::string_view nom) {
    return nom == "C" || nom == "POSIX" || nom.starts_with("C.") || nom.starts_with("C@");
}

// Languages that never use the Far-East rules, whatever their character set.
bool LangueOccidentale(int langue) {
    static constexpr int langues[] = {0, 6, 7, 9, 0x0A, 0x0B, 0x0C, 0x10, 0x13, 0x14, 0x16, 0x1D};
    return std::find(std::begin(langues), std::end(langues), langue) != std::end(langues);
}

struct LiberationLocale {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using Locale = std::unique_ptr<std::remove_pointer_t<locale_t>, LiberationLocale>;

} // namespace

FormatTraduit TraduitFormatDate(std::string_view formatStrftime) {
    const std::string format = DeveloppeComposes(formatStrftime);
    FormatTraduit traduit;
    FormatEcrit ecrit;
    int champs = 0;
    std::string entreDeuxChamps;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size() || format[i + 1] == '%') {
            i += format[i] == '%' && i + 1 < format.size(); // "%%" is one literal "%"
            ecrit.Litteral(format[i]);
            if (champs == 1)
                entreDeuxChamps += format[i];
            continue;
        }
        bool sansZero = false;
        while (i + 1 < format.size() &&
               std::string_view("_-0^#").find(format[i + 1]) != std::string_view::npos)
            sansZero |= format[++i] == '-';
        while (i + 1 < format.size() && format[i + 1] >= '0' && format[i + 1] <= '9')
            ++i;
        bool ere = false;
        if (i + 1 < format.size() && (format[i + 1] == 'E' || format[i + 1] == 'O'))
            ere = format[++i] == 'E';
        if (i + 1 == format.size())
            break;
        ecrit.Champ(Lettres(format[++i], ere, sansZero));
        ++champs;
    }
    traduit.Format = ecrit.Fin();
    if (champs >= 2 && entreDeuxChamps.size() == 1)
        traduit.Separateur = entreDeuxChamps.front();
    return traduit;
}

int LangueDuNomLocale(std::string_view nom) {
    struct Langue {
        std::string_view Code;
        int Numero;
    };
    static constexpr Langue langues[] = {
        {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
        {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
        {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
        {"nl", 0x13}, {"nb", 0x14}, {"nn", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16},
        {"rm", 0x17}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sr", 0x1A}, {"bs", 0x1A},
        {"sk", 0x1B}, {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20},
        {"id", 0x21}, {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26},
        {"lt", 0x27}, {"fa", 0x29}, {"vi", 0x2A}, {"hy", 0x2B}, {"az", 0x2C}, {"eu", 0x2D},
        {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37}, {"fo", 0x38}, {"hi", 0x39}, {"mt", 0x3A},
        {"ga", 0x3C}, {"ms", 0x3E}, {"kk", 0x3F}, {"sw", 0x41}, {"uz", 0x43}, {"bn", 0x45},
        {"ta", 0x49}, {"te", 0x4A}, {"mr", 0x4E}, {"mn", 0x50}, {"cy", 0x52}, {"gl", 0x56},
    };
    const std::string_view code = nom.substr(0, nom.find_first_of("_.@"));
    for (const Langue& langue : langues)
        if (langue.Code == code)
            return langue.Numero;
    return 9;
}

bool JeuDoubleOctet(std::string_view jeu) {
    // Compared without case, "-" and "_": "EUC-JP", "eucJP" and "euc_jp" are one set.
    std::string cle;
    for (const char c : jeu)
        if (c != '-' && c != '_')
            cle += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    static constexpr std::string_view jeux[] = {
        "eucjp",  "sjis",    "shiftjis", "cp932", "euckr",     "cp949", "uhc",   "gbk",
        "gb2312", "gb18030", "cp936",    "big5",  "big5hkscs", "cp950", "euctw",
    };
    return std::find(std::begin(jeux), std::end(jeux), cle) != std::end(jeux);
}

ReglagesDates ReglagesDepuisLocale(const DonneesLocale& donnees) {
    ReglagesDates reglages;
    reglages.LanguePrincipale = LangueDuNomLocale(donnees.Nom);
    reglages.ModeExtremeOrient =
        !LangueOccidentale(reglages.LanguePrincipale) && JeuDoubleOctet(donnees.JeuCaracteres);
    // The C locale is no choice of the user: the format and separator keep their defaults.
    const FormatTraduit traduit = TraduitFormatDate(donnees.FormatDate);
    if (!LocaleC(donnees.Nom) && !traduit.Format.empty()) {
        reglages.FormatDateCourt = traduit.Format;
        reglages.SeparateurDate = traduit.Separateur;
    }
    // Without an era calendar, Chinese, Japanese and Korean formats lose their era letters.
    const int langue = reglages.LanguePrincipale;
    if (langue == LangueChinois || langue == LangueJaponais || langue == LangueCoreen)
        std::erase_if(reglages.FormatDateCourt, [](char c) { return c == 'g' || c == 'G'; });
    reglages.MarqueurAM = donnees.MarqueurAM;
    reglages.MarqueurPM = donnees.MarqueurPM;
    return reglages;
}

std::optional<DonneesLocale> LitDonneesLocale() {
    const Locale dates(newlocale(LC_TIME_MASK, "", locale_t{}));
    if (!dates)
        return std::nullopt;
    DonneesLocale donnees;
    donnees.Nom = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), dates.get());
    donnees.FormatDate = nl_langinfo_l(D_FMT, dates.get());
    donnees.MarqueurAM = nl_langinfo_l(AM_STR, dates.get());
    donnees.MarqueurPM = nl_langinfo_l(PM_STR, dates.get());
    // The character set of the same locale, whatever LC_CTYPE says.
    if (const Locale caracteres(newlocale(LC_CTYPE_MASK, donnees.Nom.c_str(), locale_t{}));
        caracteres)
        donnees.JeuCaracteres = nl_langinfo_l(CODESET, caracteres.get());
    return donnees;
}

ReglagesDates ReglagesLocaleUtilisateur() {
    const std::optional<DonneesLocale> donnees = LitDonneesLocale();
    return donnees ? ReglagesDepuisLocale(*donnees) : ReglagesDates{};
}

} // namespace controle
