#include "ApplicationControle.h"

#include <QIcon>
#include <QLibraryInfo>

#include "BoiteMessage.h"
#include "Erreurs.h"
#include "OperationsFenetre.h"
#include "ReglagesDates.h"
#include "StyleControle.h"
#include "TitreApplication.h"

namespace {

constexpr int TaillesIcone[] = {16, 24, 32, 48, 64, 72, 96, 128};

QIcon IconeProgramme() {
    QIcon icone;
    for (const int taille : TaillesIcone)
        icone.addFile(QStringLiteral(":/icones/controle-%1.png").arg(taille),
                      QSize(taille, taille));
    return icone;
}

} // namespace

TApplicationControle::TApplicationControle(int& argc, char** argv) : QApplication(argc, argv) {
    // Only the name: a display name would be appended to every window caption.
    setApplicationName(TitreApplication(applicationFilePath()));
    setWindowIcon(IconeProgramme());
    setStyle(new TStyleControle);
    if (traductions_.load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&traductions_);
}

bool TApplicationControle::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const std::exception& erreur) {
        MontreErreur(erreur);
        return false;
    }
}

void TApplicationControle::MontreErreur(const std::exception& erreur) {
    MontreBoiteMessage(activeWindow(),
                       QString::fromStdString(controle::TexteBoiteErreur(erreur.what())),
                       applicationName(), controle::MB_ICONERREUR);
}

bool TApplicationControle::event(QEvent* evenement) {
    // The date settings follow the user's locale between two checks, never during one.
    if (evenement->type() == QEvent::LocaleChange)
        controle::LitReglagesDates();
    return QApplication::event(evenement);
}
