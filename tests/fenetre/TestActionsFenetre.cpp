// The three buttons through the window: what the Open and Process actions leave on the
// controls, the boxes they show, the error box of a failure, and the end of the program.
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "ApplicationTest.h"
#include "Depart.h"
#include "DossierTemporaire.h"
#include "Exports.h"

namespace {

// Three problems: a surname of one letter, a bad character, a spouse surname of one letter.
std::string ExportAvecProblemes() {
    std::string octets = Entete + "\r\n";
    octets += Enregistrement("M", {{1, "0"}}) + "\r\n";
    octets += Enregistrement("M", {{1, "1"}, {11, "B"}}) + "\r\n";
    octets += Enregistrement("M", {{1, "2"}, {12, "Je^an"}}) + "\r\n";
    octets += Enregistrement("M", {{1, "3"}, {29, "R"}}) + "\r\n";
    octets += Enregistrement("M", {{1, "4"}}) + "\r\n";
    return octets;
}

struct Boite {
    QString Texte, Titre;
    QMessageBox::Icon Icone;
    QMessageBox::StandardButtons Boutons;
};

// Answers the next message box the user would see, keeping what it showed.
void RepondBoite(Boite& vue) {
    QTimer::singleShot(0, [&vue] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (boite == nullptr) {
            RepondBoite(vue);
            return;
        }
        vue = {boite->text(), boite->windowTitle(), boite->icon(), boite->standardButtons()};
        boite->button(QMessageBox::Ok)->click();
    });
}

} // namespace

class TestActionsFenetre : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void etatsDesControles_data();
    void etatsDesControles();
    void pendantTraite();
    void boites_data();
    void boites();
    void fin_data();
    void fin();

private:
    template <typename T = QWidget> T* Controle(const char* nom) const {
        return accueil_->findChild<T*>(QString::fromLatin1(nom));
    }
    // The next open dialog accepts `chemin`; an empty one cancels it.
    void Choisit(const std::string& chemin) {
        accueil_->Operations().RemplaceDialogue([chemin]() -> std::optional<QString> {
            if (chemin.empty())
                return std::nullopt;
            return QString::fromStdString(chemin);
        });
    }
    void Clique(const char* bouton) { QTest::mouseClick(Controle(bouton), Qt::LeftButton); }

    std::unique_ptr<DossierTemporaire> dossier_;
    std::unique_ptr<TAccueil> accueil_;
    QStringList boitesVues_;
};

void TestActionsFenetre::init() {
    dossier_ = std::make_unique<DossierTemporaire>();
    accueil_ = std::make_unique<TAccueil>();
    boitesVues_.clear();
    accueil_->Operations().RemplaceBoite([this](const QString& texte, const QString&, int) {
        boitesVues_.append(texte);
        return 1;
    });
    accueil_->show();
    QVERIFY(QTest::qWaitForWindowExposed(accueil_.get()));
}

void TestActionsFenetre::cleanup() {
    accueil_.reset();
    dossier_.reset();
}

