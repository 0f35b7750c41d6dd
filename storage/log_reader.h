#pragma once

#include <QList>
#include <QString>

#include "error_stream.h"

// Reading the error log back for the log viewer: the rows of the table `error`, as written.
struct LogEntry {
    QString datetime;
    QString fun;
    QString info;
};

// Appends every row of `error` to `entries` in stored order (oldest first); a NULL value reads
// as "". Texts are kept whole, however long: the log is there to be read in full.
// False, with `entries` untouched, when there is no log database (no message) or it cannot be
// read (message in `err`, logged). A log holding no `error` table yet has no errors to show: true.
bool bFunSqlGetLogsData(ErrorStream& err, QList<LogEntry>& entries);
