#pragma once
// Regional date settings and the date rule.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace controle {

struct Ere {
    std::string Nom;
    int Decalage = 0;
};

// Primary language numbers that the date rule treats apart.
inline constexpr int LangueChinois = 0x04;
inline constexpr int LangueJaponais = 0x11;
inline constexpr int LangueCoreen = 0x12;

struct ReglagesDates {
    std::string FormatDateCourt = "m/d/yy";
    char SeparateurDate = '/';
    std::uint16_t FenetreSiecle = 50;
    int LanguePrincipale = 9;
    bool ModeExtremeOrient = false;
    std::string MarqueurAM = "am";
    std::string MarqueurPM = "pm";
    std::array<Ere, 7> Eres{};
};

// The program's settings, replaced as a whole when read again. Read from the user's locale
// on first use when nobody has read them yet.
const ReglagesDates& ReglagesCourants();

// Reads the settings again from the user's locale for dates and replaces the program's
// settings as a whole; a value the locale cannot give takes its default. Never fails.
// A check that copied the settings before keeps its copy.
void LitReglagesDates();

// True when `texte` is a date under `reglages`; false on the conversion error only.
bool DateValide(std::string_view texte, const ReglagesDates& reglages);

// DateValide for many dates under the same settings, which must outlive it: what the
// format decides is worked out once, not for each date.
class VerificationDates {
public:
    explicit VerificationDates(const ReglagesDates& reglages);
    bool Valide(std::string_view texte) const;

    // What the short date format decides: the order of the numbers, and the era's offset
    // unless the era is named in the text.
    struct Format {
        int Ordre;
        bool EreParNom;
        int DecalageFixe;
    };

private:
    const ReglagesDates& reglages_;
    Format format_;
};

} // namespace controle
