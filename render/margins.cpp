#include "margins.h"

#include <QFileInfo>
#include <QStringList>

#include "storage/database.h"
#include "storage/error_log.h"
#include "storage/sql_text.h"

namespace {

const char* const kReadFun = "bFunMarginReadData()";
const char* const kWriteFun = "bFunMarginWriteNewSettings()";
const char* const kDeleteFun = "bFunMarginDeleteSettings()";
const char* const kRestoreFun = "bFunMarginRestoreOriginal()";

void report(ErrorStream& err, const QString& text, const char* fun) {
    err.clear();
    err << text;
    vFunWriteLog(err, QString::fromLatin1(fun), kLogError);
}

QString codeName(const CppSQLite3Exception& e) {
    return QString::fromLatin1(CppSQLite3Exception::codeName(e.errorCode()));
}

bool reportMissingFile(ErrorStream& err, const QString& path, const char* fun) {
    // Opening would create an empty database where the presets should be.
    if (!path.isEmpty() && QFileInfo(path).isFile()) return false;
    report(err, QStringLiteral("Plik nie istnieje.\n") + path, fun);
    return true;
}

// Cleanup on a failure path must not throw over the error being reported.
void releaseQuietly(CppSQLite3Query& query) {
    try {
        query.release();
    } catch (const CppSQLite3Exception&) {
    }
}

void closeQuietly(CppSQLite3DB& db) {
    try {
        db.close();
    } catch (const CppSQLite3Exception&) {
    }
}

MarginPreset presetFromRow(const CppSQLite3Query& row) {
    MarginPreset p;
    p.name = row.columnTextOr(QStringLiteral("name"), QString()).left(MarginPreset::kMaxNameLength);
    p.Page1X1 = row.columnInt(QStringLiteral("Page1X1"));
    p.Page1Y1 = row.columnInt(QStringLiteral("Page1Y1"));
    p.Page1X2 = row.columnInt(QStringLiteral("Page1X2"));
    p.Page1Y2 = row.columnInt(QStringLiteral("Page1Y2"));
    p.Page2X1 = row.columnInt(QStringLiteral("Page2X1"));
    p.Page2Y1 = row.columnInt(QStringLiteral("Page2Y1"));
    p.Page2X2 = row.columnInt(QStringLiteral("Page2X2"));
    p.Page2Y2 = row.columnInt(QStringLiteral("Page2Y2"));
    return p;
}

// The insert of one preset: the name escaped and cut to what a preset keeps.
QString insertStatement(const MarginPreset& p) {
    QStringList values;
    values << sql::escaped(p.name.left(MarginPreset::kMaxNameLength));
    for (int v :
         {p.Page1X1, p.Page1Y1, p.Page1X2, p.Page1Y2, p.Page2X1, p.Page2Y1, p.Page2X2, p.Page2Y2})
        values << QString::number(v);
    return QStringLiteral(
               "insert into `margin`( `name`, `Page1X1`, `Page1Y1`, `Page1X2`, `Page1Y2`, "
               "`Page2X1`, `Page2Y1`, `Page2X2`, `Page2Y2` ) values( '") +
           values.join(QStringLiteral("', '")) + QStringLiteral("' )");
}

}  // namespace

bool bFunMarginReadData(ErrorStream& err, QString path, MarginPresetList& list) {
    if (reportMissingFile(err, path, kReadFun)) return false;

    CppSQLite3DB db;
    CppSQLite3Query query;
    try {
        db.open(path);
        query = db.query(QStringLiteral("select * from `margin`"));
        MarginPresetList rows;
        for (; !query.atEnd(); query.advance()) rows.append(presetFromRow(query));
        query.release();
        db.close();
        list = rows;
        return true;
    } catch (const CppSQLite3Exception& e) {
        releaseQuietly(query);
        closeQuietly(db);
        report(err, QStringLiteral("SqlException\n") + codeName(e), kReadFun);
        return false;
    }
}

bool bFunMarginWriteNewSettings(ErrorStream& err, QString path, const MarginPreset& preset) {
    if (reportMissingFile(err, path, kWriteFun)) return false;

    CppSQLite3DB db;
    try {
        db.open(path);
        const int inserted = db.execute(insertStatement(preset));
        db.close();
        if (inserted == 0) {
            report(err, QStringLiteral("Bład podczas próby dodania wpisu."), kWriteFun);
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        closeQuietly(db);
        report(err, QStringLiteral("Sql exception: ") + codeName(e), kWriteFun);
        return false;
    }
}

bool bFunMarginDeleteSettings(ErrorStream& err, QString path, QString name) {
    if (reportMissingFile(err, path, kDeleteFun)) return false;

    CppSQLite3DB db;
    try {
        db.open(path);
        const int deleted = db.execute(QStringLiteral("delete from `margin` where `name`='") +
                                       sql::escaped(name) + QLatin1Char('\''));
        db.close();
        if (deleted == 0) {
            report(err, QStringLiteral("Błąd podczas próby skasowania ustawień ") + name,
                   kDeleteFun);
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        closeQuietly(db);
        report(err, QStringLiteral("SqlException\n") + codeName(e), kDeleteFun);
        return false;
    }
}

bool bFunMarginRestoreOriginal(ErrorStream& err, QString sourcePath, QString targetPath) {
    if (reportMissingFile(err, sourcePath, kRestoreFun)) return false;
    if (reportMissingFile(err, targetPath, kRestoreFun)) return false;

    CppSQLite3DB source;
    CppSQLite3DB target;
    CppSQLite3Query rows;
    bool inTransaction = false;
    try {
        source.open(sourcePath);
        target.open(targetPath);
        // All or nothing: a failure half-way must not leave the user with half the presets.
        target.execute(QStringLiteral("begin"));
        inTransaction = true;
        target.execute(QStringLiteral("delete from `margin` where 1"));
        rows = source.query(QStringLiteral("select * from `margin`"));
        for (; !rows.atEnd(); rows.advance()) target.execute(insertStatement(presetFromRow(rows)));
        rows.release();
        target.execute(QStringLiteral("commit"));
        inTransaction = false;
        source.close();
        target.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        releaseQuietly(rows);
        if (inTransaction) {
            try {
                target.execute(QStringLiteral("rollback"));
            } catch (const CppSQLite3Exception&) {
            }
        }
        closeQuietly(source);
        closeQuietly(target);
        report(err, QStringLiteral("Sql exception: ") + codeName(e), kRestoreFun);
        return false;
    }
}
