#pragma once
#include <QString>

class QWidget;

// Modal message box with one OK button and the icon chosen by the flags as the original
// system's boxes read them (16 error, 32 question, 48 warning, 64 information).
// Returns 1, the number of the OK button.
int MontreBoiteMessage(QWidget* parent, const QString& texte, const QString& titre, int drapeaux);
