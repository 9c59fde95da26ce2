#include "DialogueOuverture.h"

#include <QFileDialog>

bool TDialogueOuverture::Execute(QWidget* parent) {
    QFileDialog dialogue(parent);
    // The desktop's own dialogs insist that an opened file exists; Qt's takes any name.
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    if (!nomFichier_.isEmpty())
        dialogue.selectFile(nomFichier_);
    if (dialogue.exec() != QDialog::Accepted)
        return false;
    nomFichier_ = dialogue.selectedFiles().value(0);
    return true;
}
