#include "BarreEtat.h"

#include <QPainter>
#include <QSizeGrip>
#include <qdrawutil.h>

namespace {

constexpr int Separation = 2; // between two panels
constexpr int Marge = 3;      // between a panel's edge and its text

} // namespace

TBarreEtat::TBarreEtat(QWidget* parent) : QWidget(parent), poignee_(new QSizeGrip(this)) {}

void TBarreEtat::setLargeurPanneau1(int largeur) {
    largeurPanneau1_ = largeur;
    update();
}

void TBarreEtat::setTextePanneau2(const QString& texte) {
    textePanneau2_ = texte;
    update();
}

QRect TBarreEtat::Panneau1() const {
    return {0, 0, largeurPanneau1_ - Separation, height()};
}

QRect TBarreEtat::Panneau2() const {
    return QRect(QPoint(largeurPanneau1_, 0), QPoint(poignee_->x() - 1, height() - 1));
}

void TBarreEtat::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    qDrawShadePanel(&peintre, Panneau1(), palette(), true, 1);
    qDrawShadePanel(&peintre, Panneau2(), palette(), true, 1);
    peintre.setPen(palette().color(QPalette::WindowText));
    peintre.drawText(Panneau2().adjusted(Marge, 0, -Marge, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     textePanneau2_);
}

void TBarreEtat::resizeEvent(QResizeEvent*) {
    const QSize taille = poignee_->sizeHint();
    poignee_->setGeometry(width() - taille.width(), height() - taille.height(), taille.width(),
                          taille.height());
}
