#include "Depart.h"

#include "ActionOuvre.h"
#include "ActionTraite.h"
#include "BoiteMessage.h"
#include "EtatControle.h"
#include "ReglagesDates.h"

namespace {

constexpr QPoint PlaceFenetre{194, 110};
constexpr int DureeBulle = 2500; // ms a tooltip stays

Ui::TAccueil Forme(QWidget* fenetre) {
    Ui::TAccueil ui;
    ui.setupUi(fenetre);
    return ui;
}

// Whatever way the action ends, its lines are in the results list afterwards.
class LignesEcrites {
public:
    explicit LignesEcrites(TOperationsAccueil& operations) : operations_(operations) {}
    ~LignesEcrites() { operations_.EcritLignesEnAttente(); }
    LignesEcrites(const LignesEcrites&) = delete;
    LignesEcrites& operator=(const LignesEcrites&) = delete;

private:
    TOperationsAccueil& operations_;
};

} // namespace

TAccueil::TAccueil(QWidget* parent)
    : QWidget(parent), ui_(Forme(this)),
      operations_(
          *ui_.Entree, *ui_.ChampType, *ui_.ChampNombre, *ui_.Progression,
          [this]() -> std::optional<QString> {
              if (!OpenDialog.Execute(this))
                  return std::nullopt;
              return OpenDialog.NomFichier();
          },
          [this](const QString& texte, const QString& titre, int drapeaux) {
              return MontreBoiteMessage(this, texte, titre, drapeaux);
          }) {
    move(PlaceFenetre);
    QTextOption centre = ui_.Memo->document()->defaultTextOption();
    centre.setAlignment(Qt::AlignHCenter);
    ui_.Memo->document()->setDefaultTextOption(centre);
    // Controls without a tooltip of their own show the window's, which is shown by the window
    // itself: every holder of a tooltip gets the same duration.
    for (QWidget* controle : findChildren<QWidget*>())
        controle->setToolTipDuration(DureeBulle);
    setToolTipDuration(DureeBulle);
    ui_.Memo->setFocus();

    connect(ui_.BoutonOuvre, &QAbstractButton::clicked, this, &TAccueil::BoutonOuvreClick);
    connect(ui_.BoutonTraite, &QAbstractButton::clicked, this, &TAccueil::BoutonTraiteClick);
    connect(ui_.BoutonQuite, &QAbstractButton::clicked, this, &TAccueil::BoutonQuiteClick);
}

void TAccueil::BoutonOuvreClick() {
    controle::ActionOuvre(controle::EtatProgramme(), operations_);
}

void TAccueil::BoutonTraiteClick() {
    const LignesEcrites ecrites(operations_);
    controle::ActionTraite(controle::EtatProgramme(), operations_, controle::ReglagesCourants());
}

void TAccueil::BoutonQuiteClick() {
    operations_.DemandeFin();
}
