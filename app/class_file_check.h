#pragma once

#include <QString>

// Opening a class file replaces the working database, and with it the class being edited. So the
// chosen file is first copied beside the working database and listed there: only a file that
// lists as a class replaces anything, and the user's file is never written by the check.

// Copies the class file at `path` to `staged` and lists its pupils there. True when it is a
// readable class file; otherwise false with a Polish sentence in `reason` saying why, and no
// `staged` file left behind.
bool bFunStageClassFile(const QString& path, const QString& staged, QString& reason);

// Renames the checked copy over `target`, which must not exist any more. False with
// lastSystemErrorCode() set when the rename fails.
bool bFunMoveStagedClassFile(const QString& staged, const QString& target);
