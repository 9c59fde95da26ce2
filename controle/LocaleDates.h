#pragma once
// The regional date settings drawn from the C library's locale for dates (LC_ALL, LC_TIME,
// LANG, as the library resolves them). The pure steps are apart from the system reading so
// that they can be checked without the locales installed.
#include <optional>
#include <string>
#include <string_view>

#include "ReglagesDates.h"

namespace controle {

// The raw values of a locale, as the C library gives them.
struct DonneesLocale {
    std::string Nom;           // "fr_FR.UTF-8", "C", ...
    std::string FormatDate;    // D_FMT: "%d/%m/%Y"
    std::string JeuCaracteres; // CODESET: "UTF-8", "EUC-JP", ...
    std::string MarqueurAM;
    std::string MarqueurPM;
};

// A strftime date format in the letters of a short date format ("%d/%m/%Y" gives
// "dd/MM/yyyy"), with the separator: the text between the first two fields when it is one
// byte, "/" otherwise.
struct FormatTraduit {
    std::string Format;
    char Separateur = '/';
};
FormatTraduit TraduitFormatDate(std::string_view formatStrftime);

// The Windows primary language number of a locale name ("fr_FR.UTF-8" gives 0x0C);
// English (9) for the C locale and for languages not in the table.
int LangueDuNomLocale(std::string_view nom);

// True for the double-byte character sets of the Far East (EUC-JP, Shift_JIS, GBK, Big5...).
bool JeuDoubleOctet(std::string_view jeu);

ReglagesDates ReglagesDepuisLocale(const DonneesLocale& donnees);

// The user's locale for dates; nothing when the C library cannot open it.
std::optional<DonneesLocale> LitDonneesLocale();

// The settings of the user's locale, the defaults when it cannot be read.
ReglagesDates ReglagesLocaleUtilisateur();

} // namespace controle
