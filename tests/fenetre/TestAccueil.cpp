// The window as it stands after start-up: its controls, fonts, colours, tooltips, focus,
// pictures and how it follows a resize.
#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include "ApplicationTest.h"
#include "BarreEtat.h"
#include "BoutonRapide.h"
#include "Depart.h"
#include "Logo.h"

namespace {

const QColor Sarcelle(0, 128, 128);
const QColor Creme(255, 251, 240);
const QColor FinTitreInactif(215, 228, 242);

} // namespace

class TestAccueil : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fenetre();
    void controles_data();
    void controles();
    void policesEtCouleurs_data();
    void policesEtCouleurs();
    void bulles_data();
    void bulles();
    void ordreTabulation_data();
    void ordreTabulation();
    void logoSansLissage();
    void boutonTransparent();
    void barreEtat();
    void redimensionnement();

private:
    template <typename T = QWidget> T* Controle(const char* nom) const {
        T* controle = accueil_->findChild<T*>(QString::fromLatin1(nom));
        if (controle == nullptr)
            qFatal("pas de controle %s", nom);
        return controle;
    }
    QPoint DansFenetre(const char* nom) const {
        return Controle(nom)->mapTo(accueil_.get(), QPoint(0, 0));
    }

    std::unique_ptr<TAccueil> accueil_;
};

void TestAccueil::init() {
    accueil_ = std::make_unique<TAccueil>();
    accueil_->show();
    QVERIFY(QTest::qWaitForWindowExposed(accueil_.get()));
}

void TestAccueil::cleanup() {
    accueil_.reset();
}

void TestAccueil::fenetre() {
    QCOMPARE(accueil_->windowTitle(), "Controle des exports Veloran  V. 1.05 du 26/02/2024");
    QCOMPARE(accueil_->pos(), QPoint(194, 110));
    QCOMPARE(accueil_->size(), QSize(444, 269));
    QCOMPARE(accueil_->toolTip(), "Contrôle des actes dans Veloran 3");
    QCOMPARE(QApplication::windowIcon().availableSizes().size(), 8);
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
    QCOMPARE(accueil_->toolTipDuration(), 2500);
    accueil_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(accueil_.get()));
    QCOMPARE(QApplication::focusWidget(), Controle("Memo"));
}

void TestAccueil::controles_data() {
    QTest::addColumn<QByteArray>("nom");
    QTest::addColumn<QByteArray>("classe");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("texte");
    auto ligne = [](const char* nom, const char* classe, QRect place, bool visible,
                    const QString& texte) {
        QTest::newRow(nom) << QByteArray(nom) << QByteArray(classe) << place << visible << texte;
    };
    ligne("Logo", "TLogo", {4, 4, 149, 157}, true, {});
    ligne("BoutonOuvre", "TBoutonRapide", {8, 196, 137, 50}, true, "Ouvre");
    ligne("BoutonTraite", "TBoutonRapide", {152, 196, 137, 50}, true, "Traite");
    ligne("BoutonQuite", "TBoutonRapide", {296, 196, 137, 50}, true, "Quitte");
    ligne("LabelType", "QLabel", {160, 108, 75, 19}, true, "Actes de : ");
    ligne("LabelNombre", "QLabel", {160, 140, 90, 19}, true, "Nb d'actes : ");
    ligne("Memo", "QPlainTextEdit", {160, 8, 278, 81}, true,
          "Ce programme permet de détecter la présence de \n"
          "caractères invalides pour les corriger dans Veloran 3,\n"
          "la validité des dates ainsi que les noms de moins de\n"
          "deux caractère. Il accepte en entrée des fichiers\n"
          "exports Ardivenne et en supprime la première ligne.");
    ligne("BarreEtat", "TBarreEtat", {0, 250, 444, 19}, true, {});
    ligne("ChampType", "QLineEdit", {248, 100, 188, 26}, true, {});
    ligne("ChampNombre", "QLineEdit", {248, 132, 186, 26}, true, {});
    ligne("Progression", "QProgressBar", {8, 168, 425, 17}, false, {});
    ligne("Entree", "QPlainTextEdit", {0, 0, 33, 25}, false, {});
}

