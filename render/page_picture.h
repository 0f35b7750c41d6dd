#pragma once

#include <QRectF>
#include <QSize>

class QPainter;
class QPicture;

// A page picture: a QPicture of 885 x 1314 units, 1 unit = 1/96 inch on the reference device.

inline constexpr int kPageWidth = 885;
inline constexpr int kPageHeight = 1314;

// Font sizes are given in points; a page holds them as pixel sizes at 96 units per inch, so a
// recording never depends on the resolution of the screen it was made on.
int iFunPointsToUnits(int points);

// Draws `page` stretched into `target` (in `painter`'s logical coordinates) on any device.
// Replaying a QPicture scales by the device's resolution over the screen's; this undoes that.
void vFunDrawPagePicture(QPainter& painter, const QPicture& page, const QRectF& target);