void TestActionsFenetre::etatsDesControles_data() {
    QTest::addColumn<QStringList>("etapes");
    QTest::addColumn<bool>("entreeVisible");
    QTest::addColumn<QRect>("placeEntree");
    QTest::addColumn<QString>("texteEntree");
    QTest::addColumn<int>("maximumProgression");
    QTest::addColumn<QString>("champType");
    QTest::addColumn<QString>("champNombre");
    QTest::addColumn<QStringList>("boites");
    const QRect petite(0, 0, 33, 25);
    const QRect agrandie(0, 0, 441, 161);
    const QString total3 = QStringLiteral("Au total : 3 erreurs trouvées");
    QTest::newRow("apres le demarrage") << QStringList{} << false << petite << "" << 100 << ""
                                        << "" << QStringList{};
    QTest::newRow("apres Ouvre") << QStringList{"Ouvre problemes"} << false << petite << "" << 6
                                 << "Mariages"
                                 << "5" << QStringList{};
    QTest::newRow("apres Traite, problemes")
        << QStringList{"Ouvre problemes", "Traite"} << true << agrandie << total3 << 6 << "Mariages"
        << "5" << QStringList{"Copiez les résultats !"};
    QTest::newRow("apres Traite, rien trouve")
        << QStringList{"Ouvre sans probleme", "Traite"} << false << petite
        << "Au total : 0 erreurs trouvées" << 4 << "Naissances"
        << "3" << QStringList{"Contrôle terminé !"};
    QTest::newRow("dialogue annule apres des problemes")
        << QStringList{"Ouvre problemes", "Traite", "Ouvre annule"} << true << agrandie << "" << 6
        << "Mariages"
        << "5" << QStringList{"Copiez les résultats !"};
    QTest::newRow("Ouvre apres des problemes")
        << QStringList{"Ouvre problemes", "Traite", "Ouvre sans probleme"} << false << agrandie
        << "" << 4 << "Naissances"
        << "3" << QStringList{"Copiez les résultats !"};
}

void TestActionsFenetre::etatsDesControles() {
    QFETCH(QStringList, etapes);
    QFETCH(bool, entreeVisible);
    QFETCH(QRect, placeEntree);
    QFETCH(QString, texteEntree);
    QFETCH(int, maximumProgression);
    QFETCH(QString, champType);
    QFETCH(QString, champNombre);
    QFETCH(QStringList, boites);
    const std::string problemes = dossier_->Ecrit("problemes.txt", ExportAvecProblemes());
    const std::string sansProbleme = dossier_->Ecrit("bon.txt", Export("N", 4, false));
    for (const QString& etape : etapes) {
        if (etape == "Ouvre problemes")
            Choisit(problemes);
        else if (etape == "Ouvre sans probleme")
            Choisit(sansProbleme);
        else if (etape == "Ouvre annule")
            Choisit({});
        Clique(etape == "Traite" ? "BoutonTraite" : "BoutonOuvre");
    }
    auto* entree = Controle<QPlainTextEdit>("Entree");
    QCOMPARE(entree->isVisible(), entreeVisible);
    QCOMPARE(entree->geometry(), placeEntree);
    const QStringList lignes = entree->toPlainText().split(u'\n');
    QCOMPARE(lignes.last(), texteEntree);
    auto* progression = Controle<QProgressBar>("Progression");
    QVERIFY(progression->isHidden());
    QCOMPARE(progression->value(), progression->minimum()); // position 1, or 0 shown as 1
    QCOMPARE(progression->maximum(), maximumProgression);
    QCOMPARE(Controle<QLineEdit>("ChampType")->text(), champType);
    QCOMPARE(Controle<QLineEdit>("ChampNombre")->text(), champNombre);
    QCOMPARE(boitesVues_, boites);
}

void TestActionsFenetre::pendantTraite() {
    // Looks at the window each time the progress bar is painted while the records are checked
    // (until the summary line comes).
    struct Observateur : QObject {
        TAccueil* Fenetre = nullptr;
        int Peintures = 0;
        QStringList Ecarts;
        bool eventFilter(QObject*, QEvent* evenement) override {
            if (evenement->type() != QEvent::Paint)
                return false;
            auto* entree = Fenetre->findChild<QPlainTextEdit*>(QStringLiteral("Entree"));
            if (entree->toPlainText().contains(QStringLiteral("Au total")))
                return false;
            ++Peintures;
            if (!entree->isHidden() || entree->size() != QSize(33, 25))
                Ecarts.append(QStringLiteral("Entree visible ou agrandie"));
            return false;
        }
    } observateur;
    observateur.Fenetre = accueil_.get();
    auto* progression = Controle<QProgressBar>("Progression");
    progression->installEventFilter(&observateur);
    bool visibleSousBoite = false;
    bool entreeSousBoite = false;
    accueil_->Operations().RemplaceBoite([&](const QString&, const QString&, int) {
        visibleSousBoite = progression->isVisible();
        entreeSousBoite = Controle("Entree")->isVisible();
        return 1;
    });
    Choisit(dossier_->Ecrit("problemes.txt", ExportAvecProblemes()));
    Clique("BoutonOuvre");
    // A Process after an earlier one that left the list enlarged.
    Controle("Entree")->setGeometry(0, 0, 441, 161);
    Controle("Entree")->show();
    Clique("BoutonTraite");
    QVERIFY(observateur.Peintures > 0);
    QCOMPARE(observateur.Ecarts, QStringList{});
    QVERIFY(visibleSousBoite);
    QVERIFY(entreeSousBoite);
    QVERIFY(progression->isHidden());
}

