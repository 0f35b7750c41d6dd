#include "backup_commands.h"

#include <QFileInfo>

#include "backup.h"
#include "backup_files_dialog.h"
#include "forms/prompter.h"
#include "storage/error_log.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

// The dialog is made once, as the parent's child, like the program's other windows.
TFBackupFiles& backupFilesDialog(QWidget* parent) {
    if (parent) {
        if (auto* existing = parent->findChild<TFBackupFiles*>(QString(), Qt::FindDirectChildrenOnly))
            return *existing;
    }
    return *new TFBackupFiles(parent);
}

}  // namespace

void runBackupTimerTick(QWidget* parent, ErrorStream& err) {
    // The box is modal, yet the timer keeps firing under it: a teacher away from the desk would
    // come back to a pile of identical boxes.
    static bool boxShown = false;
    if (bFunBackupCopyFile(err) || boxShown) return;
    boxShown = true;
    prompter().message(parent, err.text(), QStringLiteral("Błąd"), PromptIcon::Error,
                       PromptButtons::Ok);
    boxShown = false;
}

void runBackupRecoveryCommand(QWidget* parent, ErrorStream& err, FileDialogRequest& saveDialog,
                              bool& backupChosen, QString& chosenBackupPath) {
    backupChosen = false;
    TFBackupFiles& dialog = backupFilesDialog(parent);
    dialog.exec();
    backupChosen = dialog.backupChosen();
    chosenBackupPath = dialog.chosenBackupPath();
    if (!backupChosen) return;

    saveDialog.title = QStringLiteral("Zapisz dane z kopii");
    saveDialog.filter = QStringLiteral("Podstawowa 4-6(*.smrk)|*.smrk");
    saveDialog.defaultExtension = QStringLiteral("smrk");
    const QString target = prompter().saveFileName(parent, saveDialog);
    if (target.isEmpty()) return;

    if (QFileInfo::exists(target) &&
        prompter().message(parent,
                           QStringLiteral("Plik o takiej nazwie już istnieje, czy chcesz nadpisać "
                                          "istniejący plik ?"),
                           QStringLiteral("Duplikat"), PromptIcon::Warning,
                           PromptButtons::YesNoDefaultNo) != PromptAnswer::Yes) {
        return;
    }

    if (bFunReplaceFileSafely(chosenBackupPath, target)) return;
    const int code = lastSystemErrorCode();
    err.clear();
    err << "Funkcja: btnRecoverFromBackupFile()\n\n"
        << "Błąd podczas próby kopiowania pliku\nz\n"
        << chosenBackupPath << "\ndo\n"
        << target << "\nKod błędu: " << code << "\n\nDane nie zostały zapisane.";
    vFunWriteLog(err, QStringLiteral("btnRecoverFromBackupFile()"), kLogError);
    prompter().message(parent, err.text(), QStringLiteral("Atrybuty"), PromptIcon::Warning,
                       PromptButtons::Ok);
}
