// The Process action through the window against the command-line checker, on the same
// export of 1,000,000 marriages of which 100,000 have a problem, with its header line (both
// write the header-free copy). The window's run includes painting the results list.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "ActionOuvre.h"
#include "ActionTraite.h"
#include "ApplicationControle.h"
#include "Depart.h"
#include "EtatControle.h"
#include "GenerateurExport.h"

namespace {

constexpr std::uint64_t Enregistrements = 1'000'000;

// The exports write dates day first; the machines that measure may have no French locale.
controle::ReglagesDates Francais() {
    controle::ReglagesDates reglages;
    reglages.FormatDateCourt = "dd/MM/yyyy";
    return reglages;
}

struct Export {
    QTemporaryDir Dossier;
    QString Chemin = Dossier.filePath(QStringLiteral("mariages.txt"));
    QString Copie = Dossier.filePath(QStringLiteral("mariages_chk.TXT"));
    std::uint64_t AProbleme = 0;

    Export() {
        bench::GenerateurExport generateur({'M', 1, 0.10});
        std::ofstream fichier(Chemin.toStdString(), std::ios::binary);
        fichier << bench::GenerateurExport::Entete() << "\r\n";
        for (std::uint64_t i = 0; i < Enregistrements; ++i)
            fichier << generateur.Enregistrement(i) << "\r\n";
        AProbleme = generateur.EnregistrementsAProbleme();
    }
};

const Export& LExport() {
    static const Export fichier;
    return fichier;
}

// Outside the clock: replacing a copy that the kernel is still writing to the disk waits
// for the disk, not for the program.
void EffaceCopiePrecedente() {
    QFile::remove(LExport().Copie);
    ::sync();
}

void TraiteFenetre(benchmark::State& etat) {
    TAccueil accueil;
    accueil.Operations().RemplaceDialogue([] { return std::optional(LExport().Chemin); });
    accueil.Operations().RemplaceBoite([](const QString&, const QString&, int) { return 1; });
    accueil.show();
    QApplication::processEvents();
    const controle::ReglagesDates reglages = Francais();
    const auto ouvreEtTraite = [&] {
        accueil.BoutonOuvreClick();
        controle::ActionTraite(controle::EtatProgramme(), accueil.Operations(), reglages);
        QApplication::processEvents();
    };
    // Once before the clock runs, as for the checker: the first run after the export was
    // generated wrote its copy several times slower than the next ones.
    ouvreEtTraite();
    // Open and Process, as the checker does them too. The previous run's results and copy
    // are dropped before the clock runs: that is the cost of the run before, not of this one.
    for (auto _ : etat) {
        etat.PauseTiming();
        accueil.Operations().VideEntree();
        QApplication::processEvents();
        EffaceCopiePrecedente();
        etat.ResumeTiming();
        ouvreEtTraite();
    }
    etat.counters["enregistrements a probleme"] = static_cast<double>(LExport().AProbleme);
    etat.counters["lignes de resultats"] =
        accueil.findChild<QPlainTextEdit*>(QStringLiteral("Entree"))->blockCount();
}

void ControleExport(benchmark::State& etat) {
    const QStringList arguments = {QStringLiteral("--format-date"), QStringLiteral("dd/MM/yyyy"),
                                   LExport().Chemin};
    const auto controle = [&] {
        QProcess processus;
        processus.setStandardOutputFile(QProcess::nullDevice());
        processus.start(QStringLiteral(CONTROLE_EXPORT), arguments);
        processus.waitForFinished(-1);
        return processus.exitStatus() == QProcess::NormalExit && processus.exitCode() <= 1;
    };
    controle(); // once before the clock runs, as for the window
    for (auto _ : etat) {
        etat.PauseTiming();
        EffaceCopiePrecedente();
        etat.ResumeTiming();
        if (!controle())
            etat.SkipWithError("controle-export a échoué");
    }
}

BENCHMARK(TraiteFenetre)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(ControleExport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char* argv[]) {
    TApplicationControle application(argc, argv);
    LExport(); // generated before any measure
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
