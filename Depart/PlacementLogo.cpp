#include "PlacementLogo.h"

QSize PlacementLogo(QSize image, QSize zone) {
    const int w = image.width();
    const int h = image.height();
    const int cw = zone.width();
    const int ch = zone.height();
    if (w <= cw && h <= ch)
        return image;
    const double aspect = static_cast<double>(w) / h;
    // The longer side is fitted first, the other follows; if that one overflows, it is the
    // one fitted instead.
    if (w > h) {
        const int hauteur = static_cast<int>(cw / aspect);
        if (hauteur <= ch)
            return {cw, hauteur};
        return {static_cast<int>(ch * aspect), ch};
    }
    const int largeur = static_cast<int>(ch * aspect);
    if (largeur <= cw)
        return {largeur, ch};
    return {cw, static_cast<int>(cw / aspect)};
}
