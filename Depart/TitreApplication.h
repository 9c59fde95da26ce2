#pragma once
#include <QString>

// The application title as the program file's name gives it: the name after the last "/",
// cut at its first ".", the first character kept as it is and the others in lower case
// (CONTROLE.EXE gives Controle). It captions the error box and names the application.
QString TitreApplication(const QString& cheminProgramme);
