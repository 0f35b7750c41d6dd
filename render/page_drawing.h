#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include "calibration.h"

class ErrorStream;
class QFont;
class QPaintDevice;
class QPainter;
class QWidget;

// The main window's three print switches, as read at drawing time.
struct PrintSwitches {
    bool strikeEmptyFields = false;  // "Wykreskuj puste pola": cross out empty text fields
    bool printWithoutDots = false;   // "Wyłącz kropki": the "_bk" tables; strike 15 above y2
    bool clipTextFields = false;     // "Ogranicz pola tekstowe": clip text to its rectangle
};

// What a rendering asks of the main window's preview. -1 / empty: leave it as it is.
struct PreviewRequests {
    int tab = -1;               // 0 "Strona 1", 1 "Strona 2"
    int scroll[2] = {-1, -1};   // vertical scroll positions of the two page scroll boxes
    int secondTabVisible = -1;  // 0 hide "Strona 2", 1 show it
    QString background[2];      // existing blank-form picture files to show under the pages
};

// Everything the drawing operations read besides the entry and the canvas.
struct DrawingSettings {
    PrintSwitches switches;
    bool print = false;      // marks are drawn only for the printer
    bool highlight = false;  // the calibration dialog is open
    QString selectedName;    // its chosen entry
    QString dataDir;         // the program data directory holding "grafika/"
    QWidget* dialogParent = nullptr;
};

enum class MarkKind { Eagle = 0, Stamp = 1 };

// The font the page prints the entry's text with.
QFont entryFont(const CalibrationEntry& entry);

// The top of the entry's text as printed in `font` on `device`: top-aligned in a rectangle
// ending font_size/4 below the text's cell, so the text sits on y2 like handwriting on a line.
qreal entryTextTop(const CalibrationEntry& entry, const QFont& font, const QPaintDevice* device);

// The drawing operations of one rendering on the page canvases (QPainters recording the page
// pictures). The calibration highlight's tab and scroll requests are collected in `preview`.
class PageDrawing {
public:
    PageDrawing(const DrawingSettings& settings, ErrorStream& err, PreviewRequests& preview)
        : m_settings(settings), m_err(err), m_preview(preview) {}

    // Fresh canvas state: black one-unit solid pen, hollow brush, the canvas default font.
    static void vFunPrepareCanvas(QPainter& canvas);

    // A text field sitting on y2; an empty one is struck out when the switch asks for it.
    void vFunDrawCalibText(QPainter& canvas, int page, const QString& text,
                           const CalibrationEntry& entry, const QString& name);
    void vFunDrawDottedLine(QPainter& canvas, int page, const CalibrationEntry& entry,
                            const QString& name);
    void vFunDrawFrame(QPainter& canvas, const CalibrationEntry& entry);
    void vFunGraphicDrawMark(MarkKind kind, const CalibrationEntry& entry, QPainter& canvas,
                             const QString& name);

    // Words spread so the first starts at the left and the last ends at the right edge; fewer
    // than five blanks: plain left-aligned text. Never clipped.
    static void vFunDrawJustifiedText(QPainter& canvas, const QRectF& rect, const QString& text);

    // The mark pictures that were missing or unreadable, each already reported; their marks
    // are not on the page.
    const QStringList& marksLeftOut() const { return m_marksLeftOut; }

private:
    bool highlights(const QString& name, bool exact) const;
    void outlineInRed(QPainter& canvas, const QRectF& rect);
    void leaveOutMark(const QString& path, const QString& message, const QString& caption);

    const DrawingSettings& m_settings;
    ErrorStream& m_err;
    PreviewRequests& m_preview;
    QStringList m_marksLeftOut;
};

// The message of a picture file that exists but cannot be read as a picture.
QString strFunUnreadablePictureMessage(const QString& path);
