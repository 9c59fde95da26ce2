// The program: the window `Accueil` over the event loop.
#include "ApplicationControle.h"
#include "Depart.h"
#include "ReglagesDates.h"

int main(int argc, char* argv[]) {
    TApplicationControle application(argc, argv);
    controle::LitReglagesDates();
    TAccueil Accueil;
    Accueil.show();
    return application.exec();
}
