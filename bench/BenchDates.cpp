// Cost of the date test that the check runs once per record.
#include <benchmark/benchmark.h>

#include <string_view>

#include "ReglagesDates.h"

namespace {

controle::ReglagesDates Francais() {
    controle::ReglagesDates reglages;
    reglages.FormatDateCourt = "dd/MM/yyyy";
    return reglages;
}

void Mesure(benchmark::State& etat, std::string_view texte) {
    const controle::ReglagesDates reglages = Francais();
    for (auto _ : etat)
        benchmark::DoNotOptimize(controle::DateValide(texte, reglages));
}

// The same with the format worked out once, as the check does for all its records.
void MesureVerification(benchmark::State& etat, std::string_view texte) {
    const controle::ReglagesDates reglages = Francais();
    const controle::VerificationDates dates(reglages);
    for (auto _ : etat)
        benchmark::DoNotOptimize(dates.Valide(texte));
}

// The three paths: a full date, a two-digit year (the clock is read), a text that is no date.
BENCHMARK_CAPTURE(Mesure, DateComplete, std::string_view("12/03/1750"));
BENCHMARK_CAPTURE(Mesure, AnneeSurDeuxChiffres, std::string_view("12/03/74"));
BENCHMARK_CAPTURE(Mesure, DateInvalide, std::string_view("12 mars 1750"));
BENCHMARK_CAPTURE(Mesure, JourInexistant, std::string_view("31/04/1750"));

BENCHMARK_CAPTURE(MesureVerification, DateComplete, std::string_view("12/03/1750"));
BENCHMARK_CAPTURE(MesureVerification, DateInvalide, std::string_view("12 mars 1750"));

} // namespace
