#include "Logo.h"

#include <QFile>
#include <QPainter>
#include <stdexcept>
#include <utility>

#include "ImageJpeg.h"
#include "PlacementLogo.h"

TLogo::TLogo(QWidget* parent) : QWidget(parent) {}

void TLogo::setFichier(const QString& fichier) {
    fichier_ = fichier;
    image_ = QImage();
    update();
}

const QImage& TLogo::Image() {
    if (image_.isNull() && !fichier_.isEmpty()) {
        // A picture that cannot be read is reported once; the area then stays empty instead
        // of failing again at every repaint.
        const QString fichier = std::exchange(fichier_, QString());
        QFile source(fichier);
        if (!source.open(QIODevice::ReadOnly))
            throw std::runtime_error("Image introuvable : " + fichier.toStdString());
        image_ = DecodeJpeg(source.readAll());
        fichier_ = fichier;
    }
    return image_;
}

void TLogo::paintEvent(QPaintEvent*) {
    const QImage& image = Image();
    if (image.isNull())
        return;
    QPainter peintre(this);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform, false);
    peintre.drawImage(QRect(QPoint(0, 0), PlacementLogo(image.size(), size())), image);
}
