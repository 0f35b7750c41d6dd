#include "school_template.h"

#include <QFileInfo>

#include "database.h"
#include "sql_text.h"
#include "store_failure.h"

namespace {

const char* const kWriteFun = "bFunSqlTemplateWriteData()";
const char* const kWriteSqlFun = "bFunSqlWriteTemplateData()";
const char* const kReadFun = "bFunSqlTemplateReadData()";

QString insertStatement(const QString& table, const FieldRecord& record) {
    // Escapes a copy, cut to the record's limits as the pupil store writes them.
    const FieldRecord stored = FieldRecord::make(record.id, record.compName, record.value);
    return QStringLiteral("insert into ") + sql::quotedTable(table) +
           QStringLiteral("( `id`, `comp_name`, `value` ) values( '") + sql::escaped(stored.id) +
           QStringLiteral("', '") + sql::escaped(stored.compName) + QStringLiteral("', '") +
           sql::escaped(stored.value) + QStringLiteral("')");
}

}  // namespace

bool bFunSqlTemplateWriteData(ErrorStream& err, QString path, QString table,
                              const RecordList& records) {
    if (!QFileInfo(path).isFile())
        return store::missingFile(err, "Plik nie istnieje.\n\n", path, kWriteFun);
    CppSQLite3DB db;
    try {
        db.open(path);
        // The drop joins the transaction: until the commit the previous template stays, so a
        // write that fails half-way leaves it as it was.
        db.execute(QStringLiteral("begin transaction;"));
        try {
            if (db.hasTable(table)) db.execute(QStringLiteral("drop table ") + sql::quotedTable(table));
        } catch (const CppSQLite3Exception&) {
            store::rollbackAndClose(db);
            store::report(err,
                          QStringLiteral("Błąd podczas próby kasowania tablicy \"") + table +
                              QLatin1Char('"'),
                          kWriteFun);
            return false;
        }
        db.execute(QStringLiteral("create table ") + sql::quotedTable(table) +
                   QStringLiteral("( id TEXT, comp_name TEXT, value TEXT )"));
        for (const FieldRecord& record : records) {
            const QString statement = insertStatement(table, record);
            if (db.execute(statement) == 0) {
                store::rollbackAndClose(db);
                store::report(err, QStringLiteral("Błąd zapisu danych.\n\n") + statement, kWriteFun);
                return false;
            }
        }
        db.execute(QStringLiteral("commit transaction;"));
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::rollbackAndClose(db);
        store::reportSqlError(err, "SqlException\n", e, kWriteSqlFun);
        return false;
    }
}

bool bFunSqlTemplateReadData(ErrorStream& err, QString path, QString table, RecordList& records) {
    records.clear();
    if (!QFileInfo(path).isFile())
        return store::missingFile(err, "Plik nie istnieje.\n", path, kReadFun);
    CppSQLite3DB db;
    try {
        db.open(path);
        if (db.hasTable(table)) {
            db.forEachRow(QStringLiteral("select * from ") + sql::quotedTable(table),
                          [&records](const CppSQLite3Query& row) {
                              records.append(FieldRecord::make(
                                  row.columnTextOr(QStringLiteral("id"), QStringLiteral("")),
                                  row.columnTextOr(QStringLiteral("comp_name"), QStringLiteral("")),
                                  row.columnTextOr(QStringLiteral("value"), QStringLiteral(""))));
                          });
        }
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        records.clear();
        store::reportSqlError(err, "SqlException\n", e, kReadFun);
        return false;
    }
}
