#pragma once

#include <QString>

class QWidget;
class ErrorStream;
struct FileDialogRequest;

// The main window's backup timer: one copy of the working database. A box (caption "Błąd")
// shows only when the copy failed, and never a second one while the first is still open.
void runBackupTimerTick(QWidget* parent, ErrorStream& err);

// "Odyskaj dane z kopii zapasowej": the user chooses a copy in "Kopie bezpieczeństwa" and a file
// to save it as (the shared save dialog `saveDialog`); the copy then replaces that file through a
// temporary file. Nothing is opened; a failed copy is reported with caption "Atrybuty".
// `backupChosen` and `chosenBackupPath` receive the choice made in the dialog.
void runBackupRecoveryCommand(QWidget* parent, ErrorStream& err, FileDialogRequest& saveDialog,
                              bool& backupChosen, QString& chosenBackupPath);
