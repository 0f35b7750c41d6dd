#pragma once

#include <QString>

#include "error_stream.h"

// File operations of the working database and of the shipped files. Failures record
// lastSystemErrorCode() for callers that compose their own message.

bool bFunDeleteTmpFile(ErrorStream& err);
bool bFunCopyFile(ErrorStream& err, QString source, QString target, bool failIfExists);
// Makes the file writable again; writes no message (callers compose theirs).
bool bFunClearFileAttributes(QString path);
void vFunReplaceAll(QString& text, QString find, QString replacement);
