#include "ActionTraite.h"

#include <algorithm>
#include <array>
#include <vector>

#include "Caracteres.h"
#include "Champs.h"
#include "Messages.h"

namespace controle {
namespace {

const char* const TexteSansExport =
    "Aucun fichier export n'est prêt : choisissez-en un avec Ouvre avant de le traiter.";

// The header-free copy: every line of the export after the first, each ended by CR LF.
// A failure drops the unfinished copy, so an earlier one stays as it was.
void EcritCopieSansEntete(EtatControle& etat) {
    FichierTexte& entree = etat.FichierEntree;
    FichierTexte& copie = etat.FichierSortie;
    copie.Assigne(etat.NomFichierChk);
    try {
        copie.CreeEcriture();
        // About the export's size: the copy is the export less its header line.
        copie.PrevoitTaille(entree.Taille());
        entree.LitLigne(etat.Ligne);
        while (!entree.FinFichier()) {
            entree.CopieLignesTellesQuelles(copie);
            if (!entree.FinFichier())
                copie.EcritLigne(entree.LitLigneVue(etat.Ligne));
        }
        copie.Ferme();
    } catch (...) {
        copie.Abandonne();
        throw;
    }
}

// One run over the records: the current record and its fields are views into the file's
// buffer, copied into the check state only where someone looks at them.
class Verification {
public:
    Verification(EtatControle& etat, OperationsFenetre& fenetre, const ReglagesDates& reglages,
                 ObservateurProblemes* observateur)
        : etat_(etat), fenetre_(fenetre), dates_(reglages), observateur_(observateur),
          testes_(ChampsEnOrdre(etat, {7, etat.IndexNom, etat.IndexEpouse})),
          cites_(ChampsEnOrdre(etat, {3, etat.IndexNom + 1, etat.IndexEpouse + 1})) {}

    // `ligneEntiere` must stay valid until the next record; `sansACorriger` when it is
    // known to hold no character to correct.
    void ControleEnregistrement(std::int64_t numero, std::string_view ligneEntiere,
                                bool sansACorriger) {
        ligne_ = ligneEntiere;
        ChampsVoulus(ligneEntiere, etat_.NbChamps, testes_, champs_.data());
        citesPrets_ = false;
        if (numero % 10 == 0)
            fenetre_.RepeintProgression();

        if (!dates_.Valide(champs_[7])) {
            MessageDate(message_, numero, Cites(etat_.IndexNom));
            Signale(TestProbleme::Date, numero);
        }
        for (std::size_t i = sansACorriger ? std::string_view::npos
                                           : ProchainACorriger(ligneEntiere, 0);
             i != std::string_view::npos; i = ProchainACorriger(ligneEntiere, i + 1)) {
            const auto position = static_cast<std::int64_t>(i) + 1;
            const int code = static_cast<unsigned char>(ligneEntiere[i]);
            MessageCaractere(message_, numero, Cites(etat_.IndexNom), position, code,
                             Extrait(ligneEntiere, position));
            Signale(TestProbleme::Caractere, numero, position, code);
        }
        if (champs_[etat_.IndexNom].size() < 2) {
            MessageNom(message_, numero, Cites(etat_.IndexNom));
            Signale(TestProbleme::Nom, numero);
        }
        if (etat_.AvecEpouse && champs_[etat_.IndexEpouse].size() == 1) {
            MessageEpouse(message_, numero, Cites(etat_.IndexEpouse));
            Signale(TestProbleme::Epouse, numero);
        }
    }

    // The check state keeps the line and all the fields of the last record read.
    void GardeChamps() {
        if (ligne_.data() != etat_.Ligne.data())
            etat_.Ligne.assign(ligne_);
        ligne_ = etat_.Ligne;
        DecoupeEnregistrement(ligne_, etat_.NbChamps, champs_.data());
        for (int k = 1; k <= etat_.NbChamps; ++k)
            etat_.Champ[k] = champs_[k];
        citesPrets_ = true;
    }

private:
    // The fields given in split order; the last one, the spouse's, only for acts that have
    // a spouse.
    static std::vector<int> ChampsEnOrdre(const EtatControle& etat, std::vector<int> champs) {
        if (!etat.AvecEpouse)
            champs.pop_back();
        std::sort(champs.begin(), champs.end());
        champs.erase(std::unique(champs.begin(), champs.end()), champs.end());
        return champs;
    }

