#pragma once
#include <string>

#include "BarreProgression.h"
#include "Options.h"
#include "ReglagesDates.h"
#include "Sortie.h"

namespace controle_export {

// Exit statuses, from the best to the worst: the worst of all files is the program's.
enum Statut : int { StatutRien = 0, StatutProblemes = 1, StatutEchec = 2 };

// Runs the Open action on `chemin`, then the Process action, as the window's two buttons
// would. A refusal or failure is reported on standard error and gives StatutEchec.
Statut ControleFichier(const std::string& chemin, const Options& options,
                       const controle::ReglagesDates& reglages, Sortie& sortie,
                       BarreProgression* barre);

} // namespace controle_export