void TestAccueil::controles() {
    QFETCH(QByteArray, nom);
    QFETCH(QByteArray, classe);
    QFETCH(QRect, place);
    QFETCH(bool, visible);
    QFETCH(QString, texte);
    QWidget* controle = Controle(nom.constData());
    QCOMPARE(controle->metaObject()->className(), classe);
    QCOMPARE(QRect(DansFenetre(nom.constData()), controle->size()), place);
    QCOMPARE(controle->isVisible(), visible);
    QString montre;
    if (auto* bouton = qobject_cast<QAbstractButton*>(controle))
        montre = bouton->text();
    else if (auto* etiquette = qobject_cast<QLabel*>(controle))
        montre = etiquette->text();
    else if (auto* champ = qobject_cast<QLineEdit*>(controle))
        montre = champ->text();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(controle))
        montre = memo->toPlainText();
    QCOMPARE(montre, texte);
}

void TestAccueil::policesEtCouleurs_data() {
    QTest::addColumn<QByteArray>("nom");
    QTest::addColumn<QString>("police");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("gras");
    QTest::addColumn<QPalette::ColorRole>("roleTexte");
    QTest::addColumn<QColor>("couleurTexte");
    QTest::addColumn<QColor>("fond"); // invalid: the window's own
    auto ligne = [](const char* nom, const char* police, int points, bool gras,
                    QPalette::ColorRole role, QColor texte, QColor fond) {
        QTest::newRow(nom) << QByteArray(nom) << QString::fromLatin1(police) << points << gras
                           << role << texte << fond;
    };
    const QColor texteFenetre = QApplication::palette().color(QPalette::WindowText);
    ligne("TAccueil", "Liberation Sans", 8, false, QPalette::WindowText, texteFenetre, {});
    ligne("Entree", "Liberation Sans", 8, false, QPalette::Text,
          QApplication::palette().color(QPalette::Text), Creme);
    for (const char* bouton : {"BoutonOuvre", "BoutonTraite", "BoutonQuite"})
        ligne(bouton, "Comic Neue", 10, false, QPalette::ButtonText, Sarcelle, {});
    for (const char* etiquette : {"LabelType", "LabelNombre"})
        ligne(etiquette, "Comic Neue", 10, true, QPalette::WindowText, Sarcelle, {});
    ligne("Memo", "Liberation Sans", 8, false, QPalette::Text, Sarcelle, Creme);
    ligne("BarreEtat", "Comic Neue", 8, false, QPalette::WindowText, Sarcelle, {});
    for (const char* champ : {"ChampType", "ChampNombre"})
        ligne(champ, "Comic Neue", 10, false, QPalette::Text, Sarcelle, FinTitreInactif);
}

void TestAccueil::policesEtCouleurs() {
    QFETCH(QByteArray, nom);
    QFETCH(QString, police);
    QFETCH(int, points);
    QFETCH(bool, gras);
    QFETCH(QPalette::ColorRole, roleTexte);
    QFETCH(QColor, couleurTexte);
    QFETCH(QColor, fond);
    QWidget* controle = nom == "TAccueil" ? accueil_.get() : Controle(nom.constData());
    QCOMPARE(controle->font().family(), police);
    QCOMPARE(controle->font().pointSize(), points);
    QCOMPARE(controle->font().bold(), gras);
    // The font is there: what is drawn is the family asked for, not a fallback.
    QCOMPARE(QFontInfo(controle->font()).family(), police);
    for (const auto groupe : {QPalette::Active, QPalette::Inactive}) {
        QCOMPARE(controle->palette().color(groupe, roleTexte), couleurTexte);
        if (fond.isValid())
            QCOMPARE(controle->palette().color(groupe, QPalette::Base), fond);
    }
}

