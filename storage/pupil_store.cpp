#include "pupil_store.h"

#include <QFileInfo>

#include "sql_text.h"
#include "store_failure.h"

namespace {

const char* const kSaveFun = "bFunSaveCertData()";
const char* const kSaveSqlFun = "bFunSqlSaveCertData()";

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}



void dropIfPresent(CppSQLite3DB& db, const QString& table) {
    if (db.hasTable(table)) db.execute(QStringLiteral("drop table ") + sql::quotedTable(table));
}

// Catalogue entries that can hold a pupil: real tables, not SQLite's own bookkeeping.
bool isPupilTableCandidate(CppSQLite3DB& db, const QString& name) {
    return !name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive) && db.hasTable(name);
}

// The value of one pupil-data field; "" when the pupil table lacks that row.
QString pupilDataValue(CppSQLite3DB& db, const QString& table, const char* compName) {
    CppSQLite3Query query = db.query(QStringLiteral("select * from ") + sql::quotedTable(table) +
                                     QStringLiteral(" where `id`='DANE UCZNIA' AND `comp_name`='") +
                                     QLatin1String(compName) + QLatin1Char('\''));
    const QString value = query.columnTextOr(QStringLiteral("value"), QStringLiteral(""));
    query.release();
    return value;
}

// Reads every row of the table, so a damaged page anywhere in it shows now, not at the click.
void readWholeTable(CppSQLite3DB& db, const QString& table) {
    db.forEachRow(QStringLiteral("select `id`, `comp_name`, `value` from ") + sql::quotedTable(table),
                  [](const CppSQLite3Query& row) {
                      for (int column = 0; column < 3; ++column) row.columnTextOr(column);
                  });
}

// A table the user would miss if it were left out: named like a pupil's table, or with a pupil
// table's columns. One whose columns cannot even be listed counts as a pupil's.
bool looksLikePupilTable(CppSQLite3DB& db, const QString& table) {
    if (table.startsWith(QLatin1String("PESEL"), Qt::CaseInsensitive)) return true;
    try {
        QStringList columns;
        db.forEachRow(QStringLiteral("pragma table_info(") + sql::quotedTable(table) +
                          QLatin1Char(')'),
                      [&columns](const CppSQLite3Query& row) {
                          columns << row.columnTextOr(QStringLiteral("name"));
                      });
        return columns.contains(QLatin1String("id")) &&
               columns.contains(QLatin1String("comp_name")) &&
               columns.contains(QLatin1String("value"));
    } catch (const CppSQLite3Exception&) {
        return true;
    }
}

QString insertStatement(const QString& table, const FieldRecord& record) {
    // Cut to the record's limits so that programs with fixed-size fields can read the file, and
    // escape a copy: the caller's record stays as it was.
    const FieldRecord stored = FieldRecord::make(record.id, record.compName, record.value);
    return QStringLiteral("insert into ") + sql::quotedTable(table) +
           QStringLiteral("( id, comp_name, value ) values( '") + sql::escaped(stored.id) +
           QStringLiteral("', '") + sql::escaped(stored.compName) + QStringLiteral("', '") +
           sql::escaped(stored.value) + QStringLiteral("' )");
}

// Runs inside an open transaction: creates the table, inserts the records and commits. A row
// the engine silently refused rolls everything back, so nothing is left half written.
bool createAndFill(ErrorStream& err, CppSQLite3DB& db, const QString& table,
                   const RecordList& records, const SaveProgress& progress) {
    db.execute(QStringLiteral("create table ") + sql::quotedTable(table) +
               QStringLiteral("( id TEXT, comp_name TEXT, value TEXT )"));
    for (const FieldRecord& record : records) {
        const QString statement = insertStatement(table, record);
        if (db.execute(statement) == 0) {
            store::rollbackAndClose(db);
            err.clear();
            err << "Błąd dodania wpisu do bazy:\n" << statement;
            return false;
        }
        if (progress) progress();
    }
    db.execute(QStringLiteral("commit transaction;"));
    db.close();
    return true;
}

// Opens the class file for a save that `save` runs in its own transaction; a database error
// rolls that transaction back and is reported.
template <typename Save>
bool saveInClassFile(ErrorStream& err, const QString& path, Save save) {
    if (!fileExists(path)) return store::missingFile(err, "Plik nie istnieje: \n", path, kSaveFun);
    CppSQLite3DB db;
    try {
        db.open(path);
        return save(db);
    } catch (const CppSQLite3Exception& e) {
        store::rollbackAndClose(db);
        store::reportSqlError(err, "SQLite exception: ", e, kSaveSqlFun);
        return false;
    }
}

