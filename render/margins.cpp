#include "margins.h"

#include <QFileInfo>
#include <QStringList>

#include "storage/database.h"
#include "storage/sql_text.h"
#include "storage/store_failure.h"

namespace {

const char* const kReadFun = "bFunMarginReadData()";
const char* const kWriteFun = "bFunMarginWriteNewSettings()";
const char* const kDeleteFun = "bFunMarginDeleteSettings()";
const char* const kRestoreFun = "bFunMarginRestoreOriginal()";

// Opening would create an empty database where the presets should be.
bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool missingFile(ErrorStream& err, const QString& path, const char* fun) {
    return store::missingFile(err, "Plik nie istnieje.\n", path, fun);
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
    if (!isFile(path)) return missingFile(err, path, kReadFun);

    CppSQLite3DB db;
    try {
        db.open(path);
        MarginPresetList rows;
        db.forEachRow(QStringLiteral("select * from `margin`"),
                      [&rows](const CppSQLite3Query& row) { rows.append(presetFromRow(row)); });
        db.close();
        list = rows;
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SqlException\n", e, kReadFun);
        return false;
    }
}

bool bFunMarginWriteNewSettings(ErrorStream& err, QString path, const MarginPreset& preset) {
    if (!isFile(path)) return missingFile(err, path, kWriteFun);

    CppSQLite3DB db;
    try {
        db.open(path);
        const int inserted = db.execute(insertStatement(preset));
        db.close();
        if (inserted == 0) {
            store::report(err, QStringLiteral("Bład podczas próby dodania wpisu."), kWriteFun);
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "Sql exception: ", e, kWriteFun);
        return false;
    }
}

bool bFunMarginDeleteSettings(ErrorStream& err, QString path, QString name) {
    if (!isFile(path)) return missingFile(err, path, kDeleteFun);

    CppSQLite3DB db;
    try {
        db.open(path);
        const int deleted = db.execute(QStringLiteral("delete from `margin` where `name`='") +
                                       sql::escaped(name) + QLatin1Char('\''));
        db.close();
        if (deleted == 0) {
            store::report(err, QStringLiteral("Błąd podczas próby skasowania ustawień ") + name,
                          kDeleteFun);
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SqlException\n", e, kDeleteFun);
        return false;
    }
}

bool bFunMarginRestoreOriginal(ErrorStream& err, QString sourcePath, QString targetPath) {
    if (!isFile(sourcePath)) return missingFile(err, sourcePath, kRestoreFun);
    if (!isFile(targetPath)) return missingFile(err, targetPath, kRestoreFun);

    CppSQLite3DB source;
    CppSQLite3DB target;
    bool inTransaction = false;
    try {
        source.open(sourcePath);
        target.open(targetPath);
        // All or nothing: a failure half-way must not leave the user with half the presets.
        target.execute(QStringLiteral("begin"));
        inTransaction = true;
        target.execute(QStringLiteral("delete from `margin` where 1"));
        source.forEachRow(QStringLiteral("select * from `margin`"),
                          [&target](const CppSQLite3Query& row) {
                              target.execute(insertStatement(presetFromRow(row)));
                          });
        target.execute(QStringLiteral("commit"));
        inTransaction = false;
        source.close();
        target.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        if (inTransaction) {
            try {
                target.execute(QStringLiteral("rollback"));
            } catch (const CppSQLite3Exception&) {
                // The engine may have rolled back by itself; the error that matters is `e`,
                // reported below.
            }
        }
        store::closeQuietly(source);
        store::closeQuietly(target);
        store::reportSqlError(err, "Sql exception: ", e, kRestoreFun);
        return false;
    }
}
