// The window's pure rules: the title, the logo's placement and decoding, the button faces,
// the code page of the results.
#include <QFile>
#include <QTest>
#include <stdexcept>
#include <string>

#include "BoutonRapide.h"
#include "ImageJpeg.h"
#include "PlacementLogo.h"
#include "TexteAffiche.h"
#include "TitreApplication.h"

class TestRegles : public QObject {
    Q_OBJECT

private slots:
    void titre_data();
    void titre();
    void placementLogo_data();
    void placementLogo();
    void decodeLogo();
    void decodeJpegIllisible();
    void dispositionBouton_data();
    void dispositionBouton();
    void windows1252_data();
    void windows1252();
};

void TestRegles::titre_data() {
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("titre");
    QTest::newRow("majuscules") << "CONTROLE.EXE"
                                << "Controle";
    QTest::newRow("premier point") << "verif.export.exe"
                                   << "verif";
    QTest::newRow("premiere garde sa casse") << "Verif_Export.exe"
                                             << "Verif_export";
    QTest::newRow("nom en minuscules") << "/usr/bin/controle"
                                       << "controle";
    QTest::newRow("point dans le dossier") << "/opt/v1.05/CONTROLE"
                                           << "Controle";
    QTest::newRow("sans nom avant le point") << "/tmp/.cache"
                                             << "";
    QTest::newRow("hors ASCII") << "/usr/bin/ÉTAT.EXE"
                                << "État";
}

void TestRegles::titre() {
    QFETCH(QString, chemin);
    QFETCH(QString, titre);
    QCOMPARE(TitreApplication(chemin), titre);
}

void TestRegles::placementLogo_data() {
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("zone");
    QTest::addColumn<QSize>("dessin");
    QTest::newRow("le logo") << QSize(777, 776) << QSize(149, 157) << QSize(149, 148);
    QTest::newRow("tient: jamais agrandie") << QSize(100, 50) << QSize(149, 157) << QSize(100, 50);
    QTest::newRow("juste la zone") << QSize(149, 157) << QSize(149, 157) << QSize(149, 157);
    QTest::newRow("large, hauteur tronquee")
        << QSize(300, 200) << QSize(100, 100) << QSize(100, 66);
    QTest::newRow("large, trop haute ensuite")
        << QSize(300, 290) << QSize(200, 100) << QSize(103, 100);
    QTest::newRow("haute") << QSize(200, 300) << QSize(100, 100) << QSize(66, 100);
    QTest::newRow("haute, trop large ensuite")
        << QSize(290, 300) << QSize(100, 200) << QSize(100, 103);
    QTest::newRow("carree") << QSize(500, 500) << QSize(149, 157) << QSize(149, 149);
    QTest::newRow("trop haute seulement") << QSize(100, 400) << QSize(149, 157) << QSize(39, 157);
}

void TestRegles::placementLogo() {
    QFETCH(QSize, image);
    QFETCH(QSize, zone);
    QFETCH(QSize, dessin);
    QCOMPARE(PlacementLogo(image, zone), dessin);
}

void TestRegles::decodeLogo() {
    QFile logo(QStringLiteral(":/Logo.jpg"));
    QVERIFY(logo.open(QIODevice::ReadOnly));
    const QImage image = DecodeJpeg(logo.readAll());
    QCOMPARE(image.size(), QSize(777, 776));
    QCOMPARE(image.format(), QImage::Format_RGB888);
}

void TestRegles::decodeJpegIllisible() {
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, DecodeJpeg("pas une image"));
    QFile logo(QStringLiteral(":/Logo.jpg"));
    QVERIFY(logo.open(QIODevice::ReadOnly));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, DecodeJpeg(logo.read(600)));
}

void TestRegles::dispositionBouton_data() {
    QTest::addColumn<QSize>("face");
    QTest::addColumn<QSize>("texte");
    QTest::addColumn<QPoint>("image");
    QTest::addColumn<QPoint>("placeTexte");
    // 137 - (32 + 4 + 41) = 60 left over: 30 each side.
    QTest::newRow("pair") << QSize(137, 50) << QSize(41, 18) << QPoint(30, 9) << QPoint(66, 16);
    // 61 left over: the odd pixel goes left; 50 - 17 = 33: the odd pixel goes up.
    QTest::newRow("impair") << QSize(137, 50) << QSize(40, 17) << QPoint(31, 9) << QPoint(67, 17);
    QTest::newRow("sans texte") << QSize(137, 50) << QSize(0, 0) << QPoint(53, 9) << QPoint(85, 25);
}

void TestRegles::dispositionBouton() {
    QFETCH(QSize, face);
    QFETCH(QSize, texte);
    QFETCH(QPoint, image);
    QFETCH(QPoint, placeTexte);
    const DispositionBouton disposition = DisposeBouton(face, QSize(32, 32), texte);
    QCOMPARE(disposition.Image, image);
    QCOMPARE(disposition.Texte, placeTexte);
}

void TestRegles::windows1252_data() {
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QString>("texte");
    QTest::newRow("ASCII") << QByteArray("a;b ^|~") << QStringLiteral("a;b ^|~");
    QTest::newRow("code 0 au milieu") << QByteArray("ab\0cd", 5) << QStringLiteral("ab\u2400cd");
    QTest::newRow("controles") << QByteArray("\x01\t\x1f\x7f")
                               << QStringLiteral("\u2401\u2409\u241f\u2421");
    QTest::newRow("accents") << QByteArray("\xe9\xe8\xe0\xe7\xff\xc9") << QStringLiteral("éèàçÿÉ");
    QTest::newRow("de 80 a 9F") << QByteArray("\x80\x86\x8c\x9c\x9f") << QStringLiteral("€†ŒœŸ");
    QTest::newRow("non definis") << QByteArray("\x81\x8d\x8f\x90\x9d")
                                 << QStringLiteral("\u0081\u008d\u008f\u0090\u009d");
    QTest::newRow("signes") << QByteArray("\xa0\xab\xbb\xb0") << QStringLiteral("\u00a0«»°");
}

void TestRegles::windows1252() {
    QFETCH(QByteArray, octets);
    QFETCH(QString, texte);
    QCOMPARE(DepuisWindows1252(std::string_view(octets.constData(), octets.size())), texte);
}

QTEST_GUILESS_MAIN(TestRegles)
#include "TestRegles.moc"
