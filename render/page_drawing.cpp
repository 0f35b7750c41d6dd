#include "page_drawing.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include "forms/prompter.h"
#include "page_picture.h"
#include "storage/error_log.h"

namespace {

const int kDotPoints = 14;
const int kDotSpacing = 6;
const int kStampTextPoints = 12;
// The canvas font until a text field sets its own (the dotted lines and "m.p." keep its face).
const char* const kCanvasFontFace = "MS Sans Serif";
const int kCanvasFontPoints = 8;

Qt::Alignment horizontalAlignment(int fontAlign) {
    switch (fontAlign) {
        case 0:
            return Qt::AlignLeft;
        case 2:
            return Qt::AlignRight;
        default:
            return Qt::AlignHCenter;  // 1 and every value without a meaning
    }
}

int twoThirds(int value) {
    return int(qint64(value) * 2 / 3);
}

// A calibration row may give its edges in either order; the rectangle is the same.
QRectF rectFromEdges(qreal left, qreal top, qreal right, qreal bottom) {
    return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
}

void setPenColor(QPainter& canvas, const QColor& color) {
    QPen pen = canvas.pen();
    pen.setColor(color);
    canvas.setPen(pen);
}

// Text drawn from its top-left corner, never clipped, as a one-off text output.
void drawTextAt(QPainter& canvas, qreal x, qreal top, qreal cellWidth, const QString& text,
                Qt::Alignment alignment = Qt::AlignLeft) {
    const qreal height = QFontMetricsF(canvas.font(), canvas.device()).height();
    canvas.drawText(QRectF(x, top, cellWidth, height),
                    int(alignment | Qt::AlignTop) | Qt::TextDontClip, text);
}

}  // namespace

QFont entryFont(const CalibrationEntry& entry) {
    QFont font(entry.font_name);
    // A size of 0 (a NULL in the table) keeps the canvas default size, as a zero height does.
    font.setPixelSize(iFunPointsToUnits(entry.font_size > 0 ? entry.font_size : kCanvasFontPoints));
    font.setBold(entry.font_style_bold != 0);
    font.setItalic(entry.font_style_italic != 0);
    font.setUnderline(entry.font_style_underline != 0);
    font.setStrikeOut(entry.font_style_strike != 0);
    return font;
}

qreal entryTextTop(const CalibrationEntry& entry, const QFont& font, const QPaintDevice* device) {
    const int cellHeight = QFontMetrics(font, device).height();
    return qreal(entry.y2) - cellHeight - entry.font_size / 4;
}

void PageDrawing::vFunPrepareCanvas(QPainter& canvas) {
    canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    canvas.setBrush(Qt::NoBrush);
    QFont font(QString::fromLatin1(kCanvasFontFace));
    font.setPixelSize(iFunPointsToUnits(kCanvasFontPoints));
    canvas.setFont(font);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform);
}

bool PageDrawing::highlights(const QString& name, bool exact) const {
    if (!m_settings.highlight) return false;
    return exact ? m_settings.selectedName == name : m_settings.selectedName.contains(name);
}

void PageDrawing::outlineInRed(QPainter& canvas, const QRectF& rect) {
    setPenColor(canvas, Qt::red);
    canvas.drawRect(rect);
    setPenColor(canvas, Qt::black);
}

void PageDrawing::vFunDrawCalibText(QPainter& canvas, int page, const QString& text,
                                    const CalibrationEntry& entry, const QString& name) {
    // Geometry in wider types: the values come from a file and must not overflow.
    const qreal x1 = entry.x1;
    const qreal x2 = entry.x2;
    const qreal y2 = entry.y2;
    qreal top = entry.y1;

    if (!text.isEmpty()) {
        canvas.setFont(entryFont(entry));
        top = entryTextTop(entry, canvas.font(), canvas.device());
        const QRectF rect = rectFromEdges(x1, top, x2, y2);
        if (entry.font_align == 3) {
            vFunDrawJustifiedText(canvas, rect, text);
        } else {
            const int flags = int(horizontalAlignment(entry.font_align) | Qt::AlignTop);
            if (m_settings.switches.clipTextFields) {
                canvas.save();
                canvas.setClipRect(rect);
                canvas.drawText(rect, flags | Qt::TextDontClip, text);
                canvas.restore();
            } else {
                canvas.drawText(rect, flags | Qt::TextDontClip, text);
            }
        }
    } else if (m_settings.switches.strikeEmptyFields) {
        QPen pen = canvas.pen();
        pen.setStyle(Qt::SolidLine);
        canvas.setPen(pen);
        const qreal y = y2 - (m_settings.switches.printWithoutDots ? 15 : 10);
        canvas.drawLine(QPointF(x1, y), QPointF(x2, y));
    }

    if (highlights(name, false)) {
        m_preview.tab = page - 1;
        if (y2 - top <= 100) {
            outlineInRed(canvas, rectFromEdges(x1, top, x2, y2));
            m_preview.scroll[0] = m_preview.scroll[1] = twoThirds(entry.y2);
        } else {
            outlineInRed(canvas, rectFromEdges(x1, y2 - 20, x2, y2));
            m_preview.scroll[0] = m_preview.scroll[1] = entry.y2 / 2;
        }
    }
}

