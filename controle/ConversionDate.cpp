#include "ConversionDate.h"

#include <algorithm>
#include <string>

#include "Erreurs.h"
#include "HorlogeDates.h"

namespace controle {
namespace {

enum class OrdreDate { MoisJourAnnee, JourMoisAnnee, AnneeMoisJour };

// The first d, m, y or e of the format decides, quoted or not.
OrdreDate Ordre(std::string_view format) {
    for (const char c : format) {
        switch (c) {
        case 'd':
        case 'D':
            return OrdreDate::JourMoisAnnee;
        case 'm':
        case 'M':
            return OrdreDate::MoisJourAnnee;
        case 'y':
        case 'Y':
        case 'e':
        case 'E':
            return OrdreDate::AnneeMoisJour;
        default:
            break;
        }
    }
    return OrdreDate::MoisJourAnnee;
}

// Lead bytes of the double-byte code page that goes with the language: Shift-JIS for
// Japanese, the 0x81-0xFE range shared by the Chinese and Korean ones otherwise.
bool OctetDeTete(unsigned char c, int langue) {
    if (langue == LangueJaponais)
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return c >= 0x81 && c <= 0xFE;
}

// Which of the three numbers is the day, the month and the year.
struct PlacesDate {
    int Jour, Mois, Annee;
};

PlacesDate Places(OrdreDate ordre) {
    switch (ordre) {
    case OrdreDate::JourMoisAnnee:
        return {0, 1, 2};
    case OrdreDate::AnneeMoisJour:
        return {2, 1, 0};
    case OrdreDate::MoisJourAnnee:
        break;
    }
    return {1, 0, 2};
}

bool EstChiffre(char c) {
    return c >= '0' && c <= '9';
}

char MinusculeAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool CommenceSansCasse(std::string_view texte, std::string_view marqueur) {
    if (texte.size() < marqueur.size())
        return false;
    for (std::size_t k = 0; k < marqueur.size(); ++k)
        if (MinusculeAscii(texte[k]) != MinusculeAscii(marqueur[k]))
            return false;
    return true;
}

struct NombreLu {
    int Valeur = 0;
    std::size_t Longueur = 0;
};

// The scan over the text; `pos` is 0-based here.
class Lecteur {
public:
    Lecteur(std::string_view texte, const ReglagesDates& reglages,
            const VerificationDates::Format& format)
        : texte_(texte), reglages_(reglages), format_(format) {}

    // True when the text is a date, then written in `date`. The date is written in place
    // rather than returned with its verdict: most callers want only the verdict.
    bool Lit(Date& date) {
        const int decalage = format_.EreParNom ? DecalageNomEre() : format_.DecalageFixe;
        const auto ordre = static_cast<OrdreDate>(format_.Ordre);
        if (NombreLu nombres[3]; decalage == 0 && FormeUsuelle(nombres)) {
            date = DeTroisNombres(nombres, ordre, decalage);
            return DateExiste(date);
        }
        NombreLu premier, second, troisieme;
        if (!LitNombre(premier) || !Separateur() || !LitNombre(second))
            return false;
        if (Separateur()) {
            if (!LitNombre(troisieme))
                return false;
            date = DeTroisNombres({premier, second, troisieme}, ordre, decalage);
        } else {
            // Two numbers: the year is this one, and only day-month-year puts the day first.
            date.Annee = AnneeCourante();
            const bool jourDAbord = ordre == OrdreDate::JourMoisAnnee;
            date.Jour = jourDAbord ? premier.Valeur : second.Valeur;
            date.Mois = jourDAbord ? second.Valeur : premier.Valeur;
        }
        Separateur();
        SauteEspaces();
        if (reglages_.ModeExtremeOrient &&
            reglages_.FormatDateCourt.find("ddd") != std::string::npos)
            PasseMotsFinaux();
        return pos_ == texte_.size() && DateExiste(date);
    }

private:
    bool Fin() const { return pos_ >= texte_.size(); }

