#pragma once

#include <QString>

#include "storage/pupil_store.h"

// Reading a class file (".smrk") that the program did not make itself, for the commands that
// run without a window.

// Fills `students` (emptied first) with the pupils of the class file at `path`, in store order.
// False when the file is no class file: not a database, or a database of another program (it
// holds entries, none of them a pupil's).
bool bFunReadClassFile(const QString& path, StudentList& students);

// The message for a file that bFunReadClassFile refused.
QString strFunNotAClassFileMessage(const QString& path);
