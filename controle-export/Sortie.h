#pragma once
// Where the results of the checks go on standard output, in one of the three formats.
#include <string>
#include <string_view>

#include "ActionTraite.h"
#include "EtatControle.h"

namespace controle_export {

class Sortie : public controle::ObservateurProblemes {
public:
    // A file's block begins; a format may write nothing until the file has results.
    virtual void DebutFichier(const std::string& chemin) = 0;
    // One line of the results list, in Windows-1252.
    virtual void Ligne(std::string_view ligne) = 0;
    // The Process action has run to its end; `type` is the act type's name shown.
    virtual void FinFichier(const controle::EtatControle& etat, const std::string& type) = 0;

    void Signale(const controle::Probleme&, const controle::EtatControle&) override {}
};

} // namespace controle_export
