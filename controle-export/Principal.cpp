// controle-export: the checks of the window's "Traite" button on export files given on the
// command line, for batch work and scripts.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "ControleFichier.h"
#include "Options.h"
#include "ReglagesOptions.h"
#include "SortieJson.h"
#include "SortieTexte.h"

using namespace controle_export;

namespace {

std::unique_ptr<Sortie> CreeSortie(const Options& options) {
    if (options.Sortie == Format::Json)
        return std::make_unique<SortieJson>(stdout);
    return std::make_unique<SortieTexte>(stdout, options.Sortie == Format::Brut,
                                         options.Fichiers.size() > 1);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = LitOptions(argc, argv);
    } catch (const ErreurOptions& erreur) {
        std::fprintf(stderr,
                     "controle-export: %s\nEssayez « controle-export --help » pour en savoir "
                     "plus.\n",
                     erreur.what());
        return StatutEchec;
    }
    if (options.Aide) {
        std::fputs(TexteAide(), stdout);
        return StatutRien;
    }
    if (options.Version) {
        std::puts("controle-export " CONTROLE_VERSION);
        return StatutRien;
    }

    static char tampon[1 << 16];
    std::setvbuf(stdout, tampon, _IOFBF, sizeof tampon);
    const controle::ReglagesDates reglages = ReglagesDesOptions(options);
    const std::unique_ptr<Sortie> sortie = CreeSortie(options);
    std::unique_ptr<BarreProgression> barre;
    if (BarreProgression::Utile())
        barre = std::make_unique<BarreProgression>(stderr);

    Statut statut = StatutRien;
    for (const std::string& fichier : options.Fichiers)
        statut =
            std::max(statut, ControleFichier(fichier, options, reglages, *sortie, barre.get()));
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("controle-export: erreur d'écriture sur la sortie standard\n", stderr);
        return StatutEchec;
    }
    return statut;
}
