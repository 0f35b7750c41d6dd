#include "install_check.h"

#include <QFileInfo>
#include <QList>

#include "calibration_supply.h"
#include "database.h"
#include "file_ops.h"
#include "paths.h"
#include "sql_text.h"
#include "store_failure.h"

namespace {

const char* const kFunctionName = "bFunCheckFilesDir()";

struct ShippedFile {
    QString name;
    int update = 0;
};

QString inDir(const QString& dir, const QString& name) { return dir + QLatin1Char('/') + name; }

// Every directory first, so that a file may be listed inside one of them.
bool createDirectories(ErrorStream& err, CppSQLite3DB& catalogue) {
    QList<QString> names;
    for (CppSQLite3Query row = catalogue.query(QStringLiteral("select * from `dir`")); !row.atEnd(); row.advance()) {
        names.append(row.columnTextOr(QStringLiteral("name"), QStringLiteral("")));
    }
    for (const QString& name : names) {
        const QString mainDir = strFunGetMainDirPath(err);
        // An empty data directory would turn the relative name into one at the file-system root.
        if (mainDir.isEmpty() || !bFunCreateDirectory(err, inDir(mainDir, name))) return false;
    }
    return true;
}

bool installFiles(ErrorStream& err, CppSQLite3DB& catalogue) {
    // Read whole before the flags are written back, so the scan never sees its own updates.
    QList<ShippedFile> files;
    for (CppSQLite3Query row = catalogue.query(QStringLiteral("select * from `files`")); !row.atEnd();
         row.advance()) {
        files.append({row.columnTextOr(QStringLiteral("name"), QStringLiteral("")),
                      row.columnInt(QStringLiteral("update"), 0)});
    }

    const QString exeDir = strFunGetExeDirPath();
    for (const ShippedFile& file : files) {
        const QString mainDir = strFunGetMainDirPath(err);
        if (mainDir.isEmpty()) return false;
        const QString target = inDir(mainDir, file.name);
        const QString source = inDir(exeDir, file.name);

        bool copied = true;
        if (file.update != 0) {
            copied = bFunCopyFile(err, source, target, false);
        } else if (!QFileInfo::exists(target)) {
            copied = bFunCopyFile(err, source, target, true);
        }
        if (!copied) return false;

        err.clear();
        // A flag that is already 0 needs no write, so a catalogue in a read-only installation
        // does not stop the program from starting.
        if (file.update != 0) {
            catalogue.execute(QStringLiteral("update `files` set `update`='0' where `name`='")
                              + sql::escaped(file.name) + QStringLiteral("'"));
        }
    }
    return true;
}

}  // namespace

bool bFunCheckFilesDir(ErrorStream& err) {
    const QString cataloguePath = inDir(strFunGetExeDirPath(), QLatin1String(kCatalogueFileName));
    if (!QFileInfo::exists(cataloguePath)) {
        return store::missingFile(
            err,
            "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\nPlik nie istnieje: ",
            cataloguePath, kFunctionName);
    }

    CppSQLite3DB catalogue;
    try {
        catalogue.open(cataloguePath);
        const bool installed = createDirectories(err, catalogue) && installFiles(err, catalogue);
        catalogue.close();
        // Rows a newer program ships for tables the user has none in: logged when it fails,
        // and the page that lacks them reports so when it is drawn.
        if (installed) {
            ErrorStream supplyErr;
            bFunSupplyEmptyCalibrationTables(supplyErr);
        }
        return installed;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(catalogue);
        store::reportSqlError(err, "Sql exception: ", e, kFunctionName);
        return false;
    }
}
