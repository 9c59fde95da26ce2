#include "TitreApplication.h"

QString TitreApplication(const QString& cheminProgramme) {
    const QString nom = cheminProgramme.section(u'/', -1).section(u'.', 0, 0);
    return nom.left(1) + nom.mid(1).toLower();
}
