#pragma once

#include <QString>

class ErrorStream;
class PupilModel;
class QWidget;
struct PupilSaver;

// What the pupil dialog does when it opens and when "OK" is pressed, apart from the window.

enum class PupilDialogMode { Add, Edit };

// Failure lead texts of the whole-pupil save, by mode.
extern const QString kPupilAddFailedLead;   // "Błąd zapisu danych.\n\n"
extern const QString kPupilEditFailedLead;  // "Błąd podczas próby zapisu danych do pliku, ..."

// The outcome of "OK".
struct PupilConfirmation {
    bool saved = false;      // the dialog closes
    QString focusComponent;  // the field at fault when a value is missing or not allowed
};

// "PESEL" followed by the pupil's PESEL number.
QString pupilTableName(const PupilModel& pupil);

// Adds town and province to their lists, checks the required fields and the PESEL, capitalises
// the names and saves through `saver`, asking first when the save would replace another pupil.
// `oldTable` is the pupil's table when the dialog opened (edit mode only).
PupilConfirmation confirmPupil(PupilModel& pupil, PupilDialogMode mode, const QString& oldTable,
                               PupilSaver& saver, ErrorStream& err, QWidget* parent);

// Refills the town and province suggestions from the settings database, in Polish alphabetical
// order. A list that cannot be read is reported and left empty; nothing else stops.
void fillPlaceLists(PupilModel& pupil, ErrorStream& err, QWidget* parent);
