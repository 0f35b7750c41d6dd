#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Reads a printed calibration test sheet back from its PDF: every number followed by "mm" says
// where the line it starts at lies, in millimetres from the paper's top-left corner. A number
// written across starts at a vertical line (its box's left edge), one written downwards at a
// horizontal line (its box's top edge); which of the two it is shows by where its "mm" follows.

struct SheetWord {
    QString text;
    QRectF box;  // millimetres from the sheet's top-left corner
};

struct SheetMarks {
    int acrossLabels = 0;    // crosshair labels, checked against their left edge
    int downLabels = 0;      // crosshair labels, checked against their top edge
    int acrossRuler = 0;     // ruler numbers along the top
    int downRuler = 0;       // ruler numbers down the side
    QStringList misplaced;   // "18,6 mm at 19.2"
};

inline bool havePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The words of page `page` (from 1) with their boxes, as `pdftotext -bbox` finds them.
inline QList<SheetWord> sheetWords(const QString& pdfPath, int page) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                     QStringLiteral("-l"), QString::number(page), pdfPath, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000)) return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" yMax=\"([-\\d.]+)\">"
        "([^<]*)</word>"));
    const qreal mm = 25.4 / 72;
    QList<SheetWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        words.append({m.captured(5),
                      QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                             QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm))});
    }
    return words;
}

inline SheetMarks sheetMarks(const QList<SheetWord>& words, double toleranceMm) {
    static const QRegularExpression number(QStringLiteral("^-?\\d+(,\\d)?$"));
    SheetMarks marks;
    for (int i = 0; i + 1 < words.size(); ++i) {
        const SheetWord& value = words.at(i);
        const SheetWord& unit = words.at(i + 1);
        const QRegularExpressionMatch m = number.match(value.text);
        if (!m.hasMatch() || unit.text != QLatin1String("mm")) continue;
        const bool label = m.capturedLength(1) > 0;
        const QPointF step = unit.box.center() - value.box.center();
        const bool across = qAbs(step.x()) > qAbs(step.y());
        const double said = QString(value.text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        const double found = across ? value.box.left() : value.box.top();
        if (qAbs(found - said) > toleranceMm) {
            marks.misplaced << QStringLiteral("%1 mm %2 at %3")
                                   .arg(value.text, across ? "across" : "down")
                                   .arg(found, 0, 'f', 2);
        }
        int& count = label ? (across ? marks.acrossLabels : marks.downLabels)
                           : (across ? marks.acrossRuler : marks.downRuler);
        ++count;
    }
    return marks;
}
