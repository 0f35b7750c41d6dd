#pragma once

#include <QString>

#include "error_stream.h"

// File operations of the working database and of the shipped files. Failures record
// lastSystemErrorCode() for callers that compose their own message.

bool bFunDeleteTmpFile(ErrorStream& err);
// Removes a database file together with a journal a crash may have left beside it (which would
// otherwise be played back into the next database of that name). A missing file is no error;
// writes no message.
bool bFunRemoveDatabaseFile(QString path);
bool bFunCopyFile(ErrorStream& err, QString source, QString target, bool failIfExists);
// Makes the file writable again; writes no message (callers compose theirs).
bool bFunClearFileAttributes(QString path);
void vFunReplaceAll(QString& text, QString find, QString replacement);
