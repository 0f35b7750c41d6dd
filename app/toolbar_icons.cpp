#include "toolbar_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 32;

const QColor kOutline(0x40, 0x40, 0x40);
const QColor kPaper(0xfd, 0xfd, 0xf8);
const QColor kGreen(0x2e, 0x9d, 0x3a);
const QColor kRed(0xd0, 0x2c, 0x2c);
const QColor kBlue(0x2b, 0x5f, 0xb8);
const QColor kYellow(0xf2, 0xc1, 0x3b);

// A sheet of paper with a folded corner.
void drawPage(QPainter& p, const QRectF& r) {
    const qreal fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xd8, 0xd8, 0xd0));
    p.drawPath(corner);
}

void drawTextLines(QPainter& p, const QRectF& r, int count) {
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1.2));
    const qreal step = r.height() / count;
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + step * (i + 0.5);
        p.drawLine(QPointF(r.left(), y), QPointF(i == count - 1 ? r.center().x() : r.right(), y));
    }
}

// Head and shoulders.
void drawPerson(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kBlue.darker(140), 1.2));
    p.setBrush(kBlue);
    const qreal head = r.width() * 0.42;
    p.drawEllipse(QRectF(r.center().x() - head / 2, r.top(), head, head));
    QPainterPath body;
    const qreal top = r.top() + head * 1.08;
    body.moveTo(r.left(), r.bottom());
    body.cubicTo(r.left(), top, r.right(), top, r.right(), r.bottom());
    body.closeSubpath();
    p.drawPath(body);
}

// A round badge in the lower right corner carrying a plus or a cross.
void drawBadge(QPainter& p, const QColor& colour, bool cross) {
    const QRectF badge(18, 18, 13, 13);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(colour);
    p.drawEllipse(badge);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = badge.center();
    if (cross) {
        p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
        p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
    } else {
        p.drawLine(c + QPointF(-3.5, 0), c + QPointF(3.5, 0));
        p.drawLine(c + QPointF(0, -3.5), c + QPointF(0, 3.5));
    }
}

// A pencil lying from the lower left to the upper right, tip at `tip`.
void drawPencil(QPainter& p, const QPointF& tip, qreal length) {
    p.save();
    p.translate(tip);
    p.rotate(-45);
    const qreal w = 5;
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(0xf0, 0xa0, 0x30));
    p.drawRect(QRectF(5, -w / 2, length - 9, w));
    p.setBrush(QColor(0xe8, 0x80, 0x90));
    p.drawRect(QRectF(length - 4, -w / 2, 4, w));
    QPainterPath point;
    point.moveTo(0, 0);
    point.lineTo(5, -w / 2);
    point.lineTo(5, w / 2);
    point.closeSubpath();
    p.setBrush(QColor(0xf3, 0xdc, 0xb0));
    p.drawPath(point);
    p.restore();
}

void drawNewSheet(QPainter& p) {
    drawPage(p, QRectF(6, 2.5, 20, 27));
    drawBadge(p, kGreen, false);
}

void drawOpenFolder(QPainter& p) {
    p.setPen(QPen(QColor(0x9a, 0x70, 0x10), 1.2));
    p.setBrush(QColor(0xe0, 0xa8, 0x2a));
    QPainterPath back;
    back.moveTo(2, 8);
    back.lineTo(11, 8);
    back.lineTo(13, 10.5);
    back.lineTo(27, 10.5);
    back.lineTo(27, 26);
    back.lineTo(2, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 6, 17, 12));
    p.setBrush(kYellow);
    QPainterPath front;
    front.moveTo(6, 14);
    front.lineTo(31, 14);
    front.lineTo(27, 26);
    front.lineTo(2, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void drawSave(QPainter& p) {
    p.setPen(QPen(kBlue.darker(160), 1.2));
    p.setBrush(kBlue);
    QPainterPath disk;
    disk.moveTo(4, 4);
    disk.lineTo(25, 4);
    disk.lineTo(28, 7);
    disk.lineTo(28, 28);
    disk.lineTo(4, 28);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(0xc8, 0xcc, 0xd4));
    p.drawRect(QRectF(9, 4, 13, 8));
    p.setBrush(kBlue.darker(150));
    p.drawRect(QRectF(17, 5.5, 3, 5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7.5, 16, 17, 12));
    drawTextLines(p, QRectF(10, 18, 12, 8), 3);
}

void drawSchool(QPainter& p) {
    p.setPen(QPen(QColor(0x70, 0x30, 0x20), 1.2));
    p.setBrush(QColor(0xc8, 0x5a, 0x3c));
    p.drawRect(QRectF(4, 14, 24, 15));
    QPainterPath roof;
    roof.moveTo(2, 15);
    roof.lineTo(16, 5);
    roof.lineTo(30, 15);
    roof.closeSubpath();
    p.setBrush(QColor(0x80, 0x40, 0x30));
    p.drawPath(roof);
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(16, 5), QPointF(16, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(16, 1, 6, 2));
    p.setBrush(kRed);
    p.drawRect(QRectF(16, 3, 6, 2));
    p.setBrush(QColor(0xbf, 0xe0, 0xf5));
    for (qreal x : {6.5, 10.5, 19.5, 23.5}) p.drawRect(QRectF(x, 17, 2.5, 3.5));
    p.setBrush(QColor(0x5a, 0x3a, 0x20));
    p.drawRect(QRectF(13.5, 20, 5, 9));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(13.5, 9.5, 5, 5));
}