void TestAccueil::bulles_data() {
    QTest::addColumn<QPoint>("pointeur");
    QTest::addColumn<bool>("progressionVisible");
    QTest::addColumn<bool>("entreeVisible");
    QTest::addColumn<QString>("bulle");
    const QString fenetre = QStringLiteral("Contrôle des actes dans Veloran 3");
    QTest::newRow("logo") << QPoint(60, 60) << false << false << "Orlanthe";
    QTest::newRow("bande sous le logo") << QPoint(60, 156) << false << false << "Orlanthe";
    QTest::newRow("BoutonOuvre") << QPoint(20, 200) << false << false
                                 << "Ouvre un fichier export Veloran";
    QTest::newRow("BoutonTraite") << QPoint(220, 220) << false << false << "Convertit le fichier";
    QTest::newRow("BoutonQuite") << QPoint(430, 244) << false << false << "Quitte le programme";
    QTest::newRow("Memo") << QPoint(300, 50) << false << false << "A propos de ce programmme";
    QTest::newRow("ChampType") << QPoint(430, 110) << false << false
                               << "Affiche le type d'actes trouvés";
    QTest::newRow("ChampNombre") << QPoint(260, 150) << false << false
                                 << "Affiche le nombre d'actes à traiter";
    QTest::newRow("LabelType") << QPoint(170, 115) << false << false << fenetre;
    QTest::newRow("LabelNombre") << QPoint(240, 150) << false << false << fenetre;
    QTest::newRow("barre, panneau 1") << QPoint(100, 260) << false << false << fenetre;
    QTest::newRow("barre, panneau 2") << QPoint(350, 260) << false << false << fenetre;
    QTest::newRow("entre les controles") << QPoint(156, 50) << false << false << fenetre;
    QTest::newRow("Progression cachee") << QPoint(200, 176) << false << false << fenetre;
    QTest::newRow("Progression visible")
        << QPoint(200, 176) << true << false << "Progression du traitement";
    QTest::newRow("Entree cachee sur le logo") << QPoint(10, 10) << false << false << "Orlanthe";
    QTest::newRow("Entree visible sur le logo") << QPoint(10, 10) << false << true << fenetre;
    QTest::newRow("Entree visible sur Memo") << QPoint(300, 50) << false << true << fenetre;
    QTest::newRow("Entree visible, sous elle") << QPoint(300, 170) << false << true << fenetre;
}

void TestAccueil::bulles() {
    QFETCH(QPoint, pointeur);
    QFETCH(bool, progressionVisible);
    QFETCH(bool, entreeVisible);
    QFETCH(QString, bulle);
    Controle("Progression")->setVisible(progressionVisible);
    if (entreeVisible) {
        Controle("Entree")->resize(441, 161);
        Controle("Entree")->show();
    }
    QWidget* sous = accueil_->childAt(pointeur);
    if (sous == nullptr)
        sous = accueil_.get();
    // A tip already showing tells whether the event showed none at all.
    QToolTip::showText(accueil_->mapToGlobal(pointeur), QStringLiteral("rien"));
    QHelpEvent demande(QEvent::ToolTip, sous->mapFrom(accueil_.get(), pointeur),
                       accueil_->mapToGlobal(pointeur));
    QApplication::sendEvent(sous, &demande);
    QCOMPARE(QToolTip::text(), bulle);
    QToolTip::hideText();
}

void TestAccueil::ordreTabulation_data() {
    QTest::addColumn<bool>("entreeVisible");
    QTest::addColumn<QByteArrayList>("ordre");
    QTest::newRow("Entree cachee")
        << false << QByteArrayList{"Memo", "ChampType", "ChampNombre", "Memo"};
    QTest::newRow("Entree visible")
        << true << QByteArrayList{"Memo", "ChampType", "ChampNombre", "Entree", "Memo"};
}

