#include "BoutonRapide.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionButton>

namespace {

constexpr int Espacement = 4;

int Centre(int place, int taille) {
    return (place - taille + 1) / 2;
}

} // namespace

DispositionBouton DisposeBouton(QSize face, QSize image, QSize texte) {
    const int ecart = image.isEmpty() || texte.isEmpty() ? 0 : Espacement;
    const int gauche = Centre(face.width(), image.width() + ecart + texte.width());
    return {{gauche, Centre(face.height(), image.height())},
            {gauche + image.width() + ecart, Centre(face.height(), texte.height())}};
}

TBoutonRapide::TBoutonRapide(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TBoutonRapide::setGlyphe(const QPixmap& image) {
    QImage transparente = image.toImage().convertToFormat(QImage::Format_ARGB32);
    if (!transparente.isNull()) {
        const QRgb cle = transparente.pixel(0, transparente.height() - 1);
        for (int y = 0; y < transparente.height(); ++y) {
            auto* ligne = reinterpret_cast<QRgb*>(transparente.scanLine(y));
            for (int x = 0; x < transparente.width(); ++x)
                if (ligne[x] == cle)
                    ligne[x] = qRgba(0, 0, 0, 0);
        }
    }
    glyphe_ = QPixmap::fromImage(transparente);
    update();
}

void TBoutonRapide::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &peintre, this);

    const QSize texte(fontMetrics().horizontalAdvance(text()), fontMetrics().height());
    const DispositionBouton disposition = DisposeBouton(size(), glyphe_.size(), texte);
    if (isDown())
        peintre.translate(1, 1); // the content sinks with the face
    peintre.drawPixmap(disposition.Image, glyphe_);
    peintre.setPen(palette().color(QPalette::ButtonText));
    peintre.drawText(QRect(disposition.Texte, texte), Qt::AlignLeft | Qt::AlignVCenter, text());
}
