#pragma once

#include <QString>

// Opening a class file replaces the working database, and with it the class being edited. So the
// chosen file is first read where it lies, read-only (nothing is written to it), and copied
// beside the working database: only a readable class file that copied whole replaces anything.

// Reads the catalogue of the class file at `path` and copies the file to `staged`. True when it
// is a readable class file; otherwise false with a Polish reason (no full stop) in `reason`, and
// no `staged` file left behind.
bool bFunStageClassFile(const QString& path, const QString& staged, QString& reason);

// Renames the checked copy over `target`, which must not exist any more. False with
// lastSystemErrorCode() set when the rename fails.
bool bFunMoveStagedClassFile(const QString& staged, const QString& target);
