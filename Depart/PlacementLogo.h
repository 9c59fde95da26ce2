#pragma once
#include <QSize>

// Size at which a picture is drawn in an area: its own size when it fits (never enlarged),
// otherwise reduced to the area keeping its proportions, the fraction of a pixel dropped.
QSize PlacementLogo(QSize image, QSize zone);
