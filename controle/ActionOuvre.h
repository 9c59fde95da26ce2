#pragma once
#include "EtatControle.h"
#include "OperationsFenetre.h"

namespace controle {

// The Open action (the "Ouvre" button): lets the user pick an export, recognises it,
// fills the check state and shows the act type and the number of acts.
void ActionOuvre(EtatControle& etat, OperationsFenetre& fenetre);

} // namespace controle