    // The fields a message quotes, split only for a record that has a problem.
    ChampsMessage Cites(int indexNom) {
        if (!citesPrets_) {
            ChampsVoulus(ligne_, etat_.NbChamps, cites_, champs_.data());
            citesPrets_ = true;
        }
        return {champs_[3], champs_[7], champs_[indexNom], champs_[indexNom + 1]};
    }

    void Signale(TestProbleme test, std::int64_t numero, std::int64_t position = 0, int code = 0) {
        fenetre_.AjouteLigneEntree(message_);
        ++etat_.NbErreurs;
        if (observateur_ != nullptr) {
            GardeChamps();
            observateur_->Signale({test, numero, position, code, message_}, etat_);
        }
    }

    EtatControle& etat_;
    OperationsFenetre& fenetre_;
    const VerificationDates dates_;
    ObservateurProblemes* observateur_;
    // The fields the tests look at in every record, and those the messages quote.
    const std::vector<int> testes_;
    const std::vector<int> cites_;
    bool citesPrets_ = false; // the quoted fields of the current record are split
    std::string_view ligne_;
    std::array<std::string_view, MaxChamps + 1> champs_{};
    Texte message_;
};

} // namespace

void ActionTraite(EtatControle& etat, OperationsFenetre& fenetre,
                  const ReglagesDates& reglagesProgramme, ObservateurProblemes* observateur) {
    if (!etat.ExportPret || etat.FichierEntree.Etat() != EtatFichier::Lecture) {
        fenetre.BoiteMessage(TexteSansExport, "Attention !", MB_ICONERREUR);
        return;
    }
    etat.ExportPret = false;
    // Settings read again meanwhile do not change a check under way.
    const ReglagesDates reglages = reglagesProgramme;
    FichierTexte& entree = etat.FichierEntree;

    if (etat.AvecEntete) {
        --etat.NbLignes;
        if (!etat.SansCopie)
            EcritCopieSansEntete(etat);
        entree.OuvreLecture();
        entree.LitLigne(etat.Ligne);
    }

    // The characters to correct are marked as each buffer is read, ahead where it can be.
    entree.MarqueOctets(MarqueACorriger);
    etat.NbErreurs = 1;
    fenetre.VisibleEntree(false);
    fenetre.TailleEntree(25, 33);
    fenetre.VisibleProgression(true);

    Verification verification(etat, fenetre, reglages, observateur);
    for (std::int64_t numero = 0; numero < etat.NbLignes; ++numero) {
        fenetre.PositionProgression(numero);
        // The search for characters to correct finds the line's end as well.
        bool sansACorriger;
        const std::string_view ligne =
            entree.LitLigneVue(etat.Ligne, ProchainACorriger, sansACorriger);
        verification.ControleEnregistrement(numero, ligne, sansACorriger);
    }
    if (etat.NbLignes > 0)
        verification.GardeChamps();

    Texte total;
    LigneTotal(total, etat.NbErreurs - 1);
    fenetre.AjouteLigneEntree(total);
    entree.Ferme();

    if (etat.NbErreurs > 1) {
        fenetre.TailleEntree(161, 441);
        fenetre.VisibleEntree(true);
        fenetre.BoiteMessage("Copiez les résultats !", "Bravo !", MB_ICONINFORMATION);
    } else {
        fenetre.BoiteMessage("Contrôle terminé !", "Bravo !", MB_ICONINFORMATION);
    }
    fenetre.VisibleProgression(false);
    fenetre.PositionProgression(0);
}

} // namespace controle
