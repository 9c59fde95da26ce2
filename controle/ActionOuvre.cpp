#include "ActionOuvre.h"

#include <string>

#include "Champs.h"

namespace controle {

void ActionOuvre(EtatControle& etat, OperationsFenetre& fenetre) {
    if (!fenetre.ExecuteDialogueOuverture()) {
        fenetre.VideEntree();
        return;
    }
    etat.NbLignes = 0;
    etat.ExportPret = false;
    fenetre.VisibleEntree(false);
    fenetre.VisibleProgression(false);

    etat.NomFichier = fenetre.NomFichierDialogue();
    FichierTexte& entree = etat.FichierEntree;
    if (entree.Etat() != EtatFichier::Ferme)
        entree.Ferme();
    entree.Assigne(etat.NomFichier);
    etat.NomFichierChk = NomFichierCopie(etat.NomFichier);

    entree.OuvreLecture();
    entree.LitLigne(etat.Ligne);
    etat.AvecEntete = EstEntete(etat.Ligne);

    entree.OuvreLecture();
    while (!entree.FinFichier()) {
        etat.NbLignes += entree.PasseLignesSuivies();
        entree.LitLigne(etat.Ligne);
        ++etat.NbLignes;
    }

    entree.OuvreLecture();

    const bool refuse = !EstExport(etat.Ligne);
    if (refuse) {
        fenetre.BoiteMessage("Ce n'est pas un fichier export de Veloran 3!", "Attention !",
                             MB_ICONERREUR);
        fenetre.DemandeFin();
    }

    std::string_view reste = etat.Ligne;
    for (int i = 1; i <= 6; ++i)
        etat.Champ[i] = DecoupeChamps(reste);
    const LigneTypeActe& type = TypeActe(etat.Champ[6]);
    etat.NbChamps = type.NbChamps;
    etat.IndexNom = type.IndexNom;
    etat.AvecEpouse = type.AvecEpouse;
    if (type.AvecEpouse)
        etat.IndexEpouse = type.IndexEpouse;

    fenetre.TexteChampType(type.Nom);
    fenetre.TexteChampNombre(std::to_string(etat.NbLignes - 1));

    // A refused file without any line would only add the bar's range error on the way out.
    if (!(refuse && etat.NbLignes < MinProgression))
        fenetre.MaxProgression(etat.NbLignes);
    fenetre.VideEntree();
    etat.ExportPret = !refuse;
}

} // namespace controle
