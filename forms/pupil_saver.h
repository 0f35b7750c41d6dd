#pragma once

#include <QString>

// The main window's whole-pupil save, as the pupil dialog needs it.
struct PupilSaver {
    virtual ~PupilSaver() = default;
    // Saves the whole pupil (all forms) under "PESEL" + NrPesel, replacing `replacedTable` and
    // any table of the new name in one step. On failure shows `failureLead` followed by the
    // error text ("Błąd", error icon) and returns false.
    virtual bool savePupil(const QString& replacedTable, const QString& failureLead) = 0;
};
