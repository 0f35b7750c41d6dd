#include "sheet_previews.h"

#include <cmath>

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

namespace pictures {

namespace {

constexpr qreal kPi = 3.14159265358979323846;

const QColor kDesk(0x8f, 0x93, 0x98);

// A point on a rounded rectangle and the direction pointing out of it there.
struct TrackPoint {
    QPointF at;
    QPointF outward;
};

// A rounded rectangle walked clockwise by arc length from the start of its top side, so that
// waves laid along it keep their spacing round the corners and close without a seam.
class RoundedTrack {
public:
    RoundedTrack(const QRectF& rect, qreal radius) : m_rect(rect), m_radius(radius) {}

    qreal length() const {
        return 2 * (m_rect.width() + m_rect.height() - 4 * m_radius) + 2 * kPi * m_radius;
    }

    TrackPoint at(qreal s) const {
        const qreal r = m_radius;
        const qreal straight[4] = {m_rect.width() - 2 * r, m_rect.height() - 2 * r,
                                   m_rect.width() - 2 * r, m_rect.height() - 2 * r};
        const QPointF start[4] = {{m_rect.left() + r, m_rect.top()},
                                  {m_rect.right(), m_rect.top() + r},
                                  {m_rect.right() - r, m_rect.bottom()},
                                  {m_rect.left(), m_rect.bottom() - r}};
        const QPointF direction[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        const QPointF normal[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        // The corner after each side: its centre and the angle where its arc begins.
        const QPointF centre[4] = {{m_rect.right() - r, m_rect.top() + r},
                                   {m_rect.right() - r, m_rect.bottom() - r},
                                   {m_rect.left() + r, m_rect.bottom() - r},
                                   {m_rect.left() + r, m_rect.top() + r}};
        const qreal arc = kPi / 2 * r;

        s = std::fmod(s, length());
        if (s < 0) s += length();
        for (int side = 0; side < 4; ++side) {
            if (s < straight[side]) return {start[side] + direction[side] * s, normal[side]};
            s -= straight[side];
            if (s < arc) {
                const qreal angle = (side - 1) * kPi / 2 + s / r;
                const QPointF out(std::cos(angle), std::sin(angle));
                return {centre[side] + out * r, out};
            }
            s -= arc;
        }
        return {start[0], normal[0]};
    }

private:
    QRectF m_rect;
    qreal m_radius;
};

// One closed line following the track at the inward distance from it that the offset function
// gives for each position (as a fraction 0..1 of the way round).
template <typename Offset>
QPolygonF lineAlong(const RoundedTrack& track, Offset offset) {
    const int steps = int(std::ceil(track.length()));
    QPolygonF line;
    line.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const qreal s = track.length() * i / steps;
        const TrackPoint p = track.at(s);
        line << p.at - p.outward * offset(qreal(i) / steps);
    }
    return line;
}

void drawShadow(QPainter& painter, const QRect& page) {
    painter.save();
    painter.setPen(Qt::NoPen);
    // Stacked translucent layers give a soft edge without a blur filter.
    painter.setBrush(QColor(0, 0, 0, 7));
    for (int spread = 9; spread >= 1; --spread) {
        painter.drawRoundedRect(
            QRectF(page).translated(3, 4).adjusted(-spread, -spread, spread, spread), spread,
            spread);
    }
    painter.restore();
}

// A small round guilloche: closed waves about a centre, in the same two inks as the border.
void drawRosette(QPainter& painter, const QPointF& centre, const QColor& ink,
                 const QColor& accent) {
    const qreal outer = 22;
    const int steps = 720;
    auto ring = [&](auto radiusAt) {
        QPolygonF line;
        for (int i = 0; i <= steps; ++i) {
            const qreal angle = 2 * kPi * i / steps;
            line << centre + QPointF(std::cos(angle), std::sin(angle)) * radiusAt(angle);
        }
        painter.drawPolyline(line);
    };
    // Phase-shifted copies of one wavy ring interlace into the rosette.
    auto interlaced = [&](int copies, int lobes, qreal mean, qreal swing) {
        for (int i = 0; i < copies; ++i) {
            const qreal phase = 2 * kPi * i / copies;
            ring([&](qreal a) { return mean + swing * std::sin(lobes * a + phase); });
        }
    };

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);  // the border band passes under it
    painter.drawEllipse(centre, outer + 2, outer + 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 0.8));
    interlaced(4, 7, outer * 0.62, outer * 0.33);
    painter.setPen(QPen(accent, 0.7));
    interlaced(3, 5, outer * 0.30, outer * 0.12);
    painter.setPen(QPen(ink, 0.9));
    ring([&](qreal) { return outer; });
    painter.restore();
}

// The security-paper border: interlaced sine waves in two pale inks between fine rules, with a
// rosette on each corner, all within 58 pixels of the edge so printed text never lands on it.
void drawGuillocheBorder(QPainter& painter) {
    const qreal middle = 32;  // inward distance of the band's centre line from the page edge
    const qreal halfWidth = 15;
    // Offsets are measured from the centre line; its corner radius must exceed the half width
    // or the inner lines would fold over themselves at the corners.
    const RoundedTrack track(
        QRectF(0, 0, kPageWidth, kPageHeight).adjusted(middle, middle, -middle, -middle),
        halfWidth + 6);

    const QColor blue(96, 140, 200, 130);
    const QColor rose(210, 120, 150, 95);

    // Whole numbers of waves round the track, so every line closes on itself without a seam.
    auto interlaced = [&](int copies, qreal wavelength, qreal swing) {
        const int waves = int(std::round(track.length() / wavelength));
        for (int i = 0; i < copies; ++i) {
            const qreal phase = 2 * kPi * i / copies;
            painter.drawPolyline(lineAlong(
                track, [&](qreal t) { return swing * std::sin(2 * kPi * waves * t + phase); }));
        }
    };

    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(blue, 0.8));
    interlaced(6, 36, halfWidth - 2);
    painter.setPen(QPen(rose, 0.7));
    interlaced(3, 18, 5);

