#pragma once

#include <QString>

#include "storage/pupil_store.h"

class TFGlowna;

// Moving pupils between the working database, the tree and the forms.

// Reads the pupils of the working database into the window's student list and rebuilds the
// tree. False, with the tree left as it was, when the working database is absent or its
// listing fails (the latter is shown to the user). Pupil tables that cannot be read are left
// out of the tree and, when `unreadable` is given, appended to it.
bool bFunReloadPupilList(TFGlowna& window, UnreadablePupilList* unreadable = nullptr);

// Rebuilds the tree from the window's student list, in sort-key order.
void vFunBuildPupilTree(TFGlowna& window);

// Loads the pupil stored in `table` into every form; a failure is shown to the user and leaves
// the forms as they were.
bool bFunLoadPupil(TFGlowna& window, const QString& table);

// Saves the whole pupil (every form) under "PESEL" + the pupil's PESEL, replacing
// `replacedTable` in the same transaction, with the wait window showing the progress. On
// success the tree is reloaded; on failure `failureLead` and the error are shown, and the
// tables are as they were before.
bool bFunSavePupil(TFGlowna& window, const QString& replacedTable, const QString& failureLead);
