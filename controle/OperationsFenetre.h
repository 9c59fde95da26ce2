#pragma once
// What the Open and Process actions need of the main window. The window implements it;
// tests and the command-line checker substitute it, so the actions run without a window.
//
// Encodings: texts from an export (the results lines) are Windows-1252 bytes; the fixed
// texts of the program (type names, numbers, message boxes) are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace controle {

// Flags of a message box, as the original system's boxes took them.
inline constexpr int MB_ICONERREUR = 16;
inline constexpr int MB_ICONINFORMATION = 64;

class OperationsFenetre {
public:
    virtual ~OperationsFenetre() = default;

    // `OpenDialog`: runs the modal file-open dialog; true when a file name was accepted.
    virtual bool ExecuteDialogueOuverture() = 0;
    // Full path of the accepted file, as the bytes the file system takes.
    virtual std::string NomFichierDialogue() = 0;

    // `Entree`, the results list.
    virtual void VisibleEntree(bool visible) = 0;
    virtual void TailleEntree(int hauteur, int largeur) = 0;
    virtual void VideEntree() = 0;
    // Appends one Windows-1252 line; the whole line must be kept, whatever bytes it holds.
    virtual void AjouteLigneEntree(std::string_view ligne) = 0;

    // `ChampType`, `ChampNombre`.
    virtual void TexteChampType(const std::string& texte) = 0;
    virtual void TexteChampNombre(const std::string& texte) = 0;

    // `Progression`, whose minimum is 1. A maximum below it is refused with
    // EInvalidOperation (see VerifieMaxProgression) and the range stays as it was.
    virtual void VisibleProgression(bool visible) = 0;
    virtual void MaxProgression(std::int64_t maximum) = 0;
    virtual void PositionProgression(std::int64_t position) = 0;
    // Paints the bar at once, without the event loop.
    virtual void RepeintProgression() = 0;

    // Modal message box; returns the number of the button pressed.
    virtual int BoiteMessage(const std::string& texte, const std::string& titre, int drapeaux) = 0;
    // Asks the event loop to end once the running action has returned.
    virtual void DemandeFin() = 0;
};

inline constexpr std::int64_t MinProgression = 1;

// The progress bar's range rule, shared by every implementation: throws
// EInvalidOperation "Propriété TProgressBar hors limites" for a maximum below the minimum.
void VerifieMaxProgression(std::int64_t maximum);

} // namespace controle
