#include "import_commands.h"

#include "file_commands.h"

#include "exchange/backup.h"
#include "exchange/import_progress_window.h"
#include "exchange/srk_import.h"
#include "forms/prompter.h"
#include "main_window.h"
#include "storage/error_log.h"
#include "storage/paths.h"

namespace {

const QString kImportQuestion = QStringLiteral(
    "Import danych spowoduje nadpisanie pliku tymczasowego, proszę zapisać dane aktualnie "
    "edytowanych uczniów przed importem.\n\nCzy na pewno chcesz importować nowy plik ?");

// The refused pupils or cut texts a warning box names one by one.
constexpr int kFindingsShown = 8;

bool importConfirmed(TFGlowna& window) {
    return prompter().message(&window, kImportQuestion, QStringLiteral("Import"),
                              PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

void showError(TFGlowna& window) {
    prompter().message(&window, window.state().err.text(), QStringLiteral("Błąd"),
                       PromptIcon::Error, PromptButtons::Ok);
}

// No import replaces the working database before it is in the backup folder: without that copy
// the pupils not saved in a class file yet would be gone.
bool backedUpBeforeImport(TFGlowna& window) {
    ErrorStream& err = window.state().err;
    if (bFunBackupCopyFile(err)) return true;
    err << "\n\nNie można zrobić kopii bezpieczeństwa aktualnych danych, więc import nie został "
           "wykonany. Dane pozostają bez zmian.";
    showError(window);
    return false;
}

}  // namespace

void runSrkImportCommand(TFGlowna& window) {
    // Unsaved pupils are replaced only with the consent the grades 1-3 import asks for.
    if (window.state().dirty && !importConfirmed(window)) return;

    FileDialogRequest& dialog = window.openDialog();
    dialog.filter = QStringLiteral("Podstawowa 4-6 (*.srk)|*.srk");
    dialog.title = QStringLiteral("Import danych");
    const QString source = prompter().openFileName(&window, dialog);
    if (source.isEmpty()) return;

    ErrorStream& err = window.state().err;
    const QString workingDatabase = strFunGetTmpFilePath(err);
    if (workingDatabase.isEmpty()) {
        showError(window);
        return;
    }
    if (!backedUpBeforeImport(window)) return;

    SrkImportReport report;
    bool imported = false;
    {
        TFSQLImport progress(&window);
        progress.showNow();
        imported = bFunImportDataFromFile(err, source, workingDatabase, &progress, &report);
    }
    if (!imported) showError(window);

    // A source that could not be read changed nothing; otherwise the tree shows what was
    // imported, also when the import stopped part-way.
    if (!report.workingDatabaseReplaced) return;
    vFunShowWorkingDatabase(window, source, QString());
    const QString findings = strFunImportReportText(report);
    if (findings.isEmpty()) return;
    // The box must fit a laptop's screen; the log keeps every line.
    ErrorStream& notes = window.state().err;
    notes.clear();
    notes << findings << "\n\nPlik: " << source;
    vFunWriteLog(notes, QStringLiteral("Importuj1Click()"), kLogInfo);
    notes.clear();
    notes << strFunImportReportText(report, kFindingsShown)
          << "\n\nPełna lista jest zapisana w logach programu.";
    prompter().message(&window, notes.text(), QStringLiteral("Import danych"),
                       PromptIcon::Warning, PromptButtons::Ok);
}

void runGrades13ImportCommand(TFGlowna& window) {
    if (!importConfirmed(window)) return;
    window.setCurrentFilePath(QString());

    FileDialogRequest& dialog = window.openDialog();
    dialog.filter = QStringLiteral("Podstawowa 1-3 (*.lumk)|*.lumk");
    dialog.title = QStringLiteral("Importuj dane z SP 1-3");
    const QString source = prompter().openFileName(&window, dialog);
    if (source.isEmpty()) return;

    if (!bFunReplaceWorkingDatabase(window, source,
                                    QStringLiteral("ImportStudentsSP13ButtonClick()"),
                                    QStringLiteral("Dane uczniów nie zostały zaimportowane"),
                                    [&window] { return backedUpBeforeImport(window); }))
        return;
    vFunShowWorkingDatabase(window, source, QString());
}
