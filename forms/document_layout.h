#pragma once

#include <QFont>
#include <QList>
#include <QPicture>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

// A document page in page units (1 unit = 1/96 inch on the reference device).
inline constexpr int kDocumentPageWidth = 885;
inline constexpr int kDocumentPageHeight = 1314;

// Where an editing window puts one data component: on side 1 or 2 of the document, over the
// rectangle (in page units, the page being 885 x 1314) where its text will print, in the font
// it prints with (pixel size in page units).
struct FieldPlacement {
    QString name;
    int side = 1;
    QRectF rect;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    // A memo prints each line on a writing line of its own: `rect` spans them all, and
    // consecutive lines lie `linePitch` units apart. 0 for one-line fields.
    qreal linePitch = 0;
};

// What an editing window shows: the drawn face of each side and where the data fields sit.
// Built above the forms layer (from the calibration), handed down to the window.
struct DocumentLayout {
    int sides = 2;
    QPicture side[2];
    QList<FieldPlacement> fields;
    // The part of the page that holds the face and the fields; a window showing less than the
    // whole page (the meeting note) shows this. Empty: nothing is drawn.
    QRectF usedArea;
    // Replays a side picture stretched into a target rectangle on any device; the window
    // falls back to a plain scaled replay when none is given.
    std::function<void(QPainter&, const QPicture&, const QRectF&)> drawPage;
};