void drawPupilAdd(QPainter& p) {
    drawPerson(p, QRectF(3, 3, 22, 25));
    drawBadge(p, kGreen, false);
}

void drawPupilEdit(QPainter& p) {
    drawPerson(p, QRectF(3, 3, 22, 25));
    drawPencil(p, QPointF(15, 30), 20);
}

void drawPupilRemove(QPainter& p) {
    drawPerson(p, QRectF(3, 3, 22, 25));
    drawBadge(p, kRed, true);
}

void drawDocumentEdit(QPainter& p) {
    drawPage(p, QRectF(4, 2.5, 20, 27));
    drawTextLines(p, QRectF(7, 11, 13, 14), 4);
    drawPencil(p, QPointF(14, 29), 22);
}

void drawPrinter(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 11));
    QLinearGradient body(0, 12, 0, 25);
    body.setColorAt(0, QColor(0xb8, 0xbc, 0xc4));
    body.setColorAt(1, QColor(0x70, 0x74, 0x7c));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 12, 26, 13), 2.5, 2.5);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(23.5, 15, 3, 3));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 21, 16, 9));
    drawTextLines(p, QRectF(10, 23, 12, 6), 2);
}

void drawHelp(QPainter& p) {
    p.setPen(QPen(kBlue.darker(150), 1.2));
    QRadialGradient ball(QPointF(12, 11), 18);
    ball.setColorAt(0, kBlue.lighter(150));
    ball.setColorAt(1, kBlue);
    p.setBrush(ball);
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    QFont font = p.font();
    font.setPixelSize(21);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2.5, 2.5, 27, 27), Qt::AlignCenter, QStringLiteral("?"));
}

void drawEnvelope(QPainter& p) {
    const QRectF r(2.5, 7, 27, 19);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setBrush(QColor(0xe8, 0xe4, 0xd8));
    QPainterPath flap;
    flap.moveTo(r.topLeft());
    flap.lineTo(r.center().x(), r.top() + 11);
    flap.lineTo(r.topRight());
    flap.closeSubpath();
    p.drawPath(flap);
    p.drawLine(r.bottomLeft(), QPointF(12, 17));
    p.drawLine(r.bottomRight(), QPointF(20, 17));
}

void drawImport(QPainter& p) {
    // A tray receiving an arrow.
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(0xc8, 0xcc, 0xd4));
    QPainterPath tray;
    tray.moveTo(3, 20);
    tray.lineTo(10, 20);
    tray.lineTo(12, 24);
    tray.lineTo(20, 24);
    tray.lineTo(22, 20);
    tray.lineTo(29, 20);
    tray.lineTo(29, 29);
    tray.lineTo(3, 29);
    tray.closeSubpath();
    p.drawPath(tray);
    QPainterPath arrow;
    arrow.moveTo(13, 2);
    arrow.lineTo(19, 2);
    arrow.lineTo(19, 12);
    arrow.lineTo(24, 12);
    arrow.lineTo(16, 21);
    arrow.lineTo(8, 12);
    arrow.lineTo(13, 12);
    arrow.closeSubpath();
    p.setPen(QPen(kGreen.darker(150), 1.2));
    p.setBrush(kGreen);
    p.drawPath(arrow);
}

// A certificate: a page with a red seal and two ribbons.
void drawProgram(QPainter& p) {
    drawPage(p, QRectF(4, 1.5, 22, 29));
    drawTextLines(p, QRectF(7, 8, 14, 10), 3);
    p.setPen(QPen(kRed.darker(150), 1));
    p.setBrush(kRed);
    QPainterPath ribbons;
    ribbons.moveTo(19, 24);
    ribbons.lineTo(17, 31);
    ribbons.lineTo(20, 29.5);
    ribbons.lineTo(22, 31.5);
    ribbons.lineTo(23, 25);
    ribbons.moveTo(23, 24);
    ribbons.lineTo(25, 31);
    ribbons.lineTo(26.5, 29);
    ribbons.lineTo(29.5, 30);
    ribbons.lineTo(27, 24);
    p.drawPath(ribbons);
    p.setBrush(QColor(0xe0, 0x40, 0x40));
    p.drawEllipse(QRectF(16.5, 17, 12, 12));
    p.setPen(QPen(kYellow, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(19, 19.5, 7, 7));
}

QIcon paint(void (*draw)(QPainter&)) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon toolBarIcon(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::NewSheet:
            return paint(drawNewSheet);
        case ToolIcon::OpenFolder:
            return paint(drawOpenFolder);
        case ToolIcon::Save:
            return paint(drawSave);
        case ToolIcon::School:
            return paint(drawSchool);
        case ToolIcon::PupilAdd:
            return paint(drawPupilAdd);
        case ToolIcon::PupilEdit:
            return paint(drawPupilEdit);
        case ToolIcon::PupilRemove:
            return paint(drawPupilRemove);
        case ToolIcon::DocumentEdit:
            return paint(drawDocumentEdit);
        case ToolIcon::Printer:
            return paint(drawPrinter);
        case ToolIcon::Help:
            return paint(drawHelp);
        case ToolIcon::Envelope:
            return paint(drawEnvelope);
        case ToolIcon::Import:
            return paint(drawImport);
    }
    return QIcon();
}

QIcon programIcon() {
    return paint(drawProgram);
}
