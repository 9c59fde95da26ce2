// Draws every picture of ressources/: the logo, the three button pictures and the icon.
// The program's own build only uses the files drawn here; to redraw them, from the top of
// the source tree:
//
//   cmake -S outils/dessine -B build/dessine -G Ninja
//   cmake --build build/dessine
//   QT_QPA_PLATFORM=offscreen build/dessine/dessine ressources
//   ctest --test-dir build/dessine --output-on-failure
//
// The last command checks the files' properties (sizes, depths, JPEG form, transparency).
#include "Dessins.h"
#include "Fichiers.h"

#include <QDir>
#include <QGuiApplication>
#include <QList>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

const int TaillesIcone[] = {16, 24, 32, 48, 64, 72, 96, 128};

void Enregistre(const QImage& image, const QString& chemin, const char* format) {
    if (!image.save(chemin, format))
        throw std::runtime_error("cannot write " + chemin.toStdString());
}

void DessineTout(const QDir& dossier) {
    EcritJpeg(DessineLogo(), dossier.filePath("Logo.jpg"), 92, 150);

    // 24-bit BMPs: Qt writes 24 bits per pixel for an opaque RGB image.
    Enregistre(DessineBoutonOuvre().convertToFormat(QImage::Format_RGB888),
               dossier.filePath("BoutonOuvre.bmp"), "BMP");
    Enregistre(DessineBoutonTraite().convertToFormat(QImage::Format_RGB888),
               dossier.filePath("BoutonTraite.bmp"), "BMP");
    Enregistre(DessineBoutonQuite().convertToFormat(QImage::Format_RGB888),
               dossier.filePath("BoutonQuite.bmp"), "BMP");

    if (!dossier.mkpath("icones"))
        throw std::runtime_error("cannot create the icones folder");
    QList<QImage> icones;
    for (int taille : TaillesIcone) {
        const QImage icone = DessineIcone(taille).convertToFormat(QImage::Format_ARGB32);
        Enregistre(icone, dossier.filePath(QString("icones/controle-%1.png").arg(taille)), "PNG");
        icones.append(icone);
    }
    EcritIco(icones, dossier.filePath("Controle.ico"));
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dessine RESSOURCES_FOLDER\n");
        return 2;
    }
    try {
        DessineTout(QDir(QString::fromLocal8Bit(argv[1])));
    } catch (const std::exception& erreur) {
        std::fprintf(stderr, "dessine: %s\n", erreur.what());
        return 1;
    }
    return 0;
}
