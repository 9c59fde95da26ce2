#include "OperationsAccueil.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>
#include <limits>
#include <utility>

#include "DocumentEnFond.h"
#include "TexteAffiche.h"

TOperationsAccueil::TOperationsAccueil(QPlainTextEdit& entree, QLineEdit& champType,
                                       QLineEdit& champNombre, QProgressBar& progression,
                                       FonctionDialogue dialogue, FonctionBoite boite)
    : entree_(entree), champType_(champType), champNombre_(champNombre), progression_(progression),
      dialogue_(std::move(dialogue)), boite_(std::move(boite)) {}

TOperationsAccueil::~TOperationsAccueil() = default;

bool TOperationsAccueil::ExecuteDialogueOuverture() {
    const std::optional<QString> nom = dialogue_();
    if (nom)
        nomFichier_ = *nom;
    return nom.has_value();
}

std::string TOperationsAccueil::NomFichierDialogue() {
    return QFile::encodeName(nomFichier_).toStdString();
}

void TOperationsAccueil::VisibleEntree(bool visible) {
    if (visible)
        EcritLignesEnAttente();
    entree_.setVisible(visible);
}

void TOperationsAccueil::TailleEntree(int hauteur, int largeur) {
    entree_.resize(largeur, hauteur);
}

void TOperationsAccueil::VideEntree() {
    lignesEnAttente_.clear();
    enFond_.reset();
    entree_.clear();
}

void TOperationsAccueil::AjouteLigneEntree(std::string_view ligne) {
    AjouteDepuisWindows1252(lignesEnAttente_, ligne);
    lignesEnAttente_ += u'\n';
    if (lignesEnAttente_.size() >= TailleLot) {
        ConfieLignes();
        lignesEnAttente_.reserve(TailleLot + 1024); // the next batch grows in place
    }
}

void TOperationsAccueil::ConfieLignes() {
    if (enFond_ == nullptr)
        enFond_ = std::make_unique<TDocumentEnFond>();
    lignesEnAttente_.chop(1); // paragraphs are separated, not ended
    enFond_->Ajoute(std::exchange(lignesEnAttente_, QString()));
}

void TOperationsAccueil::EcritLignesEnAttente() {
    if (enFond_ == nullptr) {
        if (lignesEnAttente_.isEmpty())
            return;
        lignesEnAttente_.chop(1); // appendPlainText starts a line, it does not end one
        entree_.appendPlainText(std::exchange(lignesEnAttente_, QString()));
        return;
    }
    if (!lignesEnAttente_.isEmpty())
        ConfieLignes();
    std::unique_ptr<QTextDocument> document =
        std::exchange(enFond_, nullptr)->Termine(entree_.thread());
    if (entree_.document()->isEmpty())
        PoseDocument(std::move(document));
    else
        entree_.appendPlainText(document->toPlainText());
}

// The document built aside takes the place of the list's own, with its settings.
void TOperationsAccueil::PoseDocument(std::unique_ptr<QTextDocument> document) {
    const QTextDocument* ancien = entree_.document();
    document->setDefaultFont(ancien->defaultFont());
    document->setDefaultTextOption(ancien->defaultTextOption());
    document->setDocumentMargin(ancien->documentMargin());
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    document->setParent(&entree_); // the list deletes the document it replaces if it owns it
    entree_.setDocument(document.release());
    // Where appending leaves the cursor, and so the view once shown: at the end.
    entree_.moveCursor(QTextCursor::End);
}

void TOperationsAccueil::TexteChampType(const std::string& texte) {
    champType_.setText(QString::fromStdString(texte));
}

void TOperationsAccueil::TexteChampNombre(const std::string& texte) {
    champNombre_.setText(QString::fromStdString(texte));
}

void TOperationsAccueil::VisibleProgression(bool visible) {
    PlaceBarre();
    remplissageDessine_ = -1;
    progression_.setVisible(visible);
}

void TOperationsAccueil::MaxProgression(std::int64_t maximum) {
    controle::VerifieMaxProgression(maximum);
    constexpr std::int64_t plafond = std::numeric_limits<int>::max();
    echelle_ = (maximum - 1) / plafond + 1;
    progression_.setMaximum(static_cast<int>(maximum / echelle_));
    PlaceBarre();
}

void TOperationsAccueil::PositionProgression(std::int64_t position) {
    // Set for every record: while the bar shows, only kept here; it takes it when repainted.
    position_ = position;
    if (progression_.isHidden())
        PlaceBarre();
}

void TOperationsAccueil::RepeintProgression() {
    const int valeur = ValeurBarre();
    const int remplissage = Remplissage(valeur);
    if (remplissage == remplissageDessine_)
        return;
    // Each repaint goes all the way to the screen: more than the eye follows would slow the
    // check down. The first one after the bar shows is never held back.
    if (remplissageDessine_ >= 0 && depuisRepeint_.isValid() &&
        depuisRepeint_.elapsed() < IntervalleRepeintMs)
        return;
    progression_.setValue(valeur);
    progression_.repaint();
    remplissageDessine_ = remplissage;
    depuisRepeint_.start();
}

int TOperationsAccueil::BoiteMessage(const std::string& texte, const std::string& titre,
                                     int drapeaux) {
    // The box lets the window repaint: it shows where the action stands.
    EcritLignesEnAttente();
    PlaceBarre();
    return boite_(QString::fromStdString(texte), QString::fromStdString(titre), drapeaux);
}

void TOperationsAccueil::DemandeFin() {
    // Posted: the running action goes on to its end, the loop ends when it next looks.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

int TOperationsAccueil::ValeurBarre() const {
    // Like the system's bar, a position outside the range shows as its nearest end.
    return static_cast<int>(std::clamp<std::int64_t>(position_ / echelle_, progression_.minimum(),
                                                     progression_.maximum()));
}

int TOperationsAccueil::Remplissage(int valeur) const {
    const std::int64_t etendue = std::int64_t{progression_.maximum()} - progression_.minimum();
    if (etendue <= 0)
        return progression_.width();
    return static_cast<int>((std::int64_t{valeur} - progression_.minimum()) * progression_.width() /
                            etendue);
}

void TOperationsAccueil::PlaceBarre() {
    progression_.setValue(ValeurBarre());
}
