#include "GenerateurExport.h"

#include <cstdio>

namespace bench {
namespace {

// Windows-1252 texts: the accents are single bytes.
const char* const Noms[] = {
    "MARTIN",     "BERNARD",  "DUBOIS",   "THOMAS",      "ROBERT",   "RICHARD",    "PETIT",
    "DURAND",     "LEROY",    "MOREAU",   "SIMON",       "LAURENT",  "LEF\xC8VRE", "MICHEL",
    "GARNIER",    "DAVID",    "BERTRAND", "ROUX",        "VINCENT",  "FOURNIER",   "MOREL",
    "GIRARD",     "ANDR\xC9", "MERCIER",  "FRAN\xC7OIS", "DUPONT",   "LAMBERT",    "BONNET",
    "CH\xC2TEAU", "BOUCHER",  "GAUTHIER", "PERRIN",      "ROUSSEAU", "BLANC",      "GU\xC9RIN",
};
const char* const Prenoms[] = {
    "Jean",    "Marie",        "Pierre",        "Jeanne",     "Fran\xE7ois", "Anne",
    "Jacques", "Catherine",    "Louis",         "Marguerite", "\xC9tienne",  "Fran\xE7oise",
    "Nicolas", "\xC9lisabeth", "Claude",        "Madeleine",  "Joseph",      "Genevi\xE8ve",
    "Antoine", "Marie Anne",   "Jean Baptiste", "Louise",     "Michel",      "Th\xE9r\xE8se",
};
const char* const Communes[] = {
    "Ardivenne",     "Saint-\xC9tienne-du-Bois",
    "Montbrison",    "Feurs",
    "Bo\xEBn",       "Chazelles",
    "Saint-Galmier", "Roanne",
    "Noir\xE9table", "Sury-le-Comtal",
};
const char* const Metiers[] = {
    "laboureur",
    "journalier",
    "tisserand",
    "marchand",
    "cordonnier",
    "menuisier",
    "vigneron",
    "meunier",
    "mar\xE9"
    "chal-ferrant",
    "domestique",
};
const char* const DatesFausses[] = {"31/02/1750", "1750",        "12/13/1750", "?/03/1751",
                                    "00/00/0000", "12/03/17500", "12-03-1750", "vers 1750"};
const char* const CaracteresFaux[] = {"|", "^", "`", "\xF1", "\t", "\x80", "\x7F", "\xA0"};

} // namespace

GenerateurExport::GenerateurExport(const ParametresExport& parametres)
    : parametres_(parametres), etat_(parametres.Graine) {
    switch (parametres.Type) {
    case 'N':
        nbChamps_ = 30, indexNom_ = 11, indexEpouse_ = 0;
        break;
    case 'M':
        nbChamps_ = 60, indexNom_ = 11, indexEpouse_ = 29;
        break;
    case 'D':
        nbChamps_ = 38, indexNom_ = 11, indexEpouse_ = 0;
        break;
    default:
        nbChamps_ = 64, indexNom_ = 13, indexEpouse_ = 32;
    }
}

std::string GenerateurExport::Entete() {
    return "Commune;Source;Relev\xE9 par;Date de relev\xE9;Nature;Type;Date;Cote;Page";
}

// splitmix64: small, fast, and the same numbers on every machine.
std::uint64_t GenerateurExport::Aleatoire() {
    std::uint64_t z = (etat_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void GenerateurExport::Date(std::string& champ) {
    static const int Jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int mois = static_cast<int>(Entre(12)) + 1;
    const int jour = static_cast<int>(Entre(Jours[mois - 1])) + 1;
    const int annee = 1600 + static_cast<int>(Entre(300));
    char texte[40];
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d", jour, mois, annee);
    champ = texte;
}

const std::string& GenerateurExport::Enregistrement(std::uint64_t numero) {
    for (int i = 1; i <= nbChamps_; ++i)
        champs_[i].clear();
    champs_[1] = std::to_string(numero + 1);
    champs_[2] = std::to_string(42000 + Entre(400));
    champs_[3] = Parmi(Communes);
    champs_[4] = "42";
    champs_[5] = Entre(4) == 0 ? "EC" : "BMS";
    champs_[6] = std::string(1, parametres_.Type);
    Date(champs_[7]);
    champs_[8] = "GG" + std::to_string(1 + Entre(40));
    if (Entre(2) == 0)
        champs_[9] = "f\xB0 " + std::to_string(1 + Entre(200)); // "f°" is accepted
    // The persons of the act: surname and first name pairs, each with an age and a trade.
    for (int i = indexNom_; i + 1 < nbChamps_; i += 6) {
        if (i != indexNom_ && Entre(3) == 0)
            continue; // a witness or parent not given
        champs_[i] = Parmi(Noms);
        champs_[i + 1] = Parmi(Prenoms);
        if (Entre(2) == 0 && i + 2 < nbChamps_)
            champs_[i + 2] = std::to_string(18 + Entre(50));
        if (Entre(2) == 0 && i + 3 < nbChamps_)
            champs_[i + 3] = Parmi(Metiers);
        if (Entre(4) == 0 && i + 4 < nbChamps_)
            champs_[i + 4] = Parmi(Communes);
    }
    if (indexEpouse_ != 0) {
        champs_[indexEpouse_] = Parmi(Noms);
        champs_[indexEpouse_ + 1] = Parmi(Prenoms);
    }
    if (Entre(8) == 0)
        champs_[nbChamps_ - 1] = "acte en marge, sign\xE9 des \xE9poux";
    champs_[nbChamps_] = "VELORANV3";

    if (static_cast<double>(Entre(1'000'000)) < parametres_.Taux * 1'000'000) {
        ++aProbleme_;
        switch (Entre(indexEpouse_ != 0 ? 4 : 3)) {
        case 0:
            champs_[7] = Parmi(DatesFausses);
            break;
        case 1: {
            std::string& champ = champs_[indexNom_ + 1];
            champ.insert(Entre(champ.size() + 1), Parmi(CaracteresFaux));
            break;
        }
        case 2:
            champs_[indexNom_] = Entre(2) == 0 ? "" : std::string(1, champs_[indexNom_][0]);
            break;
        default:
            champs_[indexEpouse_].resize(1);
        }
    }

    ligne_.clear();
    for (int i = 1; i <= nbChamps_; ++i) {
        if (i > 1)
            ligne_ += ';';
        ligne_ += champs_[i];
    }
    return ligne_;
}

} // namespace bench
