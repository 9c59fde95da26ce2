#include "FenetreConsole.h"

#include <cstdio>

namespace controle_export {

FenetreConsole::FenetreConsole(std::string chemin, Sortie& sortie, BarreProgression* barre)
    : chemin_(std::move(chemin)), sortie_(sortie), barre_(barre) {}

void FenetreConsole::VisibleProgression(bool visible) {
    if (!visible && barre_ != nullptr)
        barre_->Efface();
}

void FenetreConsole::MaxProgression(std::int64_t maximum) {
    controle::VerifieMaxProgression(maximum);
    if (barre_ != nullptr)
        barre_->Maximum(maximum);
}

void FenetreConsole::RepeintProgression() {
    if (barre_ != nullptr)
        barre_->Repeint(position_);
}

// The closing boxes ("Contrôle terminé !", "Copiez les résultats !") tell nothing that the
// output and the exit status do not; only error boxes are worth a line.
int FenetreConsole::BoiteMessage(const std::string& texte, const std::string&, int drapeaux) {
    if (drapeaux & controle::MB_ICONERREUR) {
        if (barre_ != nullptr)
            barre_->Efface();
        SignaleErreur(chemin_, texte);
    }
    return 1;
}

void SignaleErreur(const std::string& chemin, const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "controle-export: %s: %s\n", chemin.c_str(), message.c_str());
}

} // namespace controle_export
