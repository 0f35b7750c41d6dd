#pragma once

#include <QString>

// One copy of the program per user. A running copy holds the lock file
// "ORVENTO-SEMRIK.lock" in the maker's folder of the user's data location for its whole run;
// the lock of a crashed copy is taken over (the lock records its owner's process id).

QString strFunInstanceLockPath();

// True when another copy is running; the user has then been told and this copy should end.
// Otherwise this copy holds the lock from now until the process ends.
bool bFunIsAlreadyRunning();
