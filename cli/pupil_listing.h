#pragma once

#include "storage/pupil_store.h"

// Writes the pupils to stdout in tree order, one per line: display name, a tab and the table
// name, in UTF-8. A listing that did not arrive whole is said on stderr; false then.
bool bFunPrintPupilListing(const StudentList& pupils);
