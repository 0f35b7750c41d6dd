#include "pupil_transfer.h"

#include <QFileInfo>

#include "diagnostics/wait_window.h"
#include "forms/form_registry.h"
#include "forms/prompter.h"
#include "forms/pupil_dialog_logic.h"
#include "main_window.h"
#include "pupil_order.h"
#include "pupil_tree.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"

namespace {

const QString kErrorCaption = QStringLiteral("Błąd");

void showError(TFGlowna& window, const QString& text) {
    prompter().message(&window, text, kErrorCaption, PromptIcon::Error, PromptButtons::Ok);
}

// The wait window goes away however the save ends.
class WaitWindowShown {
public:
    explicit WaitWindowShown(TFWait* wait) : m_wait(wait) {
        if (m_wait) m_wait->showNow();
    }
    ~WaitWindowShown() {
        if (m_wait) m_wait->close();
    }
    WaitWindowShown(const WaitWindowShown&) = delete;
    WaitWindowShown& operator=(const WaitWindowShown&) = delete;

    void setItemCount(qsizetype count) {
        if (m_wait) m_wait->setItemCount(static_cast<int>(count));
    }
    void advance() {
        if (m_wait) m_wait->advance();
    }

private:
    TFWait* m_wait;
};

}  // namespace

bool bFunReloadPupilList(TFGlowna& window, UnreadablePupilList* unreadable) {
    ErrorStream& err = window.state().err;
    const QString path = strFunGetTmpFilePath(err);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;

    StudentList& students = window.studentList();
    students.clear();
    if (!bFunGetStudentsList(err, path, students, unreadable)) {
        showError(window, QStringLiteral("Błąd podczas próby wczytania listy uczniów"));
        return false;
    }
    window.vFunBuildStudentTree();
    return true;
}

void vFunBuildPupilTree(TFGlowna& window) {
    vFunFillPupilTree(*window.treeView(), sortedForTree(window.studentList()));
}

bool bFunLoadPupil(TFGlowna& window, const QString& table) {
    MainWindowState& state = window.state();
    state.records.clear();
    const QString path = strFunGetTmpFilePath(state.err);
    if (!bFunLoadCertData(state.err, path, table, state.records)) {
        showError(window,
                  QStringLiteral("Błąd podczas próby wczytania danych.\n\n") + state.err.text());
        return false;
    }
    window.forms().applyPupil(state.records, table);
    return true;
}

bool bFunSavePupil(TFGlowna& window, const QString& replacedTable, const QString& failureLead) {
    MainWindowState& state = window.state();
    bool saved = false;
    QString table;
    {
        WaitWindowShown wait(window.programWindow<TFWait>());
        window.forms().collectAll(state.records);
        wait.setItemCount(state.records.size());
        table = pupilTableName(window.forms().pupil());
        const QString path = strFunGetTmpFilePath(state.err);
        saved = bFunReplaceCertData(state.err, path, replacedTable, table, state.records,
                                    [&wait] { wait.advance(); });
    }
    if (!saved) {
        showError(window, failureLead + state.err.text());
        return false;
    }
    window.forms().setPupilTable(table);
    window.bFunReloadStudentList();
    return true;
}
