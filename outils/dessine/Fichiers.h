#pragma once
// Writers for the formats whose every property must be chosen by hand.
#include <QImage>
#include <QList>
#include <QString>

// Baseline JPEG, 8 bits, YCbCr without chroma subsampling, density in dots per inch.
void EcritJpeg(const QImage& image, const QString& chemin, int qualite, int pointsParPouce);

// Windows icon holding every image as a 32-bit PNG entry (each at most 256 pixels square).
void EcritIco(const QList<QImage>& images, const QString& chemin);
