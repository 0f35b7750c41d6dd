#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "storage/error_stream.h"

// The calibration database "semrik_kalibracja.sqset": one table per document key, one row per
// printable item, row order = drawing order. Every call opens and closes its own connection.

// One row of a calibration table. Rectangles are in page-picture units (the page is 885 x 1314).
//
// The table may come from a user's file (the calibration can be imported), so an entry read
// from it always holds values the drawing code can work with: a face (a missing or blank one
// becomes kDefaultFontName), coordinates within one page's size around the page, and a font
// size from 0 to kMaxFontSize. The file itself is never changed by reading.
struct CalibrationEntry {
    // Longest texts an entry keeps; longer ones from a foreign file are cut.
    static constexpr int kMaxNameLength = 255;
    static constexpr int kMaxFontNameLength = 99;
    // The face every document prints in.
    static constexpr const char* kDefaultFontName = "Times New Roman";
    // The largest font a row can ask for, in points: well above any form's need, and far
    // below what would overflow when converted to page units.
    static constexpr int kMaxFontSize = 400;

    QString name;  // component name, memo line (name + "01".."99"), or "GRAFIKA: ..." mark
    int x1 = 0;
    int x2 = 0;
    int y1 = 0;  // not used for text, which sits on y2
    int y2 = 0;
    QString font_name;
    int font_size = 0;   // points
    int font_align = 0;  // 0 left, 1 centred, 2 right, 3 justified; any other value centres
    int font_style_bold = 0;
    int font_style_italic = 0;
    int font_style_underline = 0;
    int font_style_strike = 0;
};

using CalibrationList = QList<CalibrationEntry>;

// Reads `table` of the database at `path` into `list` (emptied first), every entry brought
// within the bounds above. A missing table leaves `list` as it was.
bool bFunCalibLoadData(ErrorStream& err, QString path, QString table, CalibrationList& list);

// Overwrites the row of `table` whose name is `entry.name` with the entry's values; a name
// without a row is an error.
bool bFunSqlCalibUpdateValue(ErrorStream& err, QString path, QString table,
                             const CalibrationEntry& entry);

// The statement bFunSqlCalibUpdateValue runs (also the text of its "no such row" message).
QString strFunCalibUpdateStatement(const QString& table, const CalibrationEntry& entry);

// The names of all tables of the working calibration, in stored order (the dialog sorts them).
bool bFunCalibLoadCertList(ErrorStream& err, QStringList& names);

// Copies the shipped calibration over the working copy. A failure is only logged, under the
// name of the calibration dialog's restore button.
bool bFunRestoreShippedCalibration(ErrorStream& err);
