#include "stamp_place.h"

#include <QPainter>
#include <QPen>

namespace pictures {

namespace {

// Large enough to stay crisp when stretched to the 36 mm of a round stamp on a printer page.
constexpr int kSide = 400;
constexpr int kDashes = 48;
constexpr qreal kLineWidth = 5;

}  // namespace

QImage stampPlace() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kLineWidth, Qt::SolidLine, Qt::FlatCap));
    // Dashes drawn one by one, so they fall evenly round the whole circle with no short one
    // where a dash pattern would wrap.
    const qreal margin = kLineWidth;
    const QRectF circle(margin, margin, kSide - 2 * margin, kSide - 2 * margin);
    const int step = 360 * 16 / kDashes;  // drawArc angles are in 1/16 degree
    for (int i = 0; i < kDashes; ++i) {
        painter.drawArc(circle, i * step, step * 3 / 5);
    }
    return image;
}

}  // namespace pictures
