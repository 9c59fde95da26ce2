// The window operations that the actions use, on real controls: the 64-bit progress range,
// the repaints of the bar, the results lines and the open dialog.
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

#include "ApplicationTest.h"
#include "DialogueOuverture.h"
#include "Erreurs.h"
#include "OperationsAccueil.h"
#include "TexteAffiche.h"

namespace {

// Counts the paintings of a control.
class CompteurPeintures : public QObject {
public:
    int Nombre = 0;
    bool eventFilter(QObject*, QEvent* evenement) override {
        if (evenement->type() == QEvent::Paint)
            ++Nombre;
        return false;
    }
};

// Calls `reponse` with the file dialog once it is shown.
void RepondDialogue(std::function<void(QFileDialog&)> reponse) {
    QTimer::singleShot(0, [reponse] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialogue == nullptr) {
            RepondDialogue(reponse); // not shown yet
            return;
        }
        reponse(*dialogue);
    });
}

} // namespace

class TestOperationsAccueil : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void progression64Bits_data();
    void progression64Bits();
    void maximumSousLeMinimum();
    void repeintSeulementQuandLeDessinChange();
    void lignesEntieres();
    void beaucoupDeLignesMisesEnPageAPart();
    void dialogueOuverture();

private:
    std::unique_ptr<QWidget> fenetre_;
    QPlainTextEdit* entree_ = nullptr;
    QProgressBar* progression_ = nullptr;
    std::unique_ptr<TOperationsAccueil> operations_;
};

void TestOperationsAccueil::init() {
    fenetre_ = std::make_unique<QWidget>();
    auto* disposition = new QVBoxLayout(fenetre_.get());
    entree_ = new QPlainTextEdit;
    auto* champType = new QLineEdit;
    auto* champNombre = new QLineEdit;
    progression_ = new QProgressBar;
    progression_->setMinimum(1);
    progression_->setFixedSize(425, 17);
    progression_->hide();
    for (QWidget* controle :
         {static_cast<QWidget*>(entree_), static_cast<QWidget*>(champType),
          static_cast<QWidget*>(champNombre), static_cast<QWidget*>(progression_)})
        disposition->addWidget(controle);
    operations_ = std::make_unique<TOperationsAccueil>(
        *entree_, *champType, *champNombre, *progression_, [] { return std::optional<QString>(); },
        [](const QString&, const QString&, int) { return 1; });
    fenetre_->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre_.get()));
}

void TestOperationsAccueil::cleanup() {
    operations_.reset();
    fenetre_.reset();
}

void TestOperationsAccueil::progression64Bits_data() {
    QTest::addColumn<qint64>("maximum");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("maximumBarre");
    QTest::addColumn<int>("valeurBarre");
    constexpr int plafond = std::numeric_limits<int>::max();
    QTest::newRow("petit") << qint64{200} << qint64{100} << 200 << 100;
    QTest::newRow("position 0 sous le minimum") << qint64{200} << qint64{0} << 200 << 1;
    QTest::newRow("position au-dela du maximum") << qint64{200} << qint64{500} << 200 << 200;
    QTest::newRow("plus grand int") << qint64{plafond} << qint64{plafond} << plafond << plafond;
    QTest::newRow("au-dela de int")
        << qint64{plafond} + 1 << qint64{plafond} + 1 << (plafond / 2 + 1) << (plafond / 2 + 1);
    QTest::newRow("5 milliards, a moitie")
        << qint64{5'000'000'000} << qint64{2'500'000'000} << 1'666'666'666 << 833'333'333;
}

void TestOperationsAccueil::progression64Bits() {
    QFETCH(qint64, maximum);
    QFETCH(qint64, position);
    QFETCH(int, maximumBarre);
    QFETCH(int, valeurBarre);
    operations_->MaxProgression(maximum);
    operations_->PositionProgression(position);
    QCOMPARE(progression_->maximum(), maximumBarre);
    QCOMPARE(progression_->value(), valeurBarre);
    // Shown, the bar takes the position when it is repainted.
    operations_->VisibleProgression(true);
    operations_->PositionProgression(position);
    operations_->RepeintProgression();
    QCOMPARE(progression_->value(), valeurBarre);
}

void TestOperationsAccueil::maximumSousLeMinimum() {
    operations_->MaxProgression(50);
    QVERIFY_THROWS_EXCEPTION(controle::EInvalidOperation, operations_->MaxProgression(0));
    QCOMPARE(progression_->maximum(), 50);
}

void TestOperationsAccueil::repeintSeulementQuandLeDessinChange() {
    constexpr std::int64_t enregistrements = 1'000'000;
    operations_->MaxProgression(enregistrements);
    operations_->VisibleProgression(true);
    CompteurPeintures peintures;
    progression_->installEventFilter(&peintures);
    const auto avance = [this](std::int64_t position) {
        operations_->PositionProgression(position);
        operations_->RepeintProgression();
    };

    avance(0);
    QCOMPARE(peintures.Nombre, 1); // just shown: painted at once, from the first record
    // Many pixels further within a few milliseconds: held back, at most 25 repaints a second.
    for (std::int64_t i = 10; i < enregistrements / 2; i += 10)
        avance(i);
    QCOMPARE(peintures.Nombre, 1);
    // Later on, a change of the drawing is painted at once...
    QTest::qWait(50);
    avance(enregistrements / 2);
    QVERIFY(peintures.Nombre > 1);
    QCOMPARE(progression_->value(), enregistrements / 2);
    // ...but a position that draws the same bar is not.
    const int apres = peintures.Nombre;
    QTest::qWait(50);
    avance(enregistrements / 2 + 10);
    QCOMPARE(peintures.Nombre, apres);
    // The closing box shows the bar where the check ended.
    avance(enregistrements - 1);
    operations_->BoiteMessage("Contrôle terminé !", "Bravo !", controle::MB_ICONINFORMATION);
    QCOMPARE(progression_->value(), enregistrements - 1);
}

