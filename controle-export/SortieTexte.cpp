#include "SortieTexte.h"

#include "Windows1252.h"

namespace controle_export {

SortieTexte::SortieTexte(std::FILE* flux, bool brut, bool entetes)
    : flux_(flux), brut_(brut), entetes_(entetes) {}

void SortieTexte::DebutFichier(const std::string& chemin) {
    chemin_ = chemin;
    enteteEcrite_ = false;
}

void SortieTexte::Ligne(std::string_view ligne) {
    tampon_.clear();
    // A file refused or failing before its first line gets no block at all.
    if (entetes_ && !enteteEcrite_) {
        if (!premierBloc_)
            tampon_ += '\n';
        tampon_ += "==> " + chemin_ + " <==\n";
        enteteEcrite_ = true;
        premierBloc_ = false;
    }
    if (brut_)
        tampon_ += ligne;
    else
        controle::AjouteUtf8(tampon_, ligne);
    tampon_ += '\n';
    std::fwrite(tampon_.data(), 1, tampon_.size(), flux_);
}

} // namespace controle_export
