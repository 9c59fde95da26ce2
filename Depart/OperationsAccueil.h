#pragma once
#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "OperationsFenetre.h"

class QLineEdit;
class QTextDocument;
class TDocumentEnFond;
class QPlainTextEdit;
class QProgressBar;

// The window operations of the Open and Process actions, on the controls of TAccueil.
class TOperationsAccueil final : public controle::OperationsFenetre {
public:
    // Runs the open dialog: the accepted path, or nothing when cancelled.
    using FonctionDialogue = std::function<std::optional<QString>()>;
    // Shows a modal box (text, caption, flags) and returns the number of the button pressed.
    using FonctionBoite = std::function<int(const QString&, const QString&, int)>;

    TOperationsAccueil(QPlainTextEdit& entree, QLineEdit& champType, QLineEdit& champNombre,
                       QProgressBar& progression, FonctionDialogue dialogue, FonctionBoite boite);
    ~TOperationsAccueil() override;

    // Tests answer the dialog and the boxes in the user's place.
    void RemplaceDialogue(FonctionDialogue dialogue) { dialogue_ = std::move(dialogue); }
    void RemplaceBoite(FonctionBoite boite) { boite_ = std::move(boite); }

    bool ExecuteDialogueOuverture() override;
    std::string NomFichierDialogue() override;
    void VisibleEntree(bool visible) override;
    void TailleEntree(int hauteur, int largeur) override;
    void VideEntree() override;
    void AjouteLigneEntree(std::string_view ligne) override;
    void TexteChampType(const std::string& texte) override;
    void TexteChampNombre(const std::string& texte) override;
    void VisibleProgression(bool visible) override;
    void MaxProgression(std::int64_t maximum) override;
    void PositionProgression(std::int64_t position) override;
    void RepeintProgression() override;
    int BoiteMessage(const std::string& texte, const std::string& titre, int drapeaux) override;
    void DemandeFin() override;

    // Puts the lines appended so far into the results list. The actions append while the
    // list is hidden; each line laid out on its own would cost more than the whole check,
    // so they wait for the list to be shown, a box, or the end of the action. Many lines are
    // laid into a document on a second thread meanwhile, which then replaces the list's.
    void EcritLignesEnAttente();

private:
    void ConfieLignes();
    void PoseDocument(std::unique_ptr<QTextDocument> document);
    int ValeurBarre() const;
    int Remplissage(int valeur) const;
    void PlaceBarre();

    QPlainTextEdit& entree_;
    QLineEdit& champType_;
    QLineEdit& champNombre_;
    QProgressBar& progression_;
    FonctionDialogue dialogue_;
    FonctionBoite boite_;
    QString nomFichier_;
    QString lignesEnAttente_; // each line followed by a line break
    // Pending lines past this many characters go to the second thread.
    static constexpr qsizetype TailleLot = 64 * 1024;
    std::unique_ptr<TDocumentEnFond> enFond_;
    // The bar counts in int; a 64-bit range is divided by `echelle_` to fit.
    std::int64_t position_ = controle::MinProgression;
    std::int64_t echelle_ = 1;
    int remplissageDessine_ = -1; // filled pixels at the last repaint; -1: none since shown
    QElapsedTimer depuisRepeint_;
    static constexpr qint64 IntervalleRepeintMs = 40; // at most 25 repaints a second
};
