#include "OperationsFenetre.h"

#include "Erreurs.h"

namespace controle {

void VerifieMaxProgression(std::int64_t maximum) {
    if (maximum < MinProgression)
        throw EInvalidOperation("Propriété TProgressBar hors limites");
}

} // namespace controle
