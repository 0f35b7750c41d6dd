#include "eagle_mark.h"

#include <cmath>

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

namespace pictures {

namespace {

constexpr qreal kPi = 3.14159265358979323846;
constexpr qreal kCentre = kEagleWidth / 2.0;
// Parts are drawn black with a white edge, so overlapping parts stay apart as in an engraving.
constexpr qreal kEdge = 1.6;

const QTransform kMirror(-1, 0, 0, 1, kEagleWidth, 0);

QPointF along(const QPointF& from, const QPointF& to, qreal t) {
    return from + (to - from) * t;
}

QPointF normalOf(const QPointF& from, const QPointF& to) {
    const QLineF line(from, to);
    const QLineF normal = line.normalVector().unitVector();
    return normal.p2() - normal.p1();
}

// A long feather from its root to its tip, slightly bowed to one side, narrowing to a point.
QPainterPath feather(const QPointF& root, const QPointF& tip, qreal width, qreal bow) {
    const QPointF n = normalOf(root, tip);
    const qreal w = width / 2;
    const QPointF shoulder = along(root, tip, 0.62) + n * bow;
    const QPointF mid = along(root, tip, 0.3) + n * (bow * 0.6);
    QPainterPath path(root + n * w);
    path.cubicTo(mid + n * w, shoulder + n * w, along(shoulder, tip, 0.5) + n * (w * 0.85));
    path.quadTo(along(shoulder, tip, 0.9) + n * (w * 0.6), tip);
    path.quadTo(along(shoulder, tip, 0.75) - n * (w * 0.7), along(shoulder, tip, 0.4) - n * w);
    path.cubicTo(shoulder - n * w, mid - n * w, root - n * w);
    path.closeSubpath();
    return path;
}

// --- the right half as the viewer sees it; the left half is its mirror image -----------------

// Where the long feathers start: a line across the wing from the outside down to the body.
const QPointF kFeatherLineOuter(188, 54);
const QPointF kFeatherLineInner(122, 102);

// The long flight feathers hang side by side from the covert edge, their tips stepping down
// from the outside of the wing to the feet.
QList<QPainterPath> flightFeathers() {
    const int count = 6;
    const QPointF tipsOuter(199, 114);
    const QPointF tipsInner(140, 178);
    QList<QPainterPath> feathers;
    for (int i = 0; i < count; ++i) {
        const qreal t = qreal(i) / (count - 1);
        feathers << feather(along(kFeatherLineOuter, kFeatherLineInner, t),
                            along(tipsOuter, tipsInner, t), 17, -2.5);
    }
    return feathers;
}

// The upper wing: rises from the shoulder to a high rounded top, falls along the outside and
// ends below in a row of short round-ended covert feathers over the roots of the long ones.
QPainterPath upperWing() {
    const QPointF outer = kFeatherLineOuter + QPointF(10, 2);
    const QPointF inner = kFeatherLineInner + QPointF(-6, 10);
    QPainterPath path(inner);
    path.cubicTo(QPointF(102, 70), QPointF(112, 38), QPointF(140, 20));
    path.cubicTo(QPointF(156, 10), QPointF(178, 8), QPointF(188, 16));
    path.cubicTo(QPointF(196, 22), QPointF(199, 40), outer);
    const int lobes = 6;
    const QPointF n = normalOf(outer, inner);
    QPointF from = outer;
    for (int i = 1; i <= lobes; ++i) {
        const QPointF to = along(outer, inner, qreal(i) / lobes);
        path.cubicTo(from - n * 9, to - n * 9, to);
        from = to;
    }
    path.closeSubpath();
    return path;
}

// The band across the upper wing, curving from the shoulder outwards and ending in a trefoil.
QPainterPath wingBand() {
    QPainterPath spine(QPointF(112, 74));
    spine.cubicTo(QPointF(116, 52), QPointF(134, 36), QPointF(164, 34));
    QPainterPathStroker stroker;
    stroker.setWidth(7);
    stroker.setCapStyle(Qt::RoundCap);
    const QPointF end(168, 34);
    QPainterPath trefoil;
    trefoil.addEllipse(end + QPointF(2, -4.5), 4.2, 4.2);
    trefoil.addEllipse(end + QPointF(2, 4.5), 4.2, 4.2);
    trefoil.addEllipse(end + QPointF(7, 0), 4.2, 4.2);
    return stroker.createStroke(spine).united(trefoil).simplified();
}

// Two more rows of round covert feathers above the lowest, as white scalloped lines.
QPainterPath wingScales() {
    QPainterPath rows;
    const QPointF outer = kFeatherLineOuter + QPointF(10, 2);
    const QPointF inner = kFeatherLineInner + QPointF(-6, 10);
    const QPointF n = normalOf(outer, inner);
    for (int row = 1; row <= 2; ++row) {
        const QPointF shift = -n * (row * 11.0);
        const QPointF rowOuter = outer + shift + (inner - outer) * (0.1 * row);
        const QPointF rowInner = inner + shift;
        const int lobes = 6;
        QPainterPath line(rowOuter);
        QPointF from = rowOuter;
        for (int i = 1; i <= lobes; ++i) {
            const QPointF to = along(rowOuter, rowInner, qreal(i) / lobes);
            line.cubicTo(from - n * 8, to - n * 8, to);
            from = to;
        }
        rows.addPath(line);
    }
    return rows;
}

// Feathered thigh with a ragged lower edge, reaching out from under the body.
QPainterPath thigh() {
    QPainterPath path(QPointF(108, 124));
    path.cubicTo(QPointF(122, 120), QPointF(136, 128), QPointF(142, 146));
    path.lineTo(QPointF(136, 144));
    path.lineTo(QPointF(134, 152));
    path.lineTo(QPointF(128, 148));
    path.lineTo(QPointF(124, 156));
    path.lineTo(QPointF(119, 150));
    path.lineTo(QPointF(114, 157));
    path.cubicTo(QPointF(110, 150), QPointF(106, 140), QPointF(108, 124));
    path.closeSubpath();
    return path;
}

// A curved toe from base to end, finished with a claw hooking down past the end.
QPainterPath toe(const QPointF& base, const QPointF& end, qreal width, qreal curl) {
    const QPointF n = normalOf(base, end);
    const QPointF dir = (end - base) / QLineF(base, end).length();
    const QPointF mid = along(base, end, 0.5) + n * curl;
    const qreal w = width / 2;
    const QPointF clawTip = end + dir * (width * 1.1) - n * (width * 0.9);
    QPainterPath path(base + n * w);
    path.quadTo(mid + n * w, end + n * (w * 0.9));
    path.quadTo(end + dir * (width * 1.1) + n * (w * 0.3), clawTip);
    path.quadTo(end + dir * (w * 0.4) - n * (w * 0.4), end - n * (w * 0.8));
    path.quadTo(mid - n * w, base - n * w);
    path.closeSubpath();
    return path;
}

QPainterPath foot() {
    const QPointF ankle(143, 158);
    QPainterPathStroker shankStroker;
    shankStroker.setWidth(9);
    shankStroker.setCapStyle(Qt::RoundCap);
    QPainterPath shank(QPointF(128, 145));
    shank.lineTo(ankle);
    QPainterPath path = shankStroker.createStroke(shank);
    path = path.united(toe(ankle, QPointF(161, 147), 7, -2));
    path = path.united(toe(ankle, QPointF(165, 160), 7, -2));
    path = path.united(toe(ankle, QPointF(160, 173), 7, -2));
    path = path.united(toe(ankle, QPointF(139, 174), 6.5, 2));  // hind toe
    return path.simplified();
}

QList<QPainterPath> tailFeathers() {
    QList<QPainterPath> feathers;
    const QPointF root(kCentre, 140);
    for (int i = -3; i <= 3; ++i) {
        const qreal a = i * 10.0 * kPi / 180;
        const qreal length = 70 - std::abs(i) * 3;
        const QPointF tip(kCentre + length * std::sin(a), 140 + length * std::cos(a));
        feathers << feather(root, tip, 13, 0);
    }
    return feathers;
}

QPainterPath body() {
    QPainterPath half(QPointF(kCentre, 60));
    half.cubicTo(QPointF(114, 62), QPointF(124, 80), QPointF(123, 102));
    half.cubicTo(QPointF(122, 124), QPointF(112, 144), QPointF(kCentre, 158));
    QPainterPath whole = half;
    whole.connectPath(kMirror.map(half).toReversed());
    whole.closeSubpath();
    return whole;
}

// Rows of small round feathers on the breast, drawn as white arcs, staggered row by row.
QPainterPath breastFeathers() {
    QPainterPath arcs;
    const qreal pitch = 7;
    for (int row = 0; row < 9; ++row) {
        const qreal y = 86 + row * 7;
        const qreal halfWidth = 18 - std::abs(row - 2.5) * 1.6;
        for (qreal x = kCentre - halfWidth + (row % 2) * (pitch / 2) + 3;
             x <= kCentre + halfWidth - 3; x += pitch) {
            QPainterPath arc(QPointF(x - 2.8, y));
            arc.cubicTo(QPointF(x - 2.8, y + 4), QPointF(x + 2.8, y + 4), QPointF(x + 2.8, y));
            arcs.addPath(arc);
        }
    }
    return arcs;
}

// --- asymmetric parts: the head looks to its right, the viewer's left ------------------------

QPainterPath neckAndHead() {
    QPainterPath path(QPointF(85, 74));
    path.cubicTo(QPointF(86, 66), QPointF(82, 60), QPointF(82, 53));     // throat and chin
    path.cubicTo(QPointF(81, 46), QPointF(81, 40), QPointF(86, 36));     // where the beak grows
    path.cubicTo(QPointF(90, 32), QPointF(100, 31), QPointF(106, 35));   // crown of the head
    path.cubicTo(QPointF(111, 39), QPointF(112, 45), QPointF(111, 50));  // back of the head
    // Feathers ruffled down the back of the neck.
    path.lineTo(QPointF(116, 54));
    path.lineTo(QPointF(112, 58));
    path.lineTo(QPointF(118, 63));
    path.lineTo(QPointF(114, 66));
    path.lineTo(QPointF(119, 73));
    // A collar of round feathers lying over the breast.
    const QPointF right(119, 73);
    const QPointF left(85, 74);
    const int lobes = 4;
    QPointF from = right;
    for (int i = 1; i <= lobes; ++i) {
        const QPointF to = along(right, left, qreal(i) / lobes);
        path.cubicTo(from + QPointF(0, 9), to + QPointF(0, 9), to);
        from = to;
    }
    path.closeSubpath();
    return path;
}

// The open hooked beak, growing from the front of the head behind a curved cere.
QPainterPath beak() {
    QPainterPath upper(QPointF(88, 37));
    upper.cubicTo(QPointF(76, 33), QPointF(63, 37), QPointF(60, 54));  // hooked tip
    upper.cubicTo(QPointF(65, 48), QPointF(72, 46), QPointF(86, 47));
    upper.cubicTo(QPointF(90, 44), QPointF(90, 40), QPointF(88, 37));
    upper.closeSubpath();
    QPainterPath lower(QPointF(86, 50));
    lower.cubicTo(QPointF(79, 50.5), QPointF(72, 54), QPointF(69, 59));
    lower.cubicTo(QPointF(76, 58), QPointF(82, 57), QPointF(86, 56));
    lower.cubicTo(QPointF(88, 54), QPointF(88, 52), QPointF(86, 50));
    lower.closeSubpath();
    return upper.united(lower);
}

// The inside of the open beak, left white, with the tongue in it.
QPainterPath gape() {
    QPainterPath path(QPointF(84, 46));
    path.lineTo(QPointF(70, 47));
    path.cubicTo(QPointF(67, 50), QPointF(69, 54), QPointF(71, 56));
    path.lineTo(QPointF(84, 51));
    path.closeSubpath();
    return path;
}

QPainterPath tongue() {
    QPainterPath path(QPointF(84, 48));
    path.cubicTo(QPointF(78, 47.5), QPointF(72, 48.5), QPointF(66, 53));
    path.cubicTo(QPointF(72, 51), QPointF(78, 50.2), QPointF(84, 49.8));
    path.closeSubpath();
    return path;
}

// An open crown: a jewelled band with three lilies, the middle one tallest.
QPainterPath crown() {
    QPainterPath crown;
    crown.addRoundedRect(QRectF(80, 27, 32, 8), 2, 2);
    struct Lily {
        qreal x, top;
    };
    const Lily lilies[] = {{83.5, 16}, {96, 9}, {108.5, 16}};
    for (const Lily& lily : lilies) {
        const qreal h = 28 - lily.top;
        QPainterPath middle(QPointF(lily.x - 2.4, 28));
        middle.cubicTo(QPointF(lily.x - 4, 28 - h * 0.5), QPointF(lily.x - 1, lily.top + h * 0.25),
                       QPointF(lily.x, lily.top));
        middle.cubicTo(QPointF(lily.x + 1, lily.top + h * 0.25), QPointF(lily.x + 4, 28 - h * 0.5),
                       QPointF(lily.x + 2.4, 28));
        middle.closeSubpath();
        crown = crown.united(middle);
        for (const qreal side : {-1.0, 1.0}) {
            // A petal leaning out from the foot of the middle leaf.
            QPainterPath petal;
            petal.addEllipse(QPointF(0, 0), 1.8, h * 0.24);
            QTransform place;
            place.translate(lily.x + side * 3.2, 28 - h * 0.3);
            place.rotate(side * 38);
            crown = crown.united(place.map(petal));
        }
    }
    return crown.simplified();
}

QPainterPath crownJewels() {
    QPainterPath jewels;
    for (const qreal x : {86.0, 96.0, 106.0}) jewels.addEllipse(QPointF(x, 31), 1.6, 1.6);
    return jewels;
}

QPainterPath eye() {
    QPainterPath path;
    path.addEllipse(QPointF(94, 41), 2.2, 2.2);
    return path;
}

// White lines cut to a shape as filled outlines: a clip recorded in the picture would replace
// the clip of whoever replays it.
QPainterPath linesWithin(const QPainterPath& lines, const QPainterPath& shape) {
    QPainterPathStroker stroker;
    stroker.setWidth(kEdge);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(lines).intersected(shape);
}

}  // namespace

QPicture eagleMark() {
    QPicture picture;
    // Set before painting: the recording's header takes the rectangle when painting ends, and the
    // renderer scales by it, so the mark keeps its margins round the drawing.
    picture.setBoundingRect(QRect(0, 0, kEagleWidth, kEagleHeight));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPen edge(Qt::white, kEdge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto part = [&](const QPainterPath& path) {
        painter.setPen(edge);
        painter.setBrush(Qt::black);
        painter.drawPath(path);
    };
    auto both = [&](const QPainterPath& path) {
        part(path);
        part(kMirror.map(path));
    };
    auto lines = [&](const QPainterPath& path) {
        painter.setPen(edge);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    };
    auto fill = [&](const QPainterPath& path, Qt::GlobalColor colour) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(path);
    };

    // Back to front.
    for (const QPainterPath& f : tailFeathers()) part(f);
    const QList<QPainterPath> wing = flightFeathers();
    for (auto f = wing.crbegin(); f != wing.crend(); ++f) both(*f);
    both(upperWing());
    const QPainterPath scales = linesWithin(wingScales(), upperWing());
    fill(scales, Qt::white);
    fill(kMirror.map(scales), Qt::white);
    both(wingBand());
    both(foot());
    both(thigh());
    part(body());
    lines(breastFeathers());
    part(neckAndHead());
    part(beak());
    fill(gape(), Qt::white);
    fill(tongue(), Qt::black);
    fill(eye(), Qt::white);
    part(crown());
    fill(crownJewels(), Qt::white);
    painter.end();
    return picture;
}

}  // namespace pictures