void TestOperationsAccueil::lignesEntieres() {
    using namespace std::string_view_literals;
    operations_->AjouteLigneEntree("0 -> Ardivenne : B Je\0an \xe0 corriger"sv);
    operations_->AjouteLigneEntree("1 -> caract\xe8re de code 9 dans 'a\tb'");
    operations_->VisibleEntree(true); // the lines are there when the list shows
    QCOMPARE(entree_->toPlainText(), QStringLiteral("0 -> Ardivenne : B Je\u2400an à corriger\n"
                                                    "1 -> caractère de code 9 dans 'a\u2409b'"));
    operations_->VisibleEntree(false);
    operations_->AjouteLigneEntree("Au total : 2 erreurs trouv\xe9"
                                   "es");
    operations_->BoiteMessage("Copiez les résultats !", "Bravo !", controle::MB_ICONINFORMATION);
    QCOMPARE(entree_->toPlainText().split(u'\n').last(),
             QStringLiteral("Au total : 2 erreurs trouvées"));

    // Emptied, the list also drops what was still to be written.
    operations_->AjouteLigneEntree("3 -> perdue");
    operations_->VideEntree();
    operations_->EcritLignesEnAttente();
    QCOMPARE(entree_->toPlainText(), QString());
}

// Past some 64 KiB of text, the lines go to a document built on a second thread, which then
// replaces the list's own: the list must read and look exactly as if they had been appended,
// keep its settings, take the lines that follow, and drop them all when emptied.
void TestOperationsAccueil::beaucoupDeLignesMisesEnPageAPart() {
    entree_->setUndoRedoEnabled(false);
    entree_->setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    const auto ligne = [](int i) {
        return "Enregistrement " + std::to_string(i) + " : caract\xe8re de code 9 dans 'a\tb'";
    };
    const auto attendu = [&](int premiere, int nombre) {
        QStringList lignes;
        for (int i = premiere; i < premiere + nombre; ++i)
            lignes << DepuisWindows1252(ligne(i));
        return lignes.join(u'\n');
    };
    constexpr int Nombre = 3000; // about 150,000 characters

    // As the check does it: appended while the list is hidden, then shown. The blinking text
    // cursor is left out of the pictures compared; its place is compared apart.
    const auto image = [this] {
        entree_->setReadOnly(true);
        const QImage image = entree_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        entree_->setReadOnly(false);
        return image;
    };
    entree_->hide();
    for (int i = 0; i < Nombre; ++i)
        operations_->AjouteLigneEntree(ligne(i));
    operations_->VisibleEntree(true);
    QCOMPARE(entree_->toPlainText(), attendu(0, Nombre));
    QCOMPARE(entree_->blockCount(), Nombre);
    QVERIFY(!entree_->document()->isUndoRedoEnabled());
    QCOMPARE(entree_->document()->defaultFont(), entree_->font());
    const QImage misesAPart = image();
    const int curseur = entree_->textCursor().position();

    // The same lines appended to the list's own document.
    operations_->VideEntree();
    entree_->hide();
    entree_->appendPlainText(attendu(0, Nombre));
    entree_->show();
    QCOMPARE(image(), misesAPart);
    QCOMPARE(entree_->textCursor().position(), curseur);

    // A line after them, and a list that already holds lines when the next ones are ready.
    operations_->VisibleEntree(false);
    operations_->AjouteLigneEntree("Au total");
    for (int i = Nombre; i < 2 * Nombre; ++i)
        operations_->AjouteLigneEntree(ligne(i));
    operations_->EcritLignesEnAttente();
    QCOMPARE(entree_->toPlainText(),
             attendu(0, Nombre) + QStringLiteral("\nAu total\n") + attendu(Nombre, Nombre));

    // Emptied while the second thread works, the list keeps none of it.
    for (int i = 0; i < Nombre; ++i)
        operations_->AjouteLigneEntree(ligne(i));
    operations_->VideEntree();
    operations_->EcritLignesEnAttente();
    QCOMPARE(entree_->toPlainText(), QString());
}

void TestOperationsAccueil::dialogueOuverture() {
    TDialogueOuverture OpenDialog;
    const QString absent = QDir::temp().filePath(
        QStringLiteral("absent-%1.txt").arg(QCoreApplication::applicationPid()));
    QVERIFY(!QFileInfo::exists(absent));

    // The user types the name of a file that does not exist: it is accepted.
    QString titre;
    RepondDialogue([&](QFileDialog& dialogue) {
        titre = dialogue.windowTitle();
        auto* nom = dialogue.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(nom != nullptr);
        QCOMPARE(nom->text(), QString());
        nom->setText(absent);
        QTest::keyClick(nom, Qt::Key_Return);
    });
    QVERIFY(OpenDialog.Execute(fenetre_.get()));
    QCOMPARE(OpenDialog.NomFichier(), absent);
    QCOMPARE(titre, QStringLiteral("Ouvrir")); // Qt's own texts, in French

    // The next time, it proposes that path; cancelled, it keeps it.
    QStringList propose;
    RepondDialogue([&](QFileDialog& dialogue) {
        propose = dialogue.selectedFiles();
        dialogue.reject();
    });
    QVERIFY(!OpenDialog.Execute(fenetre_.get()));
    QCOMPARE(propose, QStringList{absent});
    QCOMPARE(OpenDialog.NomFichier(), absent);
}

QTEST_MAIN_CONTROLE(TestOperationsAccueil)
#include "TestOperationsAccueil.moc"
