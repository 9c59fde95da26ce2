#pragma once
// The date conversion behind DateValide: a numeric date read under the regional settings.
#include <string_view>

#include "ReglagesDates.h"

namespace controle {

struct Date {
    int Annee = 0;
    int Mois = 0;
    int Jour = 0;
    bool operator==(const Date&) const = default;
};

// The date written in `texte`; throws EConvertError "'texte' n'est pas une date correcte"
// when it is none. Reads the current year from the clock when the text needs it.
Date ConvertitDate(std::string_view texte, const ReglagesDates& reglages);

} // namespace controle
