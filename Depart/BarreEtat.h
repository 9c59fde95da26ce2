#pragma once
#include <QString>
#include <QWidget>

class QSizeGrip;

// The status bar: two lowered panels across the full width, the first of a fixed width and
// always empty (the program has no status to tell), the second holding a fixed text and
// taking the rest up to the size grip at the right end.
class TBarreEtat : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int largeurPanneau1 READ LargeurPanneau1 WRITE setLargeurPanneau1)
    Q_PROPERTY(QString textePanneau2 READ TextePanneau2 WRITE setTextePanneau2)

public:
    explicit TBarreEtat(QWidget* parent = nullptr);

    int LargeurPanneau1() const { return largeurPanneau1_; }
    void setLargeurPanneau1(int largeur);
    QString TextePanneau2() const { return textePanneau2_; }
    void setTextePanneau2(const QString& texte);
    // Rectangles of the two panels, in the bar's coordinates.
    QRect Panneau1() const;
    QRect Panneau2() const;

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;

private:
    int largeurPanneau1_ = 0;
    QString textePanneau2_;
    QSizeGrip* poignee_;
};
