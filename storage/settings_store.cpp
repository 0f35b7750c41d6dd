#include "settings_store.h"

#include <QFileInfo>

#include "database.h"
#include "paths.h"
#include "sql_text.h"
#include "store_failure.h"

namespace {

const char* const kWriterName = "bFunSqlSettingWriteValue()";
const char* const kReaderName = "bFunSqlGetSettingsValue()";

// `column` is `text_value` or `int_value`; `value` is already the text to store.
bool writeSetting(ErrorStream& err, const QString& key, const QString& column, const QString& value) {
    const QString path = strFunGetSettingsFilePath(err, false);
    if (!QFileInfo::exists(path))
        return store::missingFile(err, "Plik nie istnieje.\n\n", path, kWriterName);

    const QString quotedKey = sql::escaped(key);
    const QString quotedValue = sql::escaped(value);
    CppSQLite3DB db;
    try {
        db.open(path);
        const int updated = db.execute(QStringLiteral("update `settings` set `") + column + QStringLiteral("`='")
                                       + quotedValue + QStringLiteral("' where `name`='") + quotedKey
                                       + QStringLiteral("'"));
        if (updated > 0) {
            db.close();
            return true;
        }
        const int inserted = db.execute(QStringLiteral("insert into `settings`(`name`, `") + column
                                        + QStringLiteral("`) values( '") + quotedKey + QStringLiteral("', '")
                                        + quotedValue + QStringLiteral("')"));
        db.close();
        return inserted > 0;
    } catch (const CppSQLite3Exception& e) {
        // Not logged: the switches ignore a failed write.
        store::closeQuietly(db);
        err.clear();
        err << store::sqlErrorText("SQLite exception: ", e);
        return false;
    }
}

// Runs `read` on the query of the key's rows (possibly at end: every column then reads NULL).
template <typename Read>
bool readSetting(ErrorStream& err, const QString& key, Read read) {
    const QString path = strFunGetSettingsFilePath(err, false);
    if (!QFileInfo::exists(path))
        return store::missingFile(err, "Plik nie istnieje:\n", path, kReaderName);

    CppSQLite3DB db;
    try {
        db.open(path);
        CppSQLite3Query row = db.query(QStringLiteral("select * from `settings` where `name`='")
                                       + sql::escaped(key) + QStringLiteral("'"));
        read(row);
        row.release();
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SqlException:\n\n", e, kReaderName);
        return false;
    }
}

}  // namespace

bool bFunSqlSettingWriteValue(ErrorStream& err, QString key, QString value) {
    return writeSetting(err, key, QStringLiteral("text_value"), value);
}

bool bFunSqlSettingWriteValue(ErrorStream& err, QString key, int value) {
    return writeSetting(err, key, QStringLiteral("int_value"), QString::number(value));
}

bool bFunSqlGetSettingsValue(ErrorStream& err, QString key, QString& value) {
    return readSetting(err, key, [&value](const CppSQLite3Query& row) {
        value = row.columnTextOr(QStringLiteral("text_value"), QStringLiteral(""));
    });
}

bool bFunSqlGetSettingsValue(ErrorStream& err, QString key, int& value) {
    return readSetting(err, key,
                       [&value](const CppSQLite3Query& row) { value = row.columnInt(QStringLiteral("int_value"), 0); });
}
