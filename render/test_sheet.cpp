#include "test_sheet.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>

#include "page_picture.h"
#include "print_dialog.h"

namespace {

// A4 portrait: the ruler covers the paper, whatever part of it the page picture spans.
constexpr int kPaperWidthMm = 210;
constexpr int kPaperHeightMm = 297;

// Page units of the layout.
constexpr qreal kArm = 25;              // half a crosshair
constexpr qreal kHorizontalRulerY = 430;
constexpr qreal kVerticalRulerX = 150;
const QList<QPointF> kCrosshairs = {{70, 70}, {815, 70}, {442, 700}, {70, 1230}, {815, 1230}};

// "18,6 mm": one decimal, a Polish decimal comma.
QString labelled(double millimetres) {
    QString text = QString::number(millimetres, 'f', 1);
    if (text == QLatin1String("-0.0")) text = QStringLiteral("0.0");
    return text.replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral(" mm");
}

// A ruler's number: "50 mm".
QString numbered(int millimetres) {
    return QString::number(millimetres) + QStringLiteral(" mm");
}

QFont sheetFont(int points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(iFunPointsToUnits(points));
    font.setBold(bold);
    return font;
}

// Text read top to bottom whose first letter starts at `start` (its baseline runs down through
// start.x()), the glyphs to the right of that line.
void drawDownwards(QPainter& painter, QPointF start, const QString& text) {
    painter.save();
    painter.translate(start);
    painter.rotate(90);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

// One ruler: along the paper's width or height, its ticks across it.
struct RulerAxis {
    int paperMm;
    int pageUnits;
    int marginFrom, marginTo;  // the preset's edges along this axis, in millimetres
    QPointF (*point)(qreal along, qreal across);
    // Writes a tick's number, `tick` being the tick's length across the ruler.
    void (*number)(QPainter& painter, qreal along, qreal tick, const QString& text);
};

class SheetPainter {
public:
    SheetPainter(QPainter& painter, const MarginRect& margins)
        : m_painter(painter), m_margins(margins) {}

    void crosshair(QPointF at) {
        m_painter.setPen(QPen(Qt::black, 1));
        m_painter.drawLine(QPointF(at.x() - kArm, at.y()), QPointF(at.x() + kArm, at.y()));
        m_painter.drawLine(QPointF(at.x(), at.y() - kArm), QPointF(at.x(), at.y() + kArm));
        m_painter.drawEllipse(at, 8, 8);
        m_painter.setFont(sheetFont(9));
        // Under the vertical line, starting at it: where that line lies from the left edge.
        m_painter.drawText(QPointF(at.x(), at.y() + kArm + 15),
                           labelled(dFunSheetMillimetresX(at.x(), m_margins)));
        // Left of the horizontal line, starting at it: where it lies from the top edge. (The
        // glyphs stand right of the baseline, so it sits a letter's height left of the arm.)
        drawDownwards(m_painter, QPointF(at.x() - kArm - 14, at.y()),
                      labelled(dFunSheetMillimetresY(at.y(), m_margins)));
    }

    // A tick at every whole millimetre of the paper that falls on the page, numbered every
    // ten. Bounded by the paper, so absurd margins cannot make it loop for long.
    void horizontalRuler() {
        ruler({kPaperWidthMm, kPageWidth, m_margins.x1, m_margins.x2,
               [](qreal along, qreal across) { return QPointF(along, kHorizontalRulerY + across); },
               [](QPainter& painter, qreal along, qreal tick, const QString& number) {
                   painter.drawText(QPointF(along, kHorizontalRulerY + tick + 10), number);
               }});
    }

    void verticalRuler() {
        ruler({kPaperHeightMm, kPageHeight, m_margins.y1, m_margins.y2,
               [](qreal along, qreal across) { return QPointF(kVerticalRulerX + across, along); },
               [](QPainter& painter, qreal along, qreal tick, const QString& number) {
                   drawDownwards(painter, QPointF(kVerticalRulerX + tick + 2, along), number);
               }});
    }

    void heading(int side) {
        m_painter.setFont(sheetFont(14, true));
        m_painter.drawText(QPointF(230, 170),
                           QStringLiteral("Arkusz testowy ustawień wydruku, strona %1.").arg(side));
        m_painter.setFont(sheetFont(10));
        m_painter.drawText(QPointF(230, 205),
                           QStringLiteral("Wydrukowano z ustawieniami strony %1: X1=%2 mm, Y1=%3 mm, "
                                          "X2=%4 mm, Y2=%5 mm.")
                               .arg(side)
                               .arg(m_margins.x1)
                               .arg(m_margins.y1)
                               .arg(m_margins.x2)
                               .arg(m_margins.y2));
    }

    void instruction(int side) {
        const QString fields = side == 1 ? QStringLiteral("„Pozycjonowanie wydruku str 1”")
                                         : QStringLiteral("„Pozycjonowanie wydruku str 2”");
        const QString text =
            QStringLiteral(
                "Jak sprawdzić i poprawić ustawienia wydruku\n"
                "1) Wydrukuj arkusz na zwykłym papierze A4, na tej drukarce i z tymi ustawieniami, "
                "z którymi drukujesz świadectwa.\n"
                "2) Liczba pod pionową kreską krzyżyka mówi, ile milimetrów od lewej krawędzi "
                "kartki ta kreska powinna leżeć; liczba pisana z góry na dół obok poziomej kreski "
                "- ile od górnej krawędzi. Zmierz linijką, gdzie kreski leżą naprawdę. Podziałki "
                "arkusza pokazują milimetry od krawędzi kartki: przyłóż do nich linijkę.\n"
                "3) Odejmij: zmierzone minus napisane. Lewy górny krzyżyk: o tyle zmniejsz X1 "
                "(różnica w poziomie) i Y1 (w pionie). Prawy dolny krzyżyk: o tyle zmniejsz X2 "
                "i Y2. Ujemną różnicę dodaj.\n"
                "4) Gdy cały wydruk jest przesunięty, X1 i X2 (albo Y1 i Y2) zmieniają się o tyle "
                "samo; gdy jest za szeroki lub za wąski (za wysoki lub za niski), zmienia się "
                "tylko X2 (Y2).\n"
                "5) Wpisz poprawione wartości strzałkami okna „Drukowanie” w polach %1, zapisz je "
                "przyciskiem „Zapisz jako nowe ustawienia” i wydrukuj arkusz jeszcze raz, aż "
                "różnice znikną. Przy druku obu stron nie obracaj drugiej strony.")
                .arg(fields);
        m_painter.setFont(sheetFont(10));
        m_painter.drawText(QRectF(230, 760, 560, 420), Qt::TextWordWrap | Qt::AlignLeft, text);
    }

private:
    void ruler(const RulerAxis& axis) {
        const double span = double(axis.marginTo) - axis.marginFrom;
        if (span == 0) return;
        m_painter.setPen(QPen(Qt::black, 1));
        m_painter.setFont(sheetFont(7));
        const QFontMetricsF metrics(m_painter.font());
        bool any = false;
        qreal first = 0, last = 0;
        qreal nextFree = -axis.pageUnits;  // where the last number ends: numbers never run together
        for (int mm = 0; mm <= axis.paperMm; ++mm) {
            const qreal at = (mm - double(axis.marginFrom)) * axis.pageUnits / span;
            if (at < 0 || at > axis.pageUnits) continue;
            const qreal length = mm % 10 == 0 ? 24 : mm % 5 == 0 ? 16 : 9;
            m_painter.drawLine(axis.point(at, 0), axis.point(at, length));
            const qreal extent = metrics.horizontalAdvance(numbered(mm));
            if (mm % 10 == 0 && at >= nextFree && at + extent <= axis.pageUnits) {
                axis.number(m_painter, at, length, numbered(mm));
                nextFree = at + extent + 4;
            }
            first = any ? std::min(first, at) : at;
            last = any ? std::max(last, at) : at;
            any = true;
        }
        if (any) m_painter.drawLine(axis.point(first, 0), axis.point(last, 0));
    }

    QPainter& m_painter;
    MarginRect m_margins;
};

}  // namespace

double dFunSheetMillimetresX(double unitX, const MarginRect& margins) {
    return margins.x1 + unitX * (double(margins.x2) - margins.x1) / kPageWidth;
}

double dFunSheetMillimetresY(double unitY, const MarginRect& margins) {
    return margins.y1 + unitY * (double(margins.y2) - margins.y1) / kPageHeight;
}

QPicture testSheetPage(int side, const MarginRect& margins) {
    QPicture page;
    QPainter painter(&page);
    SheetPainter sheet(painter, margins);
    sheet.heading(side);
    sheet.horizontalRuler();
    sheet.verticalRuler();
    for (const QPointF& at : kCrosshairs) sheet.crosshair(at);
    sheet.instruction(side);
    painter.end();
    page.setBoundingRect(QRect(0, 0, kPageWidth, kPageHeight));
    return page;
}

std::array<QPicture, 2> testSheetPages(const MarginRect& page1, const MarginRect& page2) {
    return {testSheetPage(1, page1), testSheetPage(2, page2)};
}

int iFunPrintTestSheet(TFDrukuj& dialog) {
    dialog.setDocumentDrawnForMargins(&testSheetPages, 2);
    return dialog.exec();
}
