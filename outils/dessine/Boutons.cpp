// Pixel pictures for the three buttons. Smoothing stays off: a blended edge pixel could come
// out as the transparent colour and punch a hole in the picture.
#include "Dessins.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

namespace {

const QColor Noir(0, 0, 0);
const QColor Blanc(255, 255, 255);
const QColor Gris(128, 128, 128);
const QColor Argent(192, 192, 192);
const QColor BleuDisquette(0, 0, 128);
const QColor Rouge(224, 0, 0);
const QColor RougeSombre(128, 0, 0);

QImage Fond() {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(CouleurFondBouton);
    return image;
}

// A sheet with its top-right corner folded, text lines in grey. `lignes` holds the right end
// of each line, one line every `pas` rows.
void DessineFeuille(QPainter& p, QRect feuille, int pli, std::initializer_list<int> lignes,
                    int pas) {
    const QPolygon contour{{feuille.left(), feuille.top()},
                           {feuille.right() - pli, feuille.top()},
                           {feuille.right(), feuille.top() + pli},
                           {feuille.right(), feuille.bottom()},
                           {feuille.left(), feuille.bottom()}};
    p.setPen(Noir);
    p.setBrush(Blanc);
    p.drawPolygon(contour);
    p.drawPolyline(QPolygon{{feuille.right() - pli, feuille.top()},
                            {feuille.right() - pli, feuille.top() + pli},
                            {feuille.right(), feuille.top() + pli}});
    p.setPen(Gris);
    int y = feuille.top() + pli + 2;
    for (int fin : lignes) {
        p.drawLine(feuille.left() + 2, y, fin, y);
        y += pas;
    }
}

} // namespace

QImage DessineBoutonOuvre() {
    QImage image = Fond();
    QPainter p(&image);

    // Floppy disk, bottom left: shutter on top, label below.
    p.setPen(Noir);
    p.setBrush(BleuDisquette);
    p.drawRect(1, 15, 15, 15);
    p.fillRect(5, 16, 8, 5, Argent);
    p.fillRect(10, 17, 2, 3, BleuDisquette);
    p.fillRect(4, 23, 10, 7, Blanc);
    p.setPen(Gris);
    p.drawLine(5, 25, 12, 25);
    p.drawLine(5, 27, 12, 27);

    DessineFeuille(p, QRect(QPoint(19, 1), QPoint(30, 16)), 4, {28, 28, 28, 25}, 2);

    // Red arrow up out of the disk and across to the sheet.
    p.fillRect(6, 4, 2, 9, Rouge);
    p.fillRect(6, 4, 8, 2, Rouge);
    p.setPen(Rouge);
    p.setBrush(Rouge);
    p.drawPolygon(QPolygon{{14, 1}, {17, 4}, {17, 5}, {14, 8}});
    return image;
}

QImage DessineBoutonTraite() {
    QImage image = Fond();
    QPainter p(&image);
    DessineFeuille(p, QRect(QPoint(3, 1), QPoint(25, 30)), 6, {19, 22, 22, 14}, 3);

    // Gear wheel over the lower right of the sheet: eight teeth round a hole.
    const double centreX = 19.0;
    const double centreY = 20.0;
    const double rayonDents = 10.5;
    const double rayonPied = 7.5;
    QPolygonF roue;
    for (int dent = 0; dent < 8; ++dent) {
        const double axe = dent * std::numbers::pi / 4;
        for (auto [rayon, ecart] : {std::pair{rayonPied, -0.30}, std::pair{rayonDents, -0.17},
                                    std::pair{rayonDents, 0.17}, std::pair{rayonPied, 0.30}})
            roue << QPointF(centreX + rayon * std::cos(axe + ecart),
                            centreY + rayon * std::sin(axe + ecart));
    }
    p.setPen(Noir);
    p.setBrush(Gris);
    p.drawPolygon(roue);
    p.setPen(Argent);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(int(centreX), int(centreY)), 5, 5);
    p.setPen(Noir);
    p.setBrush(Blanc);
    p.drawEllipse(QPoint(int(centreX), int(centreY)), 2, 2);
    return image;
}

QImage DessineBoutonQuite() {
    QImage image = Fond();
    QPainter p(&image);
    // A bold X: two crossed bars, outlined in dark red.
    const double c = 15.5;
    const double a = 12;
    const double e = 4;
    const QPolygonF croix{{c - a, c - a + e}, {c - a + e, c - a}, {c, c - e},
                          {c + a - e, c - a}, {c + a, c - a + e}, {c + e, c},
                          {c + a, c + a - e}, {c + a - e, c + a}, {c, c + e},
                          {c - a + e, c + a}, {c - a, c + a - e}, {c - e, c}};
    p.setPen(RougeSombre);
    p.setBrush(Rouge);
    p.drawPolygon(croix);
    return image;
}
