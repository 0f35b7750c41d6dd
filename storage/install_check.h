#pragma once

#include "error_stream.h"

// Start-up installation: creates the directories and copies the shipped files that the
// catalogue "pliki_kat.sqset" in the installation directory lists.
bool bFunCheckFilesDir(ErrorStream& err);
