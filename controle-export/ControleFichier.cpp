#include "ControleFichier.h"

#include <exception>

#include "ActionOuvre.h"
#include "ActionTraite.h"
#include "Erreurs.h"
#include "EtatControle.h"
#include "FenetreConsole.h"

namespace controle_export {

Statut ControleFichier(const std::string& chemin, const Options& options,
                       const controle::ReglagesDates& reglages, Sortie& sortie,
                       BarreProgression* barre) {
    controle::EtatControle etat; // each file starts from a fresh state, as a new program would
    FenetreConsole fenetre(chemin, sortie, barre);
    sortie.DebutFichier(chemin);
    try {
        controle::ActionOuvre(etat, fenetre);
        if (fenetre.Refuse())
            return StatutEchec;
        etat.SansCopie = options.SansCopie;
        controle::ActionTraite(etat, fenetre, reglages, &sortie);
        sortie.FinFichier(etat, fenetre.Type());
        return etat.NbErreurs > 1 ? StatutProblemes : StatutRien;
    } catch (const std::exception& erreur) {
        if (barre != nullptr)
            barre->Efface();
        // The message as the window's error box words it.
        SignaleErreur(chemin, controle::TexteBoiteErreur(erreur.what()));
        return StatutEchec;
    }
}

} // namespace controle_export
