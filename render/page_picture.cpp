#include "page_picture.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPicture>

int iFunPointsToUnits(int points) {
    // Rounded like the points-to-pixels conversion of a 96-dpi screen (12 pt = 16, 14 pt = 19).
    return (points * 96 + (points >= 0 ? 36 : -36)) / 72;
}

void vFunDrawPagePicture(QPainter& painter, const QPicture& page, const QRectF& target) {
    // QPicture::play scales by the target device's resolution over the default one; the same
    // ratio is used here, read from an empty picture, whose resolution is that default.
    const QPicture reference;
    const qreal replayX = qreal(painter.device()->logicalDpiX()) / reference.logicalDpiX();
    const qreal replayY = qreal(painter.device()->logicalDpiY()) / reference.logicalDpiY();
    if (!(replayX > 0) || !(replayY > 0)) return;  // a device without a resolution shows nothing

    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / kPageWidth / replayX, target.height() / kPageHeight / replayY);
    // A recording leaves out a pen or brush equal to the painter's default, so the replay would
    // draw with whatever the target painter holds: start from the canvas defaults.
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPicture(0, 0, page);
    painter.restore();
}
