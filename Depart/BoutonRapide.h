#pragma once
#include <QAbstractButton>
#include <QPixmap>
#include <QPoint>
#include <QSize>

struct DispositionBouton {
    QPoint Image; // top-left corner of the picture
    QPoint Texte; // top-left corner of the caption's box
};

// Picture left of the caption, 4 pixels apart, the pair centred across the face and each
// centred down it; an odd pixel left over goes to the left or to the top.
DispositionBouton DisposeBouton(QSize face, QSize image, QSize texte);

// A speed button: a raised face with a picture and a caption, clicked with the mouse only
// (it never takes the keyboard focus). The colour of the picture's bottom-left pixel is
// transparent wherever it occurs in the picture.
class TBoutonRapide : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QPixmap glyphe READ Glyphe WRITE setGlyphe)

public:
    explicit TBoutonRapide(QWidget* parent = nullptr);

    QPixmap Glyphe() const { return glyphe_; }
    void setGlyphe(const QPixmap& image);

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QPixmap glyphe_;
};
