#include "EtatControle.h"

namespace controle {

EtatControle& EtatProgramme() {
    static EtatControle etat;
    return etat;
}

} // namespace controle
