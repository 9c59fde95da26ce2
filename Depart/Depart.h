#pragma once
#include <QWidget>

#include "DialogueOuverture.h"
#include "OperationsAccueil.h"
#include "ui_Depart.h"

// The program's one window: the stored layout of Depart.ui, and the three buttons that start
// the Open, Process and Quit actions. The state the actions share lives outside it.
class TAccueil : public QWidget {
    Q_OBJECT

public:
    explicit TAccueil(QWidget* parent = nullptr);

    void BoutonOuvreClick();
    void BoutonTraiteClick();
    void BoutonQuiteClick();

    // What the actions drive; tests answer its dialog and boxes.
    TOperationsAccueil& Operations() { return operations_; }

private:
    Ui::TAccueil ui_;
    TDialogueOuverture OpenDialog;
    TOperationsAccueil operations_;
};