// ---- Reading, shared by the path-based operations and ClassFileReader ----------------------

const char* const kTableListFun = "bFunSqlGetTableList()";
const char* const kStudentsFun = "bFunGetStudentsList";
const char* const kLoadFun = "bFunLoadCertData()";

// Appends every catalogue name. False, with the error reported (and its code name in
// `failureCode` when given), when the catalogue cannot be read whole; the names read before
// the error stay listed.
bool readTableList(ErrorStream& err, CppSQLite3DB& db, QStringList& tables,
                   QString* failureCode = nullptr) {
    try {
        db.forEachRow(QStringLiteral("select * from sqlite_master"),
                      [&tables](const CppSQLite3Query& row) {
                          tables.append(
                              row.columnTextOr(QStringLiteral("name"), QStringLiteral("")));
                      });
        return true;
    } catch (const CppSQLite3Exception& e) {
        if (failureCode) *failureCode = QString::fromLatin1(CppSQLite3Exception::codeName(e.errorCode()));
        store::reportSqlError(err, "SQLite exception: \n", e, kTableListFun);
        return false;
    }
}

bool listStudents(ErrorStream& err, CppSQLite3DB& db, StudentList& students,
                  UnreadablePupilList* unreadable, QString* failureCode = nullptr) {
    // A catalogue that cannot be read (a damaged file) fails the listing instead of showing an
    // empty class as if all were well.
    ErrorStream catalogueErr;
    QStringList tables;
    if (!readTableList(catalogueErr, db, tables, failureCode)) {
        err.clear();
        err << catalogueErr.text();
        return false;
    }
    for (const QString& table : tables) {
        // A foreign entry is logged and skipped; the pupils after it are still listed.
        try {
            if (!isPupilTableCandidate(db, table)) continue;
            const QString surname = pupilDataValue(db, table, "Nazwisko_DATA_EDIT");
            const QString firstName = pupilDataValue(db, table, "Imie_DATA_EDIT");
            readWholeTable(db, table);
            // Damage that no read trips over (a cell past its page's end, a broken free list)
            // shows only to the engine's own check, and the rows read are not what was saved.
            db.verifyTable(table);
            students.append({surname + QLatin1Char(' ') + firstName, table});
        } catch (const CppSQLite3Exception& e) {
            store::reportSqlError(err, "SQL exception: \n", e, kStudentsFun);
            if (unreadable && looksLikePupilTable(db, table))
                unreadable->append(
                    {table, QString::fromLatin1(CppSQLite3Exception::codeName(e.errorCode()))});
        }
    }
    return true;
}

// False, reported, when the table is absent. Throws on a database error.
bool loadRecords(ErrorStream& err, CppSQLite3DB& db, const QString& table, RecordList& records) {
    if (!db.hasTable(table)) {
        store::report(err, QStringLiteral("Tablica nie istnieje: \n") + table, "bFunLoadCertData");
        return false;
    }
    db.forEachRow(
        QStringLiteral("select * from ") + sql::quotedTable(table) + QStringLiteral(" where 1"),
        [&err, &records](const CppSQLite3Query& row) {
            // A field that cannot be read stays empty; bFunGetValue has logged why.
            QString id, compName, value;
            bFunGetValue(err, row, QStringLiteral("id"), id);
            bFunGetValue(err, row, QStringLiteral("comp_name"), compName);
            bFunGetValue(err, row, QStringLiteral("value"), value);
            records.append(FieldRecord::make(id, compName, value));
        });
    return true;
}

}  // namespace

int iFunCheckIsStudentExists(ErrorStream& err, QString path, QString table, bool createIfMissing) {
    const char* const fun = "iFunCheckIsStudentExists";
    CppSQLite3DB db;
    try {
        if (createIfMissing && !fileExists(path)) {
            db.open(path);
            db.close();
        }
        if (!fileExists(path)) {
            store::missingFile(err, "Plik nie istnieje: \n", path, fun);
            return -1;
        }
        db.open(path);
        const bool present = db.hasTable(table);
        db.close();
        return present ? 1 : 0;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SQLite exception: \n", e, fun);
        return -1;
    }
}

bool bFunGetTableList(ErrorStream& err, QString path, QStringList& tables) {
    if (!fileExists(path))
        return store::missingFile(err, "Plik nie istnieje: \n:", path, "bFunGetTableList");
    CppSQLite3DB db;
    try {
        db.open(path);
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SQLite exception: \n", e, kTableListFun);
        return true;
    }
    readTableList(err, db, tables);
    store::closeQuietly(db);
    return true;
}

