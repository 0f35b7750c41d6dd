#include "place_lists.h"

#include <QFileInfo>

#include "database.h"
#include "paths.h"
#include "sql_text.h"
#include "store_failure.h"

namespace {

struct PlaceList {
    const char* table;
    const char* loadFun;
    const char* addFun;
};

const PlaceList kTowns = {"city", "bFunStudentDataLoadCityList()", "bFunStudentDataAddCity()"};
const PlaceList kProvinces = {"province", "bFunStudentDataLoadProvinceList()",
                              "bFunStudentDataAddProvince()"};

// The settings database's path when the file is there; otherwise reports and returns "".
QString existingSettingsPath(ErrorStream& err, const char* fun) {
    const QString path = strFunGetSettingsFilePath(err, false);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        store::missingFile(err, "Plik nie istnieje.\n", path, fun);
        return QString();
    }
    return path;
}

// Runs `work` on an open connection to the settings database; a database error is reported
// under `fun` and gives false.
template <typename Work>
bool withSettingsDatabase(ErrorStream& err, const char* fun, Work work) {
    const QString path = existingSettingsPath(err, fun);
    if (path.isEmpty()) return false;
    CppSQLite3DB db;
    try {
        db.open(path);
        work(db);
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "Sql exception: ", e, fun);
        return false;
    }
}

bool loadList(ErrorStream& err, const PlaceList& list, QStringList& names) {
    names.clear();
    return withSettingsDatabase(err, list.loadFun, [&](CppSQLite3DB& db) {
        const QString table = QLatin1String(list.table);
        db.forEachRow(
            QStringLiteral("select * from `") + table + QStringLiteral("` order by `name` ASC"),
            [&names](const CppSQLite3Query& row) {
                names.append(row.columnTextOr(QStringLiteral("name"), QStringLiteral("")));
            });
    });
}

bool addName(ErrorStream& err, const PlaceList& list, const QString& name) {
    return withSettingsDatabase(err, list.addFun, [&](CppSQLite3DB& db) {
        const QString table = QLatin1String(list.table);
        // Place names may hold apostrophes ("O'Hara"), so the value is escaped.
        const QString value = sql::escaped(name);
        // Updating the name onto itself tells whether it is already listed.
        const int matched = db.execute(QStringLiteral("update `") + table +
                                       QStringLiteral("` set `name`='") + value +
                                       QStringLiteral("' where `name`='") + value +
                                       QLatin1Char('\''));
        if (matched == 0) {
            db.execute(QStringLiteral("insert into `") + table + QStringLiteral("`( `name` ) values( '") +
                       value + QStringLiteral("' )"));
        }
    });
}

}  // namespace

bool bFunStudentDataLoadCityList(ErrorStream& err, QStringList& names) {
    return loadList(err, kTowns, names);
}

bool bFunStudentDataLoadProvinceList(ErrorStream& err, QStringList& names) {
    return loadList(err, kProvinces, names);
}

bool bFunStudentDataAddCity(ErrorStream& err, QString name) {
    return addName(err, kTowns, name);
}

bool bFunStudentDataAddProvince(ErrorStream& err, QString name) {
    return addName(err, kProvinces, name);
}
