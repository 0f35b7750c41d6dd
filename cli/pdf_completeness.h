#pragma once

#include <QString>

// The PDF writer reports neither a failed write nor its cause, so a written PDF is checked by its
// own end (a complete PDF ends with its end-of-file marker) and a full disk named as the cause.

// True when the file system holding `path` has no space left.
bool bFunDiskFull(const QString& path);

// Empty when the PDF at `path` is complete; otherwise the reason it is not.
QString strFunIncompletePdfReason(const QString& path);