    // The shape of nearly every date, two digits, separator, two digits, separator, four
    // digits, and nothing else: read at once, the same numbers as the scan below, which
    // would consume the whole text. A space or a digit as separator goes by the scan.
    bool FormeUsuelle(NombreLu (&nombres)[3]) const {
        const char separateur = reglages_.SeparateurDate;
        if (texte_.size() != 10 || texte_[2] != separateur || texte_[5] != separateur ||
            separateur == ' ' || EstChiffre(separateur))
            return false;
        const auto chiffre = [this](std::size_t i) { return texte_[i] - '0'; };
        for (const std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
            if (!EstChiffre(texte_[i]))
                return false;
        nombres[0] = {chiffre(0) * 10 + chiffre(1), 2};
        nombres[1] = {chiffre(3) * 10 + chiffre(4), 2};
        nombres[2] = {((chiffre(6) * 10 + chiffre(7)) * 10 + chiffre(8)) * 10 + chiffre(9), 4};
        return true;
    }

    Date DeTroisNombres(const NombreLu (&nombres)[3], OrdreDate ordre, int decalage) const {
        const PlacesDate places = Places(ordre);
        Date date;
        date.Jour = nombres[places.Jour].Valeur;
        date.Mois = nombres[places.Mois].Valeur;
        date.Annee = CompleteAnnee(nombres[places.Annee], decalage);
        return date;
    }

    void SauteEspaces() {
        while (!Fin() && texte_[pos_] == ' ')
            ++pos_;
    }

    // At most four digits after the leading zeros: reading stops once the value reaches 1000.
    bool LitNombre(NombreLu& nombre) {
        SauteEspaces();
        const std::size_t debut = pos_;
        int valeur = 0;
        while (!Fin() && EstChiffre(texte_[pos_]) && valeur < 1000) {
            valeur = valeur * 10 + (texte_[pos_] - '0');
            ++pos_;
        }
        nombre = {valeur, pos_ - debut};
        return pos_ > debut;
    }

    // Skipped spaces stay skipped even when no separator follows.
    bool Separateur() {
        SauteEspaces();
        if (Fin() || texte_[pos_] != reglages_.SeparateurDate)
            return false;
        ++pos_;
        return true;
    }

    // The era name is whatever stands before the first digit, trimmed of codes 0 to 32.
    int DecalageNomEre() {
        while (!Fin() && !EstChiffre(texte_[pos_])) {
            const bool caractereDouble =
                reglages_.ModeExtremeOrient &&
                OctetDeTete(static_cast<unsigned char>(texte_[pos_]), reglages_.LanguePrincipale);
            pos_ = std::min(pos_ + (caractereDouble ? 2 : 1), texte_.size());
        }
        std::string_view nom = texte_.substr(0, pos_);
        const auto blanc = [](char c) { return static_cast<unsigned char>(c) <= 32; };
        while (!nom.empty() && blanc(nom.front()))
            nom.remove_prefix(1);
        while (!nom.empty() && blanc(nom.back()))
            nom.remove_suffix(1);
        if (nom.empty())
            return 0;
        for (const Ere& ere : reglages_.Eres)
            if (ere.Nom.find(nom) != std::string::npos)
                return ere.Decalage;
        return 0;
    }

    int CompleteAnnee(NombreLu annee, int decalage) const {
        if (decalage > 0) {
            if (reglages_.LanguePrincipale == LangueCoreen) {
                int valeur = annee.Valeur;
                if (valeur <= 99)
                    valeur += 100 * ((AnneeCourante() + decalage) / 100);
                return valeur - decalage;
            }
            return annee.Valeur + decalage - 1;
        }
        if (annee.Longueur <= 2) {
            const int base = AnneeCourante() - reglages_.FenetreSiecle;
            int valeur = annee.Valeur + 100 * (base / 100);
            if (valeur < base)
                valeur += 100;
            return valeur;
        }
        return annee.Valeur;
    }

    // Words after the date (a day name) are passed over up to an AM or PM marker; the word
    // under the position is always passed, even when it is a marker.
    void PasseMotsFinaux() {
        do {
            while (!Fin() && texte_[pos_] != ' ')
                ++pos_;
            SauteEspaces();
        } while (!Fin() && !CommenceSansCasse(texte_.substr(pos_), reglages_.MarqueurAM) &&
                 !CommenceSansCasse(texte_.substr(pos_), reglages_.MarqueurPM));
    }

    static bool DateExiste(const Date& date) {
        static constexpr int jours[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (date.Annee < 1 || date.Annee > 9999 || date.Mois < 1 || date.Mois > 12)
            return false;
        const int a = date.Annee;
        const bool bissextile = a % 4 == 0 && (a % 100 != 0 || a % 400 == 0);
        const int longueur = jours[date.Mois - 1] + (date.Mois == 2 && bissextile ? 1 : 0);
        return date.Jour >= 1 && date.Jour <= longueur;
    }

    std::string_view texte_;
    const ReglagesDates& reglages_;
    const VerificationDates::Format& format_;
    std::size_t pos_ = 0;
};

// An era: its name stands in the text when the format starts with g; otherwise with e in
// the format, the first era's offset applies.
VerificationDates::Format LitFormat(const ReglagesDates& reglages) {
    const std::string_view format = reglages.FormatDateCourt;
    const bool ereParNom = !format.empty() && format.front() == 'g';
    const bool ereFixe = !ereParNom && format.find('e') != std::string_view::npos;
    return {static_cast<int>(Ordre(format)), ereParNom,
            ereFixe ? reglages.Eres.front().Decalage : 0};
}

} // namespace

Date ConvertitDate(std::string_view texte, const ReglagesDates& reglages) {
    if (Date date; Lecteur(texte, reglages, LitFormat(reglages)).Lit(date))
        return date;
    throw EConvertError("'" + std::string(texte) + "' n'est pas une date correcte");
}

// Same scan as the conversion without building its error: an invalid date is routine
// here (one in a hundred records), and the error's message would be dropped anyway.
bool DateValide(std::string_view texte, const ReglagesDates& reglages) {
    return VerificationDates(reglages).Valide(texte);
}

VerificationDates::VerificationDates(const ReglagesDates& reglages)
    : reglages_(reglages), format_(LitFormat(reglages)) {}

bool VerificationDates::Valide(std::string_view texte) const {
    Date date;
    return Lecteur(texte, reglages_, format_).Lit(date);
}

} // namespace controle
