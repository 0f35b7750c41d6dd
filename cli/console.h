#pragma once

#include <QString>

#include <cstdio>

// The standard streams of a command-line run. A write that does not reach its stream is a
// failure of the run: a listing sent to a full disk or a closed descriptor must not exit 0.

// Run first: a standard descriptor that the caller closed is taken by /dev/null opened for
// reading, so no file the run opens later gets descriptor 1 or 2 (a listing written "to stdout"
// would land in it), while writes to the stream still fail and are noticed.
void vFunGuardStandardStreams();

// Writes `text` to `stream` in UTF-8 and flushes it; false when any of it did not arrive
// (errno then says why).
bool bFunWriteConsole(std::FILE* stream, const QString& text);

// The Polish reason for a failed write to a standard stream, from errno.
QString strFunConsoleErrorReason(int code);
