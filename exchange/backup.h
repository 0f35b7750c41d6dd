#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "storage/error_stream.h"

// Automatic copies of the working database into the backup folder of the program data
// directory, the ten newest kept. A copy is an ordinary class file, named from the local time of
// the copy, so names sort in time order.

inline constexpr const char* kBackupDirName = "backup";
inline constexpr int kBackupsKept = 10;

// The backup folder (program data directory + "backup"), with a trailing "/"; "" with the
// message in `err` when the data directory cannot be had. The folder is not created here.
QString strFunGetBackupDirPath(ErrorStream& err);

// "2014-06-09_100000.smrk" for 9 June 2014, 10:00:00 (the year as it is, the rest two digits).
QString strFunBackupFileName(const QDateTime& localTime);

// Every entry of `dir` but "." and ".." (files, folders and hidden entries alike), greatest name
// first, names compared byte by byte; empty when the folder cannot be listed.
QStringList backupEntryNames(const QString& dir);

enum class BackupOutcome {
    Copied,
    NoWorkingDatabase,  // no class open: nothing to back up
    Unchanged,          // identical to the newest copy, which stays the newest
    Busy,               // the working database is in the middle of a write; the next tick copies
    Failed,
};

// One backup of the working database, named from program_clock::now(), then the folder pruned
// to the ten greatest names (deletions that fail are ignored). True also when there was nothing
// to do (`outcome`, when given, says which). False with the message in `err`, already logged,
// when the folder cannot be made or the copy fails. The copy goes through a temporary file, so an
// interrupted copy never leaves half a backup under a backup's name.
bool bFunBackupCopyFile(ErrorStream& err, BackupOutcome* outcome = nullptr);
