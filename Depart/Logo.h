#pragma once
#include <QImage>
#include <QString>
#include <QWidget>

// The logo picture: a JPEG decoded once, when first drawn, then drawn at the top-left corner
// by PlacementLogo, reduced without smoothing; the rest of the area shows the window.
class TLogo : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString fichier READ Fichier WRITE setFichier)

public:
    explicit TLogo(QWidget* parent = nullptr);

    QString Fichier() const { return fichier_; }
    void setFichier(const QString& fichier);
    // The decoded picture at full size (decoded now if it was not yet).
    const QImage& Image();

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QString fichier_;
    QImage image_;
};