void TestAccueil::ordreTabulation() {
    QFETCH(bool, entreeVisible);
    QFETCH(QByteArrayList, ordre);
    Controle("Entree")->setVisible(entreeVisible);
    Controle("Progression")->show(); // shown, it still takes no focus
    accueil_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(accueil_.get()));
    Controle("Memo")->setFocus();
    for (qsizetype i = 0; i < ordre.size(); ++i) {
        QCOMPARE(QApplication::focusWidget()->objectName().toLatin1(), ordre[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // Tab moves the focus: it is never typed into the text boxes.
    QVERIFY(!Controle<QPlainTextEdit>("Memo")->toPlainText().contains(u'\t'));
}

void TestAccueil::logoSansLissage() {
    auto* logo = Controle<TLogo>("Logo");
    const QImage dessin = logo->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(dessin.size(), QSize(149, 157));
    // Reduced by dropping rows and columns: every pixel drawn is one of the picture's.
    const QImage source = logo->Image().convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> couleurs;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            couleurs.insert(source.pixel(x, y));
    int etrangeres = 0;
    for (int y = 0; y < 148; ++y)
        for (int x = 0; x < 149; ++x)
            etrangeres += couleurs.contains(dessin.pixel(x, y)) ? 0 : 1;
    QCOMPARE(etrangeres, 0);
    // The 9 rows below the picture show the window.
    const QColor fond = accueil_->palette().color(QPalette::Window);
    for (int y = 148; y < 157; ++y)
        for (int x = 0; x < 149; x += 37)
            QCOMPARE(dessin.pixelColor(x, y), fond);
}

void TestAccueil::boutonTransparent() {
    const QColor cle(236, 233, 216);
    QImage image(32, 32, QImage::Format_RGB888);
    image.fill(cle);
    image.setPixelColor(16, 16, Qt::red);
    TBoutonRapide bouton;
    bouton.resize(137, 50);
    bouton.setGlyphe(QPixmap::fromImage(image));
    const QImage face = bouton.grab().toImage();
    const QPoint coin = DisposeBouton(bouton.size(), QSize(32, 32), QSize(0, 0)).Image;
    QCOMPARE(face.pixelColor(coin + QPoint(16, 16)), QColor(Qt::red));
    for (const QPoint p : {QPoint(0, 31), QPoint(0, 0), QPoint(31, 0), QPoint(20, 20)})
        QVERIFY2(face.pixelColor(coin + p) != cle,
                 qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
}

void TestAccueil::barreEtat() {
    auto* barre = Controle<TBarreEtat>("BarreEtat");
    QCOMPARE(barre->Panneau1().left(), 0);
    QCOMPARE(barre->Panneau2().left(), 290);
    QVERIFY(!barre->TextePanneau2().isEmpty());
    auto* poignee = barre->findChild<QWidget*>();
    QVERIFY(poignee != nullptr && poignee->isVisible());
    QCOMPARE(poignee->geometry().right(), barre->width() - 1);
    QCOMPARE(barre->Panneau2().right() + 1, poignee->x());
}

void TestAccueil::redimensionnement() {
    const QByteArrayList fixes = {"Logo",        "BoutonOuvre", "BoutonTraite", "BoutonQuite",
                                  "Memo",        "LabelType",   "LabelNombre",  "ChampType",
                                  "ChampNombre", "Progression"};
    QList<QRect> avant;
    for (const QByteArray& nom : fixes)
        avant.append(QRect(DansFenetre(nom.constData()), Controle(nom.constData())->size()));
    auto* defilement = Controle<QScrollArea>("Defilement");

    accueil_->resize(600, 400);
    QApplication::processEvents();
    QCOMPARE(Controle("BarreEtat")->geometry(), QRect(0, 381, 600, 19));
    for (qsizetype i = 0; i < fixes.size(); ++i)
        QCOMPARE(QRect(DansFenetre(fixes[i].constData()), Controle(fixes[i].constData())->size()),
                 avant[i]);
    QVERIFY(!defilement->horizontalScrollBar()->isVisible());
    QVERIFY(!defilement->verticalScrollBar()->isVisible());

    accueil_->resize(300, 150);
    QApplication::processEvents();
    QCOMPARE(Controle("BarreEtat")->geometry(), QRect(0, 131, 300, 19));
    QVERIFY(defilement->horizontalScrollBar()->isVisible());
    QVERIFY(defilement->verticalScrollBar()->isVisible());
}

QTEST_MAIN_CONTROLE(TestAccueil)
#include "TestAccueil.moc"