bool bFunGetStudentsList(ErrorStream& err, QString path, StudentList& students,
                         UnreadablePupilList* unreadable) {
    if (!fileExists(path))
        return store::missingFile(err, "Plik nie istnieje: \n:", path, "bFunGetTableList");
    CppSQLite3DB db;
    try {
        db.open(path);
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SQLite exception: \n", e, kTableListFun);
        return false;
    }
    const bool listed = listStudents(err, db, students, unreadable);
    store::closeQuietly(db);
    return listed;
}

bool bFunGetValue(ErrorStream& err, const CppSQLite3Query& query, QString column, QString& value) {
    try {
        value = query.columnTextOr(column, QStringLiteral(""));
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::reportSqlError(err, "SQL exception: \n", e, "bFunGetValue");
        return false;
    }
}

bool bFunLoadCertData(ErrorStream& err, QString path, QString table, RecordList& records) {
    if (!fileExists(path))
        return store::missingFile(err, "Plik nie istnieje: \n", path, "bFunLoadCertData");
    CppSQLite3DB db;
    try {
        db.open(path);
        const bool loaded = loadRecords(err, db, table, records);
        db.close();
        return loaded;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SQL exception: \n", e, kLoadFun);
        return false;
    }
}

bool bFunDeleteTable(ErrorStream& err, QString path, QString table) {
    if (!fileExists(path))
        return store::missingFile(err, "Plik nie istnieje: \n", path, "bFunDeleteTable");
    CppSQLite3DB db;
    try {
        db.open(path);
        dropIfPresent(db, table);
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(db);
        store::reportSqlError(err, "SQL exception: \n", e, "bFunDeleteTable()");
        return false;
    }
}

bool bFunSaveCertData(ErrorStream& err, QString path, QString table, const RecordList& records,
                      const SaveProgress& progress) {
    return saveInClassFile(err, path, [&](CppSQLite3DB& db) {
        if (db.hasTable(table)) {
            db.close();
            store::report(err, QStringLiteral("Tablica już istnieje: ") + table, kSaveFun);
            return false;
        }
        // The create joins the transaction, so a failed save leaves no empty table behind.
        db.execute(QStringLiteral("begin transaction;"));
        return createAndFill(err, db, table, records, progress);
    });
}

bool bFunReplaceCertData(ErrorStream& err, QString path, QString oldTable, QString newTable,
                         const RecordList& records, const SaveProgress& progress) {
    return saveInClassFile(err, path, [&](CppSQLite3DB& db) {
        db.execute(QStringLiteral("begin transaction;"));
        dropIfPresent(db, oldTable);
        dropIfPresent(db, newTable);
        return createAndFill(err, db, newTable, records, progress);
    });
}

// ---- ClassFileReader -----------------------------------------------------------------------

ClassFileReader::ClassFileReader() = default;

ClassFileReader::~ClassFileReader() { store::closeQuietly(m_db); }

bool ClassFileReader::failWith(ErrorStream& err, const CppSQLite3Exception& e, const char* lead,
                               const char* fun) {
    m_failureCode = QString::fromLatin1(CppSQLite3Exception::codeName(e.errorCode()));
    store::reportSqlError(err, lead, e, fun);
    return false;
}

bool ClassFileReader::open(ErrorStream& err, const QString& path, int waitTimeoutMs) {
    m_failureCode.clear();
    store::closeQuietly(m_db);
    try {
        m_db.setWaitTimeout(waitTimeoutMs);
        m_db.openReadOnly(path);
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::closeQuietly(m_db);
        return failWith(err, e, "SQLite exception: \n", "ClassFileReader::open");
    }
}

bool ClassFileReader::tableList(ErrorStream& err, QStringList& tables) {
    m_failureCode.clear();
    return readTableList(err, m_db, tables, &m_failureCode);
}

bool ClassFileReader::studentsList(ErrorStream& err, StudentList& students,
                                   UnreadablePupilList* unreadable) {
    m_failureCode.clear();
    return listStudents(err, m_db, students, unreadable, &m_failureCode);
}

bool ClassFileReader::loadCertData(ErrorStream& err, const QString& table, RecordList& records) {
    m_failureCode.clear();
    try {
        return loadRecords(err, m_db, table, records);
    } catch (const CppSQLite3Exception& e) {
        return failWith(err, e, "SQL exception: \n", kLoadFun);
    }
}
