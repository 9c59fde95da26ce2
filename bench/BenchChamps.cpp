// Cost of the record split that the check runs once per record, on generated marriages.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Champs.h"
#include "GenerateurExport.h"

namespace {

std::vector<std::string> Mariages() {
    bench::GenerateurExport generateur({'M', 1, 0.01});
    std::vector<std::string> lignes;
    for (std::uint64_t i = 0; i < 4096; ++i)
        lignes.push_back(generateur.Enregistrement(i));
    return lignes;
}

// The fields the check of every marriage tests: date, surname and spouse's surname.
void ChampsVoulusMariage(benchmark::State& etat) {
    const std::vector<std::string> lignes = Mariages();
    const int voulus[] = {7, 11, 29};
    std::array<std::string_view, controle::MaxChamps + 1> champs{};
    std::size_t i = 0;
    for (auto _ : etat) {
        controle::ChampsVoulus(lignes[i++ % lignes.size()], 60, voulus, champs.data());
        benchmark::DoNotOptimize(champs.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ChampsVoulusMariage);

void DecoupeEnregistrementMariage(benchmark::State& etat) {
    const std::vector<std::string> lignes = Mariages();
    std::array<std::string_view, controle::MaxChamps + 1> champs{};
    std::size_t i = 0;
    for (auto _ : etat) {
        controle::DecoupeEnregistrement(lignes[i++ % lignes.size()], 60, champs.data());
        benchmark::DoNotOptimize(champs.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DecoupeEnregistrementMariage);

} // namespace
