// The emblem of the Orlanthe genealogy association: a family tree in a round seal, with the
// association's name on a ribbon. The program shows it about five times smaller by dropping
// rows and columns, so every stroke is thick and the name is large.
#include "Dessins.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <iterator>

namespace {

const QColor Sarcelle(0, 98, 98);
const QColor Or(206, 165, 64);
const QColor Parchemin(250, 244, 225);
const QColor Ecorce(104, 66, 36);
const QColor Feuillage(62, 130, 70);
const QColor FeuillageSombre(38, 94, 50);
const QColor Ruban(146, 30, 38);
const QColor RubanSombre(104, 18, 26);

const QPointF Centre(388.5, 388.0);
const double RayonInterieur = 326.0;

struct Personne {
    QPointF Place;
    double Rayon;
};

// A pedigree: the person at the trunk, the two parents, the four grandparents.
const Personne Arbre[] = {
    {{388, 440}, 36}, {{270, 335}, 33}, {{507, 335}, 33}, {{196, 220}, 30},
    {{334, 178}, 30}, {{443, 178}, 30}, {{581, 220}, 30},
};
const int Parent[] = {-1, 0, 0, 1, 1, 2, 2};

void DessineSceau(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Sarcelle);
    p.drawEllipse(Centre, 382, 382);
    p.setBrush(Or);
    p.drawEllipse(Centre, 340, 340);
    p.setBrush(Parchemin);
    p.drawEllipse(Centre, RayonInterieur, RayonInterieur);
    p.setPen(QPen(Or, 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Centre, 366, 366);
}

void DessineFeuillage(QPainter& p) {
    const QPointF touffes[] = {{196, 225}, {334, 170}, {443, 170}, {581, 225}, {270, 320},
                               {507, 320}, {388, 250}, {388, 120}, {250, 130}, {527, 130}};
    p.setPen(Qt::NoPen);
    p.setBrush(FeuillageSombre);
    for (const QPointF& t : touffes)
        p.drawEllipse(t, 104, 96);
    p.setBrush(Feuillage);
    for (const QPointF& t : touffes)
        p.drawEllipse(t + QPointF(-8, -10), 90, 82);
}

void DessineTronc(QPainter& p) {
    QPainterPath tronc;
    tronc.moveTo(356, 440);
    tronc.cubicTo(356, 520, 350, 570, 300, 612);
    tronc.lineTo(476, 612);
    tronc.cubicTo(426, 570, 420, 520, 420, 440);
    tronc.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Ecorce);
    p.drawPath(tronc);

    // Branches from each person to the parents, thinner at each generation.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i < int(std::size(Arbre)); ++i) {
        const QPointF depart = Arbre[Parent[i]].Place;
        const QPointF arrivee = Arbre[i].Place;
        QPainterPath branche(depart);
        branche.quadTo(QPointF(arrivee.x(), depart.y()), arrivee);
        p.setPen(QPen(Ecorce, Parent[i] == 0 ? 26 : 18, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(branche);
    }
}

void DessinePersonnes(QPainter& p) {
    for (const Personne& personne : Arbre) {
        p.setPen(QPen(Ecorce, 9));
        p.setBrush(Parchemin);
        p.drawEllipse(personne.Place, personne.Rayon, personne.Rayon);
        // A head and shoulders in each medallion.
        const double r = personne.Rayon;
        p.setPen(Qt::NoPen);
        p.setBrush(Sarcelle);
        p.drawEllipse(personne.Place + QPointF(0, -r * 0.28), r * 0.28, r * 0.28);
        QPainterPath buste;
        buste.moveTo(personne.Place + QPointF(-r * 0.5, r * 0.62));
        buste.quadTo(personne.Place + QPointF(-r * 0.5, r * 0.05),
                     personne.Place + QPointF(0, r * 0.05));
        buste.quadTo(personne.Place + QPointF(r * 0.5, r * 0.05),
                     personne.Place + QPointF(r * 0.5, r * 0.62));
        buste.closeSubpath();
        p.drawPath(buste);
    }
}

void DessineSol(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(FeuillageSombre);
    p.drawEllipse(QPointF(388, 640), 270, 50);
}

void DessineRuban(QPainter& p) {
    // The ends fold behind the middle band and are cut in a swallowtail.
    for (int sens : {-1, 1}) {
        const double bord = Centre.x() + sens * 372;
        const double pli = Centre.x() + sens * 262;
        QPolygonF bout{{pli, 628}, {bord, 628}, {bord - sens * 40, 678}, {bord, 728}, {pli, 728}};
        p.setPen(QPen(Or, 5));
        p.setBrush(RubanSombre);
        p.drawPolygon(bout);
    }
    const QRectF bande(Centre.x() - 300, 598, 600, 108);
    p.setPen(QPen(Or, 6));
    p.setBrush(Ruban);
    p.drawRect(bande);

    QFont police("DejaVu Serif");
    police.setBold(true);
    police.setPixelSize(100);
    const double largeur = QFontMetricsF(police).horizontalAdvance("Orlanthe");
    police.setPixelSize(int(100 * 520 / largeur));
    p.setFont(police);
    p.setPen(Parchemin);
    p.drawText(bande, Qt::AlignCenter, "Orlanthe");
}

} // namespace

QImage DessineLogo() {
    QImage image(777, 776, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DessineSceau(p);

    QPainterPath interieur;
    interieur.addEllipse(Centre, RayonInterieur, RayonInterieur);
    p.setClipPath(interieur);
    DessineFeuillage(p);
    DessineSol(p);
    DessineTronc(p);
    DessinePersonnes(p);
    p.setClipping(false);

    DessineRuban(p);
    return image;
}
