// Picture of the window for the README: opens and checks the export given as the first
// argument as a user would, answering the dialog and the closing box, then saves the
// window to the PNG file given as the second argument.
#include <QTimer>
#include <cstdio>

#include "ApplicationControle.h"
#include "Depart.h"
#include "ReglagesDates.h"

int main(int argc, char* argv[]) {
    TApplicationControle application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage : capture-ecran EXPORT IMAGE.png\n");
        return 2;
    }
    const QString fichierExport = QString::fromLocal8Bit(argv[1]);
    const QString image = QString::fromLocal8Bit(argv[2]);
    controle::LitReglagesDates();
    TAccueil Accueil;
    Accueil.Operations().RemplaceDialogue([&] { return std::optional(fichierExport); });
    Accueil.Operations().RemplaceBoite([](const QString&, const QString&, int) { return 1; });
    Accueil.show();
    int resultat = 0;
    QTimer::singleShot(0, [&] {
        Accueil.BoutonOuvreClick();
        Accueil.BoutonTraiteClick();
        // Lets the window repaint what the check left before taking its picture.
        QTimer::singleShot(200, [&] {
            if (!Accueil.grab().save(image)) {
                std::fprintf(stderr, "capture-ecran : impossible d'écrire %s\n", argv[2]);
                resultat = 1;
            }
            QCoreApplication::quit();
        });
    });
    application.exec();
    return resultat;
}
