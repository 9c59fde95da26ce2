#pragma once
#include <QString>

class QWidget;

// The open dialog (`OpenDialog`): every file listed, the typed name of a file that does not
// exist accepted, and the path accepted the time before proposed again.
class TDialogueOuverture {
public:
    // Runs the dialog, modal; true when the user accepted a file name.
    bool Execute(QWidget* parent);
    // Full path of the file accepted last (empty before the first).
    const QString& NomFichier() const { return nomFichier_; }

private:
    QString nomFichier_;
};
