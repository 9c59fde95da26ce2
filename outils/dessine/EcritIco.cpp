#include "Fichiers.h"

#include <QBuffer>
#include <QFile>
#include <stdexcept>

namespace {

void AjouteMot(QByteArray& octets, quint16 valeur) {
    octets.append(char(valeur & 0xFF));
    octets.append(char(valeur >> 8));
}

void AjouteLong(QByteArray& octets, quint32 valeur) {
    AjouteMot(octets, quint16(valeur & 0xFFFF));
    AjouteMot(octets, quint16(valeur >> 16));
}

} // namespace

void EcritIco(const QList<QImage>& images, const QString& chemin) {
    QList<QByteArray> pngs;
    for (const QImage& image : images) {
        if (image.width() > 256 || image.height() > 256)
            throw std::runtime_error("icon image larger than 256 pixels");
        QByteArray png;
        QBuffer tampon(&png);
        tampon.open(QIODevice::WriteOnly);
        image.convertToFormat(QImage::Format_ARGB32).save(&tampon, "PNG");
        pngs.append(png);
    }

    const quint32 tailleEntete = 6;
    const quint32 tailleEntree = 16;
    QByteArray octets;
    AjouteMot(octets, 0); // reserved
    AjouteMot(octets, 1); // icon, not cursor
    AjouteMot(octets, quint16(images.size()));
    quint32 position = tailleEntete + tailleEntree * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        // A size byte of 0 stands for 256.
        octets.append(char(images[i].width() & 0xFF));
        octets.append(char(images[i].height() & 0xFF));
        octets.append(char(0)); // no palette
        octets.append(char(0)); // reserved
        AjouteMot(octets, 1);   // planes
        AjouteMot(octets, 32);  // bits per pixel
        AjouteLong(octets, quint32(pngs[i].size()));
        AjouteLong(octets, position);
        position += quint32(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        octets.append(png);

    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write(octets) != octets.size())
        throw std::runtime_error("cannot write " + chemin.toStdString());
}
