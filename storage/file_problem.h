#pragma once

#include <QByteArray>
#include <QString>

// Why a file the user named cannot be used, as a short Polish reason (capitalised, no full stop)
// that the caller shows with the path. Each cause has its own reason, so the user learns what
// to do about it rather than that "something" is wrong with the file. Empty: nothing found.

// A file to read: missing, a directory, not a regular file, or not readable by this user.
QString strFunReadProblem(const QString& path);

// A file to write (created, or replaced through a temporary file beside it): an existing
// directory or other non-regular file, a read-only file, a missing or unwritable directory.
// Symbolic links are followed, as the replacement follows them.
QString strFunWriteProblem(const QString& path);

// A file that opened but could not be read as a database, by the engine's code name
// ("SQLITE_BUSY", "SQLITE_NOTADB", "SQLITE_READONLY_ROLLBACK", ...).
QString strFunDatabaseProblem(const QString& codeName);

// Why one pupil table of an otherwise readable class file could not be read, by the engine's
// code name ("SQLITE_CORRUPT": "uszkodzona zawartość tabeli"). Starts in lower case: it follows
// the table's name. Callers show the code beside it for whoever helps.
QString strFunUnreadableTableReason(const QString& codeName);

// The reason for a failed system call's error code (errno).
QString strFunSystemErrorReason(int code);

// True when both paths name one existing file: the same device and inode, whatever links or
// spellings lead there.
bool bFunSameFile(const QString& first, const QString& second);

// True when a file name as the system passed it (raw bytes) is valid UTF-8. Other names cannot
// be carried in a QString unchanged, so the file they name cannot be reached through one.
bool bFunIsUtf8Name(const QByteArray& nativeName);

// The reason for a name that failed bFunIsUtf8Name.
QString strFunNotUtf8NameReason();
