#pragma once
#include <cstdio>

#include "Sortie.h"

namespace controle_export {

// The lines of the results list, one per line ended by LF: converted to UTF-8, or `brut`,
// the Windows-1252 bytes as they are. With `entetes`, each file's block is introduced by
// "==> path <==" and blocks are parted by an empty line, as head and tail do.
class SortieTexte : public Sortie {
public:
    SortieTexte(std::FILE* flux, bool brut, bool entetes);

    void DebutFichier(const std::string& chemin) override;
    void Ligne(std::string_view ligne) override;
    void FinFichier(const controle::EtatControle&, const std::string&) override {}

private:
    std::FILE* flux_;
    bool brut_;
    bool entetes_;
    std::string chemin_;
    bool enteteEcrite_ = false;
    bool premierBloc_ = true;
    std::string tampon_;
};

} // namespace controle_export
