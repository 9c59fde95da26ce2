#include "ReglagesDates.h"

#include <optional>

#include "LocaleDates.h"

namespace controle {
namespace {

// Empty until read: start-up reads the settings once, whoever comes first.
std::optional<ReglagesDates>& ReglagesProgramme() {
    static std::optional<ReglagesDates> reglages;
    return reglages;
}

} // namespace

const ReglagesDates& ReglagesCourants() {
    std::optional<ReglagesDates>& reglages = ReglagesProgramme();
    if (!reglages)
        reglages = ReglagesLocaleUtilisateur();
    return *reglages;
}

void LitReglagesDates() {
    ReglagesProgramme() = ReglagesLocaleUtilisateur();
}

} // namespace controle
