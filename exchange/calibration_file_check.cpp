#include "calibration_file_check.h"

#include "forms/document_types.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/file_problem.h"
#include "storage/paths.h"
#include "storage/sql_text.h"
#include "storage/store_failure.h"

namespace {

// Long enough for another program's short write to finish; the teacher waits meanwhile.
constexpr int kLockWaitMs = 3000;

QString codeOf(const CppSQLite3Exception& e) {
    return QString::fromLatin1(CppSQLite3Exception::codeName(e.errorCode()));
}

// Why the file could not be read as a database, with the engine's code for whoever helps.
QString databaseReason(const QString& code) {
    QString reason;
    if (code == QLatin1String("SQLITE_NOTADB"))
        reason = QStringLiteral("Plik nie jest bazą danych");
    else if (code == QLatin1String("SQLITE_CORRUPT"))
        reason = QStringLiteral("Plik jest uszkodzony");
    else if (code == QLatin1String("SQLITE_BUSY") || code == QLatin1String("SQLITE_LOCKED") ||
             code == QLatin1String("SQLITE_READONLY_ROLLBACK") ||
             code == QLatin1String("SQLITE_CANTOPEN") || code == QLatin1String("SQLITE_PERM") ||
             code == QLatin1String("SQLITE_IOERR") || code == QLatin1String("SQLITE_NOMEM"))
        reason = strFunDatabaseProblem(code);
    else
        reason = QStringLiteral("Pliku nie można odczytać jako bazy danych");
    return reason + QStringLiteral(" (%1)").arg(code);
}

QStringList tablesOf(CppSQLite3DB& db) {
    QStringList tables;
    db.forEachRow(QStringLiteral("select name from sqlite_master where type='table'"),
                  [&tables](const CppSQLite3Query& row) {
                      tables << row.columnTextOr(QStringLiteral("name"), QString());
                  });
    return tables;
}

QStringList columnsOf(CppSQLite3DB& db, const QString& table) {
    QStringList columns;
    db.forEachRow(QStringLiteral("pragma table_info(") + sql::quotedTable(table) +
                      QLatin1Char(')'),
                  [&columns](const CppSQLite3Query& row) {
                      columns << row.columnTextOr(QStringLiteral("name"), QString());
                  });
    return columns;
}

// The first fault of an open calibration database, in the order of `requiredTables` and of the
// columns. Names compare exactly, as the reading of a row looks them up.
QString contentProblem(CppSQLite3DB& db, const QStringList& requiredTables) {
    const QStringList present = tablesOf(db);
    for (const QString& table : requiredTables) {
        if (!present.contains(table))
            return QStringLiteral("W pliku brakuje tabeli %1").arg(table);
        const QStringList columns = columnsOf(db, table);
        for (const QString& column : calibrationColumns())
            if (!columns.contains(column))
                return QStringLiteral("Tabela %1 nie ma kolumny %2").arg(table, column);
        try {
            db.verifyTable(table);
        } catch (const CppSQLite3Exception& e) {
            return QStringLiteral("Tabela %1 jest uszkodzona (%2)").arg(table, codeOf(e));
        }
    }
    return QString();
}

bool readTables(const QString& path, QStringList& tables) {
    CppSQLite3DB db;
    try {
        db.setWaitTimeout(kLockWaitMs);
        db.openReadOnly(path);
        tables = tablesOf(db);
        db.close();
        return true;
    } catch (const CppSQLite3Exception&) {
        store::closeQuietly(db);
        return false;
    }
}

}  // namespace

const QStringList& calibrationColumns() {
    static const QStringList columns = {
        QStringLiteral("name"),          QStringLiteral("x1"),
        QStringLiteral("y1"),            QStringLiteral("x2"),
        QStringLiteral("y2"),            QStringLiteral("font_name"),
        QStringLiteral("font_size"),     QStringLiteral("font_align"),
        QStringLiteral("font_style_bold"), QStringLiteral("font_style_italic"),
        QStringLiteral("font_style_underline"), QStringLiteral("font_style_strike")};
    return columns;
}

QStringList requiredCalibrationTables() {
    ErrorStream err;
    const QString shipped = strFunGetCalibFilePath(err, true);
    QStringList tables;
    if (strFunReadProblem(shipped).isEmpty() && readTables(shipped, tables) && !tables.isEmpty())
        return tables;

    tables.clear();
    for (const DocumentType& type : documentTypes())
        for (const QString& key : {type.key, type.keyWithoutDots})
            if (!key.isEmpty() && !tables.contains(key)) tables << key;
    return tables;
}

QString strFunCalibrationFileProblem(const QString& path, const QStringList& requiredTables) {
    const QString readProblem = strFunReadProblem(path);
    if (!readProblem.isEmpty()) return readProblem;

    CppSQLite3DB db;
    try {
        db.setWaitTimeout(kLockWaitMs);
        db.openReadOnly(path);
        const QString problem = contentProblem(db, requiredTables);
        db.close();
        return problem;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        return databaseReason(codeOf(e));
    }
}
