#pragma once
#include <cstdint>
#include <string_view>

#include "EtatControle.h"
#include "OperationsFenetre.h"
#include "ReglagesDates.h"

namespace controle {

enum class TestProbleme { Date, Caractere, Nom, Epouse };

// One problem as the Process action found it, for front ends that want more than the
// message line (the command-line checker's JSON output).
struct Probleme {
    TestProbleme Test;
    std::int64_t Numero;       // record number, from 0
    std::int64_t Position = 0; // character test only, 1-based
    int Code = 0;              // character test only
    std::string_view Message;  // Windows-1252, as appended to the results list
};

class ObservateurProblemes {
public:
    virtual ~ObservateurProblemes() = default;
    // `etat.Champ` holds the fields of the record when this is called.
    virtual void Signale(const Probleme& probleme, const EtatControle& etat) = 0;
};

// The Process action (the "Traite" button): writes the header-free copy, checks every
// record under `reglages`, appends one message per problem, then the summary line.
void ActionTraite(EtatControle& etat, OperationsFenetre& fenetre, const ReglagesDates& reglages,
                  ObservateurProblemes* observateur = nullptr);

} // namespace controle
