#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "database.h"
#include "error_stream.h"
#include "field_record.h"

// The pupils of a class file (".smrk", the working database and backups share its format):
// one table per pupil, named "PESEL" + the pupil's PESEL, holding rows (id, comp_name, value)
// in insertion order. Every path-based call opens its own connection and closes it before
// returning; ClassFileReader reads the same way over one read-only connection.

struct StudentListEntry {
    QString displayName;  // surname + " " + first name
    QString tableName;
};
using StudentList = QList<StudentListEntry>;

// A pupil table that is in the file but cannot be read (damaged pages, missing columns).
struct UnreadablePupil {
    QString tableName;
    QString reason;  // the engine's code name, such as "SQLITE_CORRUPT"
};
using UnreadablePupilList = QList<UnreadablePupil>;

// Called once per record written, so a caller can advance a progress bar.
using SaveProgress = std::function<void()>;

// -1 on error, 0 when the pupil table is absent, 1 when present. With `createIfMissing` a
// missing database file is first created empty.
int iFunCheckIsStudentExists(ErrorStream& err, QString path, QString table, bool createIfMissing);

// Appends the name of every catalogue entry (tables, indexes, views, triggers alike). A database
// error is logged and the names read so far are kept; only a missing file returns false.
bool bFunGetTableList(ErrorStream& err, QString path, QStringList& tables);

// Appends one entry per pupil table, in catalogue order. Entries that are not pupil tables
// (indexes, views, internal or foreign tables) are skipped, so they never hide later pupils.
// Every row of each pupil table is read and its pages are checked by the engine (damage that no
// read trips over would otherwise show a pupil with other data than was saved): a table that is
// named or shaped like a pupil's but cannot be read whole is not listed but appended to
// `unreadable` (when given) and logged, so the caller can tell the user that the file holds a
// pupil it cannot show.
bool bFunGetStudentsList(ErrorStream& err, QString path, StudentList& students,
                         UnreadablePupilList* unreadable = nullptr);

// The text of `column` in the query's current row ("" for NULL).
bool bFunGetValue(ErrorStream& err, const CppSQLite3Query& query, QString column, QString& value);

// Appends one record per row of the pupil table, in row order.
bool bFunLoadCertData(ErrorStream& err, QString path, QString table, RecordList& records);

// Drops the table if it exists; its absence is no error.
bool bFunDeleteTable(ErrorStream& err, QString path, QString table);

// Creates `table` (which must not exist yet) and writes the records in list order, all or
// nothing. The caller's records are not changed.
bool bFunSaveCertData(ErrorStream& err, QString path, QString table, const RecordList& records,
                      const SaveProgress& progress = {});

// The whole-pupil save: in one transaction drops `oldTable` and `newTable` where present, then
// creates `newTable` with the records. On failure both previous tables are left as they were.
// `oldTable` may equal `newTable` (same PESEL) or be empty (a new pupil).
bool bFunReplaceCertData(ErrorStream& err, QString path, QString oldTable, QString newTable,
                         const RecordList& records, const SaveProgress& progress = {});

// A class file opened once, read-only, for the runs that must not change their input: the same
// reading as the path-based calls above, over one connection that writes nothing (not even a
// journal's roll-back) and sees one state of the file from open to destruction.
class ClassFileReader {
public:
    ClassFileReader();
    ~ClassFileReader();
    ClassFileReader(const ClassFileReader&) = delete;
    ClassFileReader& operator=(const ClassFileReader&) = delete;

    // Opens and reads the catalogue once, waiting at most `waitTimeoutMs` for another program's
    // lock. On failure the message is in `err` and failureCode() names the cause.
    bool open(ErrorStream& err, const QString& path, int waitTimeoutMs);
    // As bFunGetTableList, but false when the catalogue cannot be read whole.
    bool tableList(ErrorStream& err, QStringList& tables);
    // As bFunGetStudentsList.
    bool studentsList(ErrorStream& err, StudentList& students,
                      UnreadablePupilList* unreadable = nullptr);
    // As bFunLoadCertData.
    bool loadCertData(ErrorStream& err, const QString& table, RecordList& records);

    // The engine's code name of the last failure ("SQLITE_BUSY", "SQLITE_READONLY_ROLLBACK"
    // for a hot journal, ...); empty when none.
    QString failureCode() const { return m_failureCode; }

private:
    bool failWith(ErrorStream& err, const CppSQLite3Exception& e, const char* lead,
                  const char* fun);

    CppSQLite3DB m_db;
    QString m_failureCode;
};