void TestActionsFenetre::boites_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QMessageBox::Icon>("icone");
    // The title of a program file named TestActionsFenetre.
    QTest::newRow("fichier introuvable") << "absent.txt"
                                         << "Fichier introuvable."
                                         << "Testactionsfenetre" << QMessageBox::Critical;
    QTest::newRow("pas un export") << "pas-export.txt"
                                   << "Ce n'est pas un fichier export de Veloran 3!"
                                   << "Attention !" << QMessageBox::Critical;
    QTest::newRow("problemes") << "problemes.txt"
                               << "Copiez les résultats !"
                               << "Bravo !" << QMessageBox::Information;
}

void TestActionsFenetre::boites() {
    QFETCH(QString, fichier);
    QFETCH(QString, texte);
    QFETCH(QString, titre);
    QFETCH(QMessageBox::Icon, icone);
    dossier_->Ecrit("problemes.txt", ExportAvecProblemes());
    dossier_->Ecrit("pas-export.txt", "Nom;Prenom\r\nMARTIN;Jean\r\n");
    TAccueil accueil; // its own boxes, not the answers of init()
    accueil.show();
    accueil.Operations().RemplaceDialogue([&] {
        return std::optional(QString::fromStdString(dossier_->Chemin(fichier.toStdString())));
    });
    Boite vue;
    RepondBoite(vue);
    QTest::mouseClick(accueil.findChild<QWidget*>(QStringLiteral("BoutonOuvre")), Qt::LeftButton);
    if (fichier == "problemes.txt")
        QTest::mouseClick(accueil.findChild<QWidget*>(QStringLiteral("BoutonTraite")),
                          Qt::LeftButton);
    QCOMPARE(vue.Texte, texte);
    QCOMPARE(vue.Titre, titre);
    QCOMPARE(vue.Icone, icone);
    QCOMPARE(vue.Boutons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(accueil.isVisible()); // the program goes on
}

void TestActionsFenetre::fin_data() {
    QTest::addColumn<QString>("comment");
    QTest::newRow("Quitte") << "Quitte";
    QTest::newRow("fermeture de la fenetre") << "fermeture";
    QTest::newRow("fichier refuse") << "refus";
}

void TestActionsFenetre::fin() {
    QFETCH(QString, comment);
    Choisit(dossier_->Ecrit("pas-export.txt", "Nom;Prenom\r\nMARTIN;N\r\n"));
    QTimer::singleShot(0, [&] {
        if (comment == "Quitte")
            Clique("BoutonQuite");
        else if (comment == "fermeture")
            accueil_->close();
        else
            Clique("BoutonOuvre");
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // the loop did not end
    QCOMPARE(QApplication::exec(), 0);
    if (comment == "refus") {
        // The refusing action went on to its end before the program ended.
        QCOMPARE(boitesVues_, QStringList{"Ce n'est pas un fichier export de Veloran 3!"});
        QCOMPARE(Controle<QLineEdit>("ChampType")->text(), "Divers");
    }
}

QTEST_MAIN_CONTROLE(TestActionsFenetre)
#include "TestActionsFenetre.moc"