    painter.setPen(QPen(blue, 0.9));
    for (const qreal offset : {-halfWidth, halfWidth}) {
        painter.drawPolyline(lineAlong(track, [&](qreal) { return offset; }));
    }
    painter.setPen(QPen(blue, 0.5));
    painter.drawPolyline(lineAlong(track, [&](qreal) { return halfWidth + 3; }));

    const qreal inset = middle + 2;
    for (const QPointF& corner :
         {QPointF(inset, inset), QPointF(kPageWidth - inset, inset),
          QPointF(inset, kPageHeight - inset), QPointF(kPageWidth - inset, kPageHeight - inset)}) {
        drawRosette(painter, corner, blue, rose);
    }
    painter.restore();
}

// The white-and-red band of a certificate with distinction, across the lower-left corner and
// clear of the text; white on the upper side, as on the flag.
void drawDistinctionBand(QPainter& painter) {
    const qreal cornerGap = 76;  // along the diagonal, leaving the corner rosette whole
    const qreal stripe = 20;

    painter.save();
    painter.setClipRect(QRectF(0, 0, kPageWidth, kPageHeight));
    painter.translate(0, kPageHeight);
    painter.rotate(-45);  // x now points from the corner into the page, y along the band
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xdc, 0x14, 0x3c));
    painter.drawRect(QRectF(cornerGap, -400, stripe, 800));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(cornerGap + stripe, -400, stripe, 800));
    // The white stripe would vanish into the paper without a hairline edge.
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.8));
    painter.drawLine(QPointF(cornerGap + 2 * stripe, -400), QPointF(cornerGap + 2 * stripe, 400));
    painter.restore();
}

void drawRuledFrame(QPainter& painter) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 36), 1));
    painter.drawRect(QRectF(36.5, 36.5, kPageWidth - 73, kPageHeight - 73));
    painter.restore();
}

}  // namespace

QImage sheetPreview(SheetKind kind) {
    const QRect page(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    QImage image(kPageLeft + kPageWidth + kPageLeft, kPageTop + kPageHeight + kPageTop,
                 QImage::Format_RGB32);
    image.fill(kDesk);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawShadow(painter, page);
    painter.fillRect(page, Qt::white);

    painter.translate(page.topLeft());
    painter.setClipRect(QRect(0, 0, kPageWidth, kPageHeight));
    switch (kind) {
        case SheetKind::Certificate:
            drawGuillocheBorder(painter);
            break;
        case SheetKind::CertificateWithDistinction:
            drawGuillocheBorder(painter);
            drawDistinctionBand(painter);
            break;
        case SheetKind::Note:
            break;
        case SheetKind::GradeSheet:
            drawRuledFrame(painter);
            break;
    }
    return image;
}

}  // namespace pictures
