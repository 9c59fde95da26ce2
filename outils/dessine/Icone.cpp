// The program icon: a magnifying glass, with a check mark in its lens, over a written sheet.
// Drawn on a 128-unit grid and scaled to each size.
#include "Dessins.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

const QColor Sarcelle(0, 128, 128);
const QColor SarcelleSombre(0, 80, 80);
const QColor Trait(80, 80, 80);
const QColor Lignes(170, 170, 170);
const QColor Pli(222, 222, 222);
const QColor Verre(210, 240, 240, 215);
const QColor Manche(60, 48, 40);

} // namespace

QImage DessineIcone(int taille) {
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double echelle = taille / 128.0;
    p.scale(echelle, echelle);
    // No outline thinner than one pixel, or the small sizes lose their edges.
    const double unPixel = 1.0 / echelle;
    auto epaisseur = [unPixel](double largeur) { return std::max(largeur, unPixel); };

    QPainterPath feuille;
    feuille.moveTo(14, 6);
    feuille.lineTo(76, 6);
    feuille.lineTo(98, 28);
    feuille.lineTo(98, 112);
    feuille.lineTo(14, 112);
    feuille.closeSubpath();
    p.setPen(QPen(Trait, epaisseur(3), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(feuille);
    p.setBrush(Pli);
    p.drawPolygon(QPolygonF{{76, 6}, {76, 28}, {98, 28}});

    // Text lines only where they stay lines rather than grey haze.
    if (taille >= 32) {
        p.setPen(QPen(Lignes, 5, Qt::SolidLine, Qt::FlatCap));
        for (int y : {22, 34, 46})
            p.drawLine(QPointF(24, y), QPointF(y == 22 ? 66 : 86, y));
    }

    const QPointF centreLoupe(56, 70);
    const double rayonLoupe = 32;
    p.setPen(QPen(Manche, 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(82, 96), QPointF(118, 122));
    p.setPen(QPen(Sarcelle, 10));
    p.setBrush(Verre);
    p.drawEllipse(centreLoupe, rayonLoupe, rayonLoupe);

    p.setPen(QPen(SarcelleSombre, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{40, 70}, {52, 83}, {73, 56}});
    return image;
}
