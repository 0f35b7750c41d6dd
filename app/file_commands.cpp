#include "file_commands.h"

#include "class_file_check.h"
#include "document_output.h"
#include "pupil_transfer.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>

#include "forms/document_types.h"
#include "forms/form_registry.h"
#include "forms/prompter.h"
#include "main_window.h"
#include "storage/error_log.h"
#include "storage/file_problem.h"
#include "storage/file_ops.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

const QString kClassFileFilter = QStringLiteral("Podstawowa 4-6(*.smrk)|*.smrk");
const QString kSaveChangesQuestion = QStringLiteral("Czy chcesz zapisać zmiany ?");
const QString kNewFileFunction = QStringLiteral("Funkcja: vFunZapiszNowyPlikSwiadectw()\n\n");

// Records the message in the log under `function` and shows it.
void report(TFGlowna& window, const QString& function, const QString& caption, PromptIcon icon) {
    vFunWriteLog(window.state().err, function, kLogError);
    prompter().message(&window, window.state().err.text(), caption, icon, PromptButtons::Ok);
}

bool currentFileExists(const TFGlowna& window) {
    const QString path = window.currentFilePath();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool saveToCurrentOrNewFile(TFGlowna& window) {
    return currentFileExists(window) ? bFunZapiszIstniejacyPlikSwiadectw(window)
                                     : bFunZapiszNowyPlikSwiadectw(window);
}

// Beside the working database: the chosen class file while it is being checked.
constexpr const char* kStagedSuffix = ".wczytywany";

// A file may hold pupil tables the program cannot read; they stay in the file (a save copies
// the whole working database back), but the teacher has to know they are not in the tree.
void warnUnreadablePupils(TFGlowna& window, const QString& path,
                          const UnreadablePupilList& unreadable) {
    ErrorStream& err = window.state().err;
    err.clear();
    err << "Plik\n" << path
        << "\nzawiera dane uczniów, których program nie może odczytać ani pokazać na liście:\n";
    for (const UnreadablePupil& pupil : unreadable)
        err << "\n- tabela " << pupil.tableName << ": "
            << strFunUnreadableTableReason(pupil.reason) << " (" << pupil.reason << ")";
    err << "\n\nTe dane pozostają w pliku bez zmian, a zapisanie pliku ich nie usuwa.";
    report(window, QStringLiteral("bFunWczytajPlikSwiadectw()"), QStringLiteral("Uwaga"),
           PromptIcon::Warning);
}

// A new file shows the empty first certificate, so it does not keep the last pupil's preview.
void previewEmptyCertificate(TFGlowna& window) {
    bFunRenderDocumentPages(window, documentTypes().at(0), false);
}

}  // namespace

bool bFunReplaceWorkingDatabase(TFGlowna& window, const QString& path, const QString& function,
                                const QString& notLoaded,
                                const std::function<bool()>& beforeReplace) {
    ErrorStream& err = window.state().err;

    const QString tmp = strFunGetTmpFilePath(err);
    if (tmp.isEmpty()) {
        report(window, function, QStringLiteral("Błąd"), PromptIcon::Error);
        return false;
    }

    // Until the chosen file proves to be a class file, the class being edited stays as it was:
    // its path, tree, forms and unsaved working database.
    const QString staged = tmp + QLatin1String(kStagedSuffix);
    QString reason;
    if (!bFunStageClassFile(path, staged, reason)) {
        err.clear();
        err << "Nie można wczytać pliku:\n" << path << "\n\n" << reason << ".\n\n" << notLoaded
            << "; otwarte dane pozostają bez zmian.";
        report(window, function, QStringLiteral("Błąd"), PromptIcon::Error);
        return false;
    }
    if (beforeReplace && !beforeReplace()) {
        QFile::remove(staged);
        return false;
    }

    // From here on the previous class is gone; a failure leaves the state of a new file.
    if (!bFunDeleteTmpFile(err)) {
        QFile::remove(staged);
        prompter().message(&window, err.text(), QStringLiteral("Błąd"), PromptIcon::Error,
                           PromptButtons::Ok);
        vFunClearAll(window);
        return false;
    }
    if (!bFunMoveStagedClassFile(staged, tmp)) {
        err.clear();
        err << "Błąd kopiowania pliku\nz :" << path << "\ndo :" << tmp
            << "\nKod błędu: " << lastSystemErrorCode() << "\n" << notLoaded << ".";
        QFile::remove(staged);
        report(window, function, QStringLiteral("Błąd"), PromptIcon::Error);
        vFunClearAll(window);
        return false;
    }

    if (!bFunClearFileAttributes(tmp)) {
        err.clear();
        err << "Błąd podczas próby sprawdzenia atrybutów pliku.\n"
            << tmp
            << "\nJeśli plik posiada atrybut \"tylko do odczytu\" zapis danych nie będzie możliwy."
            << "\nKod błędu: " << lastSystemErrorCode();
        report(window, function, QStringLiteral("Błąd"), PromptIcon::Error);
    }
    return true;
}

void vFunShowWorkingDatabase(TFGlowna& window, const QString& source, const QString& currentFile) {
    // The forms held a pupil of the previous class, which may share a table name with one here.
    window.forms().clearAll();
    previewEmptyCertificate(window);
    window.setCurrentFilePath(currentFile);
    // The listing reports its own failure; the pupils that could be read are shown either way.
    UnreadablePupilList unreadable;
    if (bFunReloadPupilList(window, &unreadable) && !unreadable.isEmpty())
        warnUnreadablePupils(window, source, unreadable);
}