void PageDrawing::vFunDrawJustifiedText(QPainter& canvas, const QRectF& rect, const QString& text) {
    const int blanks = int(text.count(QLatin1Char(' ')));
    if (blanks < 5) {
        drawTextAt(canvas, rect.left(), rect.top(), rect.width(), text);
        return;
    }

    const QFontMetrics metrics(canvas.font(), canvas.device());
    QString withoutBlanks = text;
    withoutBlanks.remove(QLatin1Char(' '));
    const int gap = (int(rect.width()) - metrics.horizontalAdvance(withoutBlanks)) / blanks;

    QString rest = text;
    qreal x = rect.left();
    for (int i = 0; i < blanks; ++i) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        const QString word = rest.left(blank);
        drawTextAt(canvas, x, rect.top(), rect.width(), word);
        x += metrics.horizontalAdvance(word);
        drawTextAt(canvas, x, rect.top(), gap, QStringLiteral(" "));
        x += gap;
        rest.remove(0, blank + 1);
    }
    drawTextAt(canvas, rect.left(), rect.top(), rect.width(), rest, Qt::AlignRight);
}

void PageDrawing::vFunDrawDottedLine(QPainter& canvas, int page, const CalibrationEntry& entry,
                                     const QString& name) {
    if (highlights(name, true)) {
        m_preview.tab = page - 1;
        outlineInRed(canvas,
                     rectFromEdges(entry.x1, qreal(entry.y2), entry.x2, qreal(entry.y2) + 5));
        m_preview.scroll[0] = m_preview.scroll[1] = twoThirds(entry.y2);
    }

    QFont font = canvas.font();
    const int previousSize = font.pixelSize();
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setPixelSize(iFunPointsToUnits(kDotPoints));
    canvas.setFont(font);

    // Dots beyond either edge of the page never reach the paper. Skipping them (the ones left
    // of it in whole steps, so the dots on the page keep their places) keeps absurd
    // coordinates from running the loop for ever.
    const qint64 end = qMin<qint64>(entry.x2, kPageWidth);
    qint64 first = entry.x1;
    if (first < -kDotSpacing) first += (-kDotSpacing - first) / kDotSpacing * kDotSpacing;
    const qreal top = qreal(entry.y2) - 14;
    for (qint64 x = first; x < end; x += kDotSpacing)
        drawTextAt(canvas, qreal(x), top, kDotSpacing, QStringLiteral("."));

    if (previousSize > 0) font.setPixelSize(previousSize);
    canvas.setFont(font);
}

void PageDrawing::vFunDrawFrame(QPainter& canvas, const CalibrationEntry& entry) {
    const QRectF rect = rectFromEdges(entry.x1, entry.y1, entry.x2, entry.y2);
    QPen pen = canvas.pen();
    const qreal previousWidth = pen.widthF();
    pen.setWidth(1);
    canvas.setPen(pen);
    if (highlights(entry.name, true)) {
        outlineInRed(canvas, rect);
    } else {
        canvas.drawRect(rect);
    }
    pen = canvas.pen();
    pen.setWidthF(previousWidth);
    canvas.setPen(pen);
}

void PageDrawing::vFunGraphicDrawMark(MarkKind kind, const CalibrationEntry& entry,
                                      QPainter& canvas, const QString& name) {
    const QRectF rect = rectFromEdges(entry.x1, entry.y1, entry.x2, entry.y2);
    if (highlights(name, true)) {
        outlineInRed(canvas, rect);
        m_preview.tab = 0;
        m_preview.scroll[0] = entry.y2 / 2;
    }
    if (!m_settings.print) return;  // the preview never shows the marks

    const QString path =
        m_settings.dataDir + (kind == MarkKind::Eagle ? QStringLiteral("/grafika/orzel.emf")
                                                      : QStringLiteral("/grafika/m_p.bmp"));
    if (!QFileInfo(path).isFile()) {
        leaveOutMark(path, QStringLiteral("Plik nie istnieje.\n\n") + path, QStringLiteral("Bład"));
        return;
    }

    if (kind == MarkKind::Eagle) {
        QPicture eagle;
        const QRectF source = eagle.load(path) ? QRectF(eagle.boundingRect()) : QRectF();
        if (source.isEmpty()) {
            leaveOutMark(path, strFunUnreadablePictureMessage(path), QStringLiteral("Błąd"));
            return;
        }
        if (rect.isEmpty()) return;  // a place of no size holds nothing to see
        canvas.save();
        canvas.translate(rect.topLeft());
        canvas.scale(rect.width() / source.width(), rect.height() / source.height());
        canvas.translate(-source.topLeft());
        canvas.drawPicture(0, 0, eagle);
        canvas.restore();
        return;
    }

    const QImage stamp(path);
    if (stamp.isNull()) {
        leaveOutMark(path, strFunUnreadablePictureMessage(path), QStringLiteral("Błąd"));
        return;
    }
    canvas.drawImage(rect, stamp);
    QFont font = canvas.font();
    font.setPixelSize(iFunPointsToUnits(kStampTextPoints));
    canvas.setFont(font);
    canvas.drawText(rect, int(Qt::AlignCenter) | Qt::TextSingleLine, QStringLiteral("m.p."));
}

void PageDrawing::leaveOutMark(const QString& path, const QString& message,
                               const QString& caption) {
    m_marksLeftOut << path;
    m_err.clear();
    m_err << message;
    vFunWriteLog(m_err, QStringLiteral("vFunGraphicDrawMark()"), kLogError);
    prompter().message(m_settings.dialogParent, m_err.text(), caption, PromptIcon::Error,
                       PromptButtons::Ok);
}

QString strFunUnreadablePictureMessage(const QString& path) {
    return QStringLiteral("Nie można odczytać pliku graficznego.\n\n") + path;
}
