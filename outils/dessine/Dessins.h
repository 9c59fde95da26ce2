#pragma once
// The program's pictures, each drawn from scratch at its final size.
#include <QColor>
#include <QImage>

// The program makes this colour transparent in the button pictures, wherever it occurs.
inline const QColor CouleurFondBouton(236, 233, 216);

// The association's emblem, 777 x 776, opaque.
QImage DessineLogo();

// 32 x 32 button pictures on CouleurFondBouton, drawn without smoothing so that no edge
// pixel takes the transparent colour by accident.
QImage DessineBoutonOuvre();
QImage DessineBoutonTraite();
QImage DessineBoutonQuite();

// The program icon, `taille` pixels square, with alpha.
QImage DessineIcone(int taille);