bool bFunWczytajPlikSwiadectw(TFGlowna& window, QString path) {
    ErrorStream& err = window.state().err;
    const QString function = QStringLiteral("bFunWczytajPlikSwiadectw()");
    if (!bFunReplaceWorkingDatabase(window, path, function,
                                    QStringLiteral("Dane świadectw nie zostały wczytane")))
        return false;

    // A read-only class file opens, but could not be saved over later.
    if (!bFunClearFileAttributes(path)) {
        err.clear();
        err << "Uwaga\nJeśli plik posiada atrybut \"tylko do odczytu\" zapis danych nie będzie "
               "możliwy."
            << "\nKod: " << lastSystemErrorCode();
        report(window, function, QStringLiteral("Uwaga"), PromptIcon::Warning);
    }
    vFunShowWorkingDatabase(window, path, path);
    return true;
}

bool bFunZapiszIstniejacyPlikSwiadectw(TFGlowna& window) {
    ErrorStream& err = window.state().err;
    const QString function = QStringLiteral("bFunZapiszIstniejacyPlikSwiadectw()");
    const QString target = window.currentFilePath();
    const QString tmp = strFunGetTmpFilePath(err);

    if (!bFunClearFileAttributes(target)) {
        err.clear();
        err << "Błąd podczas próby sprawdzenia atrybutów pliku\n"
            << target
            << "\nJeśli plik ma atrybut \"tylko do odczytu\"\nzapis danych nie będzie możliwy."
               "\nKod błędu: "
            << lastSystemErrorCode();
        report(window, function, QStringLiteral("Atrybuty"), PromptIcon::Warning);
    }

    if (!bFunReplaceFileSafely(tmp, target)) {
        err.clear();
        err << "Błąd kopiowania pliku z\n"
            << tmp << "\ndo:\n"
            << target << "\nKod błędu: " << lastSystemErrorCode()
            << "\n\nDane nie zostały zapisane.";
        report(window, function, QStringLiteral("Błąd"), PromptIcon::Error);
        return false;
    }
    return true;
}

bool bFunZapiszNowyPlikSwiadectw(TFGlowna& window) {
    ErrorStream& err = window.state().err;
    const QString function = QStringLiteral("bFunZapiszNowyPlikSwiadectw()");

    FileDialogRequest& dialog = window.saveDialog();
    dialog.filter = kClassFileFilter;
    dialog.title = QStringLiteral("Zapisz plik");
    const QString target = prompter().saveFileName(&window, dialog);
    if (target.isEmpty()) return false;

    const bool targetExists = QFileInfo::exists(target);
    if (targetExists &&
        prompter().message(&window,
                           QStringLiteral("Wybrany plik już istnieje.\nCzy chcesz zastąpić "
                                          "istniejący plik ?"),
                           QStringLiteral("Zapisz"), PromptIcon::Question,
                           PromptButtons::YesNo) != PromptAnswer::Yes) {
        return false;
    }
    if (targetExists && !bFunClearFileAttributes(target)) {
        err.clear();
        err << kNewFileFunction << "Błąd podczas próby sprawdzenia atrybutów pliku\n"
            << target
            << "\nJeśli plik ma atrybut \"tylko do odczytu\"\nzapis danych nie będzie możliwy."
               "\nKod błędu: "
            << lastSystemErrorCode();
        report(window, function, QStringLiteral("Atrybuty"), PromptIcon::Warning);
    }

    const QString tmp = strFunGetTmpFilePath(err);
    // A new file without pupils has no working database yet; it is saved as an empty file.
    if (!tmp.isEmpty() && !QFileInfo::exists(tmp)) {
        QFile empty(tmp);
        if (empty.open(QIODevice::WriteOnly | QIODevice::NewOnly)) empty.close();
    }

    if (!bFunReplaceFileSafely(tmp, target)) {
        err.clear();
        err << kNewFileFunction << "Błąd podczas próby kopiowania pliku\nz\n"
            << tmp << "\ndo\n"
            << target << "\nKod błędu: " << lastSystemErrorCode()
            << "\n\nDane nie zostały zapisane.";
        report(window, function, QStringLiteral("Atrybuty"), PromptIcon::Warning);
        return false;
    }

    window.setCurrentFilePath(target);
    return true;
}

void vFunClearAll(TFGlowna& window) {
    window.treeView()->clear();
    window.setCurrentFilePath(QString());
    // A working database that resists deletion is replaced by the next open anyway.
    bFunDeleteTmpFile(window.state().err);
    window.forms().clearAll();
    previewEmptyCertificate(window);
}

void runNewFileCommand(TFGlowna& window) {
    if (window.state().dirty &&
        prompter().message(&window, kSaveChangesQuestion, QStringLiteral("Edycja"),
                           PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes &&
        !saveToCurrentOrNewFile(window)) {
        return;  // the work was not saved, so it is kept
    }
    vFunClearAll(window);
}

void runOpenFileCommand(TFGlowna& window) {
    if (window.state().dirty &&
        prompter().message(&window, kSaveChangesQuestion, QString(), PromptIcon::None,
                           PromptButtons::YesNo) == PromptAnswer::Yes) {
        // Work the user wanted saved but that was not saved stays open rather than being replaced.
        if (!runSaveCommand(window)) return;
    }

    FileDialogRequest& dialog = window.openDialog();
    dialog.filter = kClassFileFilter;
    dialog.title = QStringLiteral("Wczytaj plik");
    const QString path = prompter().openFileName(&window, dialog);
    if (path.isEmpty()) return;

    bFunWczytajPlikSwiadectw(window, path);
}

bool runSaveCommand(TFGlowna& window) {
    // Only a save that happened clears the flag: after a cancelled or failed save, closing the
    // program must still offer to save the work.
    if (!saveToCurrentOrNewFile(window)) return false;
    window.state().dirty = false;
    return true;
}

void runSaveAsCommand(TFGlowna& window) {
    bFunZapiszNowyPlikSwiadectw(window);
}
