#pragma once
// The window operations of the actions, on a console: the "dialog" answers the path given
// on the command line, the results list goes to standard output, the progress bar to a
// terminal's standard error, and an error box becomes a line on standard error.
#include <cstdint>
#include <string>

#include "BarreProgression.h"
#include "OperationsFenetre.h"
#include "Sortie.h"

namespace controle_export {

class FenetreConsole : public controle::OperationsFenetre {
public:
    // `barre` may be null: no bar is drawn.
    FenetreConsole(std::string chemin, Sortie& sortie, BarreProgression* barre);

    // The Open action refused the file (it asked for the end of the program).
    bool Refuse() const { return refuse_; }
    // The act type's name that the Open action showed.
    const std::string& Type() const { return type_; }

    bool ExecuteDialogueOuverture() override { return true; }
    std::string NomFichierDialogue() override { return chemin_; }
    void VisibleEntree(bool) override {}
    void TailleEntree(int, int) override {}
    void VideEntree() override {}
    void AjouteLigneEntree(std::string_view ligne) override { sortie_.Ligne(ligne); }
    void TexteChampType(const std::string& texte) override { type_ = texte; }
    void TexteChampNombre(const std::string&) override {}
    void VisibleProgression(bool visible) override;
    void MaxProgression(std::int64_t maximum) override;
    void PositionProgression(std::int64_t position) override { position_ = position; }
    void RepeintProgression() override;
    int BoiteMessage(const std::string& texte, const std::string& titre, int drapeaux) override;
    void DemandeFin() override { refuse_ = true; }

private:
    std::string chemin_;
    Sortie& sortie_;
    BarreProgression* barre_;
    std::string type_;
    std::int64_t position_ = 0;
    bool refuse_ = false;
};

// Writes "controle-export: path: message" on standard error, after what standard output
// holds so far, so that both read in order on one terminal.
void SignaleErreur(const std::string& chemin, const std::string& message);

} // namespace controle_export
