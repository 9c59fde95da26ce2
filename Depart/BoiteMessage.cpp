#include "BoiteMessage.h"

#include <QMessageBox>

namespace {

constexpr int BoutonOK = 1;

QMessageBox::Icon IconeDesDrapeaux(int drapeaux) {
    switch (drapeaux & 0xF0) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int MontreBoiteMessage(QWidget* parent, const QString& texte, const QString& titre, int drapeaux) {
    QMessageBox boite(IconeDesDrapeaux(drapeaux), titre, texte, QMessageBox::Ok, parent);
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
    return BoutonOK;
}
