#pragma once

#include <QByteArray>
#include <QString>

#include "storage/pupil_store.h"

// The order of pupils in the tree and in the class listing.

// The display name with ASCII letters upper-cased and the Polish letters replaced by their
// plain upper-case letters ("Żuraw A" -> "ZURAW A"), in Windows-1250 bytes, the way keys are
// compared: byte by byte, as unsigned values.
QByteArray pupilSortKey(const QString& displayName);

// Ascending by sort key; pupils with equal keys keep their order in `students`.
StudentList sortedForTree(StudentList students);
