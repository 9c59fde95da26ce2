#pragma once
#include "Options.h"
#include "ReglagesDates.h"

namespace controle_export {

// The user's regional date settings, with the format and separator given on the command
// line in their place.
controle::ReglagesDates ReglagesDesOptions(const Options& options);

} // namespace controle_export
