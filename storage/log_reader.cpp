#include "log_reader.h"

#include <QFileInfo>

#include "database.h"
#include "paths.h"
#include "store_failure.h"

bool bFunSqlGetLogsData(ErrorStream& err, QList<LogEntry>& entries) {
    ErrorStream pathErr;  // a data directory that cannot be had means there is no log to show
    const QString path = strFunGetLogFilePath(pathErr);
    if (path.isEmpty() || !QFileInfo::exists(path)) return false;

    QList<LogEntry> read;
    CppSQLite3DB db;
    try {
        db.open(path);
        // Asking for the missing table would log an error only because none was logged yet.
        if (db.hasTable(QStringLiteral("error"))) {
            db.forEachRow(QStringLiteral("select * from `error`"), [&read](const CppSQLite3Query& row) {
                read.append({row.columnTextOr(QStringLiteral("datetime"), QString()),
                             row.columnTextOr(QStringLiteral("fun"), QString()),
                             row.columnTextOr(QStringLiteral("info"), QString())});
            });
        }
        db.close();
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "Sql exception: ", e, "bFunSqlGetLogsData()");
        return false;
    }
    entries.append(read);
    return true;
}
