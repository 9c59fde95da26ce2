#include "ReglagesDates.h"

#include "LocaleDates.h"

namespace controle {
namespace {

ReglagesDates& ReglagesProgramme() {
    static ReglagesDates reglages = ReglagesLocaleUtilisateur();
    return reglages;
}

} // namespace

const ReglagesDates& ReglagesCourants() {
    return ReglagesProgramme();
}

void LitReglagesDates() {
    ReglagesProgramme() = ReglagesLocaleUtilisateur();
}

} // namespace controle
