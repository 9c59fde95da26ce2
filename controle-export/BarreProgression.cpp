#include "BarreProgression.h"

#include <string>
#include <unistd.h>

namespace controle_export {

namespace {
constexpr int Largeur = 40;
}

BarreProgression::BarreProgression(std::FILE* flux) : flux_(flux) {}

bool BarreProgression::Utile() {
    return ::isatty(STDERR_FILENO) == 1;
}

void BarreProgression::Maximum(std::int64_t maximum) {
    maximum_ = maximum;
}

void BarreProgression::Repeint(std::int64_t position) {
    const int pourcent = static_cast<int>(position * 100 / maximum_);
    if (pourcent == pourcentAffiche_)
        return;
    pourcentAffiche_ = pourcent;
    const int pleins = pourcent * Largeur / 100;
    const std::string barre = std::string(pleins, '#') + std::string(Largeur - pleins, '.');
    std::fprintf(flux_, "\r[%s] %3d %%", barre.c_str(), pourcent);
    std::fflush(flux_);
}

void BarreProgression::Efface() {
    if (pourcentAffiche_ < 0)
        return;
    std::fputs("\r\033[K", flux_);
    std::fflush(flux_);
    pourcentAffiche_ = -1;
}

} // namespace controle_export
