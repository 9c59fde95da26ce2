#include "SortieJson.h"

#include <vector>

#include "Json.h"
#include "Windows1252.h"

namespace controle_export {
namespace {

const char* NomTest(controle::TestProbleme test) {
    switch (test) {
    case controle::TestProbleme::Date:
        return "date";
    case controle::TestProbleme::Caractere:
        return "caractere";
    case controle::TestProbleme::Nom:
        return "nom";
    case controle::TestProbleme::Epouse:
        return "epouse";
    }
    return "";
}

// The numbers of the fields that the message of `test` quotes, in the message's order.
std::vector<int> ChampsCites(controle::TestProbleme test, const controle::EtatControle& etat) {
    switch (test) {
    case controle::TestProbleme::Date:
        return {3, 7};
    case controle::TestProbleme::Epouse:
        return {3, 7, etat.IndexEpouse, etat.IndexEpouse + 1};
    default:
        return {3, 7, etat.IndexNom, etat.IndexNom + 1};
    }
}

} // namespace

SortieJson::SortieJson(std::FILE* flux) : flux_(flux) {}

void SortieJson::DebutFichier(const std::string& chemin) {
    chemin_ = chemin;
}

void SortieJson::Champ(const char* nom, std::int64_t valeur) {
    objet_ += objet_.empty() ? "{\"" : ",\"";
    objet_ += nom;
    objet_ += "\":";
    objet_ += std::to_string(valeur);
}

void SortieJson::Champ(const char* nom, std::string_view utf8) {
    objet_ += objet_.empty() ? "{\"" : ",\"";
    objet_ += nom;
    objet_ += "\":";
    AjouteChaineJson(objet_, utf8);
}

void SortieJson::Ecrit() {
    objet_ += "}\n";
    std::fwrite(objet_.data(), 1, objet_.size(), flux_);
    objet_.clear();
}

void SortieJson::Signale(const controle::Probleme& probleme, const controle::EtatControle& etat) {
    Champ("fichier", chemin_);
    Champ("enregistrement", probleme.Numero);
    Champ("test", NomTest(probleme.Test));
    if (probleme.Test == controle::TestProbleme::Caractere) {
        Champ("position", probleme.Position);
        Champ("code", probleme.Code);
    }
    objet_ += ",\"champs\":{";
    const char* separateur = "";
    for (const int numero : ChampsCites(probleme.Test, etat)) {
        utf8_.clear();
        controle::AjouteUtf8(utf8_, etat.Champ[numero]);
        objet_ += separateur;
        objet_ += '"' + std::to_string(numero) + "\":";
        AjouteChaineJson(objet_, utf8_);
        separateur = ",";
    }
    objet_ += '}';
    utf8_.clear();
    controle::AjouteUtf8(utf8_, probleme.Message);
    Champ("message", utf8_);
    Ecrit();
}

void SortieJson::FinFichier(const controle::EtatControle& etat, const std::string& type) {
    Champ("fichier", chemin_);
    Champ("erreurs", etat.NbErreurs - 1);
    Champ("enregistrements", etat.NbLignes);
    Champ("type", type);
    Ecrit();
}

} // namespace controle_export
