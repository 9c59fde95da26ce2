#pragma once
#include <cstdio>

#include "Sortie.h"

namespace controle_export {

// JSON Lines: one object per problem, then one summary object per file checked to its end.
// The lines of the results list themselves are not written: each object carries its message.
class SortieJson : public Sortie {
public:
    explicit SortieJson(std::FILE* flux);

    void DebutFichier(const std::string& chemin) override;
    void Ligne(std::string_view) override {}
    void FinFichier(const controle::EtatControle& etat, const std::string& type) override;
    void Signale(const controle::Probleme& probleme, const controle::EtatControle& etat) override;

private:
    void Champ(const char* nom, std::int64_t valeur);
    void Champ(const char* nom, std::string_view utf8);
    void Ecrit();

    std::FILE* flux_;
    std::string chemin_;
    std::string objet_;
    std::string utf8_;
};

} // namespace controle_export
