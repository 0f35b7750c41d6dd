#include "calibration_supply.h"

#include <QFileInfo>
#include <QList>
#include <QStringList>

#include "database.h"
#include "paths.h"
#include "sql_text.h"
#include "store_failure.h"

namespace {

const char* const kFunctionName = "bFunSupplyEmptyCalibrationTables()";

// The columns of every calibration table, in their stored order.
const struct {
    const char* name;
    const char* type;
} kColumns[] = {{"name", "TEXT"},
                {"x1", "INTEGER"},
                {"y1", "INTEGER"},
                {"x2", "INTEGER"},
                {"y2", "INTEGER"},
                {"font_name", "TEXT"},
                {"font_size", "INTEGER"},
                {"font_align", "INTEGER"},
                {"font_style_bold", "INTEGER"},
                {"font_style_italic", "INTEGER"},
                {"font_style_underline", "INTEGER"},
                {"font_style_strike", "INTEGER"}};


QString createStatement(const QString& table) {
    QStringList columns;
    for (const auto& column : kColumns)
        columns << QStringLiteral("`%1` %2").arg(QLatin1String(column.name), QLatin1String(column.type));
    return QStringLiteral("create table ") + sql::quotedTable(table) + QStringLiteral("( ") +
           columns.join(QStringLiteral(", ")) + QStringLiteral(" )");
}

// One shipped row as the statement that adds it. Every value goes in as text, as the
// calibration store writes them; a NULL would read as 0 or "" either way.
QString insertStatement(const QString& table, const CppSQLite3Query& row) {
    QStringList values;
    for (const auto& column : kColumns) {
        const QString value = row.columnTextOr(QLatin1String(column.name), QString());
        values << QLatin1Char('\'') + sql::escaped(value) + QLatin1Char('\'');
    }
    return QStringLiteral("insert into ") + sql::quotedTable(table) + QStringLiteral(" values( ") +
           values.join(QStringLiteral(", ")) + QStringLiteral(" )");
}

QStringList tableNames(CppSQLite3DB& db) {
    QStringList names;
    db.forEachRow(QStringLiteral("select name from sqlite_master where type='table'"),
                  [&names](const CppSQLite3Query& row) { names << row.columnTextOr(0, QString()); });
    return names;
}

struct Supply {
    QString table;
    bool create = false;
    QStringList inserts;
};

}  // namespace

bool bFunSupplyEmptyCalibrationTables(ErrorStream& err) {
    const QString shippedPath = strFunGetCalibFilePath(err, true);
    const QString workingPath = strFunGetCalibFilePath(err, false);
    // A missing copy is the installation check's to report; there is nothing to supply.
    if (!QFileInfo(shippedPath).isFile() || !QFileInfo(workingPath).isFile()) return true;

    CppSQLite3DB working;
    CppSQLite3DB shipped;
    try {
        QList<Supply> supplies;
        working.openReadOnly(workingPath);
        const QStringList present = tableNames(working);
        shipped.openReadOnly(shippedPath);
        for (const QString& table : tableNames(shipped)) {
            const bool missing = !present.contains(table);
            if (!missing && working.scalar(QStringLiteral("select count(*) from ") + sql::quotedTable(table)) > 0)
                continue;
            Supply supply{table, missing, {}};
            shipped.forEachRow(QStringLiteral("select * from ") + sql::quotedTable(table),
                               [&supply](const CppSQLite3Query& row) {
                                   supply.inserts << insertStatement(supply.table, row);
                               });
            if (!supply.inserts.isEmpty()) supplies << supply;
        }
        shipped.close();
        working.close();
        if (supplies.isEmpty()) return true;

        working.open(workingPath);
        working.execute(QStringLiteral("begin transaction;"));
        for (const Supply& supply : std::as_const(supplies)) {
            if (supply.create) working.execute(createStatement(supply.table));
            for (const QString& insert : supply.inserts) working.execute(insert);
        }
        working.execute(QStringLiteral("commit transaction;"));
        working.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        // Closing without the commit rolls the supply back whole.
        store::closeQuietly(shipped);
        store::closeQuietly(working);
        store::reportSqlError(err, "SqlException\n", e, kFunctionName);
        return false;
    }
}
