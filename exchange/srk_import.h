#pragma once

#include <QString>
#include <QStringList>

#include "storage/error_stream.h"
#include "storage/pupil_store.h"

// The import of a legacy class text file (".srk"): every pupil block becomes a pupil table of a
// class database. QtCore and storage only, so the window and the command line share it.

// The progress of a running import: the window shows it; the command line passes nothing.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    // A new step: the text for the window's step label, the bar at 0 with range 0..total.
    virtual void step(const QString& text, int total) = 0;
    virtual void advance() = 0;  // one record written
};

// What an import did beyond the error stream: the pupils written (display name "surname first
// name" + table name, file order) and, as Polish lines ready to show, the pupils refused (a block
// without PESEL, naming the file's line) and the names/values cut to the record widths (naming
// the pupil and the line).
struct SrkImportReport {
    StudentList imported;
    QStringList refusedPupils;
    QStringList shortened;
    bool anyPupilBlock = false;
    // bFunImportDataFromFile deleted the working database (the import then wrote what it could).
    bool workingDatabaseReplaced = false;
};

// "" when there is nothing to tell; otherwise one Polish text (counts + the lines above) that
// the window shows in a warning box and the command line writes to stderr. With `linesEach` not
// negative, each list names at most that many and then says how many more there are.
QString strFunImportReportText(const SrkImportReport& report, int linesEach = -1);

// Replaces the working database by the pupils of `source`: a missing or unreadable source
// changes nothing; otherwise the working database is deleted and the pupil blocks are written
// one by one (a failing pupil stops the import, the pupils before it stay). `progress` and
// `report` may be null.
bool bFunImportDataFromFile(ErrorStream& err, QString source, QString workingDatabase,
                            ImportProgress* progress = nullptr, SrkImportReport* report = nullptr);

// The same reading and writing into `target` as it is (an existing empty file is fine; nothing
// is deleted first): the command line writes into its temporary output file this way.
bool bFunImportSrkInto(ErrorStream& err, QString source, QString target,
                       ImportProgress* progress = nullptr, SrkImportReport* report = nullptr);
