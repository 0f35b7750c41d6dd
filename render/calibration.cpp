#include "calibration.h"

#include <QFileInfo>

#include "render/page_picture.h"
#include "storage/database.h"
#include "storage/file_ops.h"
#include "storage/paths.h"
#include "storage/sql_text.h"
#include "storage/store_failure.h"

namespace {

const char* const kLoadFun = "bFunCalibLoadData()";
const char* const kUpdateFun = "bFunSqlCalibUpdateValue()";
const char* const kListFun = "bFunCalibLoadCertList()";
const char* const kRestoreFun = "PrzywrocUstawieniaButtonClick()";


// The reach of a coordinate: the page and one page's size on every side, more than any margin
// can bring onto the paper. Nothing loops or calculates with a value beyond it.
int xWithinReach(int x) {
    return qBound(-kPageWidth, x, 2 * kPageWidth);
}
int yWithinReach(int y) {
    return qBound(-kPageHeight, y, 2 * kPageHeight);
}

// Brings a row of a user's file within what a page can hold. A missing face would crash the
// page recording: a QFont made from an empty name has no family, and recording it into a
// QPicture reads the first one.
void keepDrawable(CalibrationEntry& e) {
    e.x1 = xWithinReach(e.x1);
    e.x2 = xWithinReach(e.x2);
    e.y1 = yWithinReach(e.y1);
    e.y2 = yWithinReach(e.y2);
    // Negative sizes mean nothing; 0 keeps the canvas size, as a NULL does.
    e.font_size = qBound(0, e.font_size, CalibrationEntry::kMaxFontSize);
    if (e.font_name.trimmed().isEmpty())
        e.font_name = QString::fromLatin1(CalibrationEntry::kDefaultFontName);
}

CalibrationEntry entryFromRow(const CppSQLite3Query& row) {
    CalibrationEntry e;
    // A NULL text reads as empty; over-long texts are cut to what an entry keeps.
    e.name =
        row.columnTextOr(QStringLiteral("name"), QString()).left(CalibrationEntry::kMaxNameLength);
    e.x1 = row.columnInt(QStringLiteral("x1"));
    e.y1 = row.columnInt(QStringLiteral("y1"));
    e.x2 = row.columnInt(QStringLiteral("x2"));
    e.y2 = row.columnInt(QStringLiteral("y2"));
    e.font_name = row.columnTextOr(QStringLiteral("font_name"), QString())
                      .left(CalibrationEntry::kMaxFontNameLength);
    e.font_size = row.columnInt(QStringLiteral("font_size"));
    e.font_align = row.columnInt(QStringLiteral("font_align"));
    e.font_style_bold = row.columnInt(QStringLiteral("font_style_bold"));
    e.font_style_italic = row.columnInt(QStringLiteral("font_style_italic"));
    e.font_style_underline = row.columnInt(QStringLiteral("font_style_underline"));
    e.font_style_strike = row.columnInt(QStringLiteral("font_style_strike"));
    keepDrawable(e);
    return e;
}

bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

}  // namespace

bool bFunCalibLoadData(ErrorStream& err, QString path, QString table, CalibrationList& list) {
    if (!isFile(path)) return store::missingFile(err, "Plik nie istnieje: \n", path, kLoadFun);

    CppSQLite3DB db;
    try {
        db.open(path);
        if (!db.hasTable(table)) {
            db.close();
            store::report(err, QStringLiteral("Tablica nie istnieje: \n") + table, kLoadFun);
            return false;
        }
        list.clear();
        CalibrationList rows;
        db.forEachRow(QStringLiteral("select * from ") + sql::quotedTable(table),
                      [&rows](const CppSQLite3Query& row) { rows.append(entryFromRow(row)); });
        db.close();
        list = rows;
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SQLite exception: \n", e, kLoadFun);
        return false;
    }
}

QString strFunCalibUpdateStatement(const QString& table, const CalibrationEntry& entry) {
    const auto number = [](int value) { return QString::number(value); };
    // Never more than an entry loaded from the table can hold.
    const QString name = entry.name.left(CalibrationEntry::kMaxNameLength);
    const QString fontName = entry.font_name.left(CalibrationEntry::kMaxFontNameLength);
    return QStringLiteral("update ") + sql::quotedTable(table) + QStringLiteral(" set `x1`='") +
           number(entry.x1) + QStringLiteral("', `y1`='") + number(entry.y1) +
           QStringLiteral("', `x2`='") + number(entry.x2) + QStringLiteral("', `y2`='") +
           number(entry.y2) + QStringLiteral("', `font_name`='") + sql::escaped(fontName) +
           QStringLiteral("', `font_size`='") + number(entry.font_size) +
           QStringLiteral("', `font_align`='") + number(entry.font_align) +
           QStringLiteral("', `font_style_bold`='") + number(entry.font_style_bold) +
           QStringLiteral("', `font_style_italic`='") + number(entry.font_style_italic) +
           QStringLiteral("', `font_style_underline`='") + number(entry.font_style_underline) +
           QStringLiteral("', `font_style_strike`='") + number(entry.font_style_strike) +
           QStringLiteral("' where `name`='") + sql::escaped(name) + QLatin1Char('\'');
}

bool bFunSqlCalibUpdateValue(ErrorStream& err, QString path, QString table,
                             const CalibrationEntry& entry) {
    if (!isFile(path)) return store::missingFile(err, "Plik nie istnieje.\n", path, kUpdateFun);

    const QString statement = strFunCalibUpdateStatement(table, entry);
    CppSQLite3DB db;
    try {
        db.open(path);
        const int changed = db.execute(statement);
        db.close();
        if (changed == 0) {
            store::report(err,
                          QStringLiteral("Błąd aktualizacji wpisu kalibracji.\n\n") + statement,
                          kUpdateFun);
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SqlException\n", e, kUpdateFun);
        return false;
    }
}

bool bFunCalibLoadCertList(ErrorStream& err, QStringList& names) {
    names.clear();
    const QString path = strFunGetCalibFilePath(err, false);
    if (path.isEmpty()) return false;  // no data directory; its message is in `err`
    // Opening creates a missing file: an empty calibration would then pass the start-up check
    // for installed files and stay broken until restored by hand.
    if (!isFile(path)) return store::missingFile(err, "Plik nie istnieje: \n", path, kListFun);

    CppSQLite3DB db;
    try {
        db.open(path);
        db.forEachRow(
            QStringLiteral("SELECT * FROM sqlite_master WHERE type='table'"),
            [&names](const CppSQLite3Query& row) {
                names.append(row.columnTextOr(QStringLiteral("name"), QStringLiteral("")));
            });
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "Sql exception: ", e, kListFun);
        return false;
    }
}

bool bFunRestoreShippedCalibration(ErrorStream& err) {
    const QString shipped = strFunGetCalibFilePath(err, true);
    const QString working = strFunGetCalibFilePath(err, false);
    if (!working.isEmpty() && bFunCopyFile(err, shipped, working, false)) return true;
    store::report(
        err,
        QStringLiteral("Błąd podczas próby przywrócenia oryginalnego pliku kalibracji.\nŹródło: ") +
            shipped + QStringLiteral("\nCel: ") + working,
        kRestoreFun);
    return false;
}
