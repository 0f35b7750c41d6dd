#include "pupil_commands.h"

#include <QDialog>
#include <QScopeGuard>
#include <QTreeWidget>

#include "document_output.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/prompter.h"
#include "forms/pupil_dialog.h"
#include "main_window.h"
#include "pupil_tree.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"
#include "storage/settings_store.h"

namespace {

const QString kNoSelectionCaption = QStringLiteral("Brak wyboru");

void warnNothingSelected(TFGlowna& window, const QString& text) {
    prompter().message(&window, text, kNoSelectionCaption, PromptIcon::Warning, PromptButtons::Ok);
}

void warnNoPupilSelected(TFGlowna& window) {
    warnNothingSelected(window, QStringLiteral("Nie wybrano ucznia z listy"));
}

// A window created at start-up, found by its class name ("TFKlasa4a"): its single instance
// carries the name with "F" for "TF" ("FKlasa4a"). nullptr while that window does not exist.
QDialog* programDialog(const TFGlowna& window, const QString& windowName) {
    const QString instanceName = windowName.mid(1);
    return window.findChild<QDialog*>(instanceName, Qt::FindDirectChildrenOnly);
}

// The keyboard moves the selection without loading, so the forms may hold another pupil than
// the selected one; a command that edits or prints the selection must not act on that one.
bool selectedPupilLoaded(TFGlowna& window) {
    const QString table = selectedPupilTable(*window.treeView());
    if (!table.isEmpty() && table == window.forms().pupilTable()) return true;
    return window.bFunLoadStudentData(table);
}

// A new pupil's promotion certificates start with "ę" as the ending of the promotion line.
// Models without components ignore the write until their certificate is described.
void presetPromotionEnding(FormRegistry& forms) {
    static const char* const certificates[] = {"TFKlasa4a", "TFKlasa5a", "TFKlasa4", "TFKlasa5"};
    for (const char* name : certificates) {
        if (FormModel* model = forms.forModel(QString::fromLatin1(name)))
            model->setText(QStringLiteral("ZMIENNA_PromocjiE_STR1_DATA_EDIT"), QStringLiteral("ę"));
    }
}

}  // namespace

void vFunTreeClick(TFGlowna& window) {
    if (window.strFunGetSelectedText(true).isEmpty()) return;
    if (!window.bFunLoadStudentData(selectedPupilTable(*window.treeView()))) return;
    if (const DocumentType* type = documentTypeForCaption(window.strFunGetSelectedText(false)))
        bFunRenderDocumentPages(window, *type, false);
    window.vFunUpdatePopupMenu();
}

void vFunAddPupil(TFGlowna& window) {
    window.state().dirty = true;
    auto* dialog = window.programWindow<TFDaneUcznia>();
    if (dialog) {
        dialog->setMode(PupilDialogMode::Add);
        dialog->setOldTableName(QString());
    }
    window.forms().clearAll();
    presetPromotionEnding(window.forms());
    if (dialog) dialog->exec();
    window.bFunReloadStudentList();
}

void vFunEditPupilData(TFGlowna& window) {
    window.state().dirty = true;
    if (window.strFunGetSelectedText(true).isEmpty()) {
        warnNoPupilSelected(window);
        return;
    }
    if (!selectedPupilLoaded(window)) return;
    auto* dialog = window.programWindow<TFDaneUcznia>();
    if (!dialog) return;
    const QString table = window.forms().pupilTable();
    dialog->setOldTableName(table);
    dialog->setMode(PupilDialogMode::Edit);
    // Changes the user dropped must not stay in the forms, where the next OK of a document
    // would save them: the pupil comes back as stored.
    if (dialog->exec() != QDialog::Accepted) window.bFunLoadStudentData(table);
}

void vFunDeletePupil(TFGlowna& window) {
    MainWindowState& state = window.state();
    state.dirty = true;
    const QString name = window.strFunGetSelectedText(true);
    if (name.isEmpty()) {
        warnNoPupilSelected(window);
        return;
    }
    const PromptAnswer answer = prompter().message(
        &window, QStringLiteral("Czy na pewno chcesz skasować dane ucznia: \n") + name,
        QStringLiteral("Usuń"), PromptIcon::Warning, PromptButtons::YesNo);
    if (answer == PromptAnswer::Yes) {
        // Only the selected pupil goes, even when another one bears the same name.
        const QString table = selectedPupilTable(*window.treeView());
        const QString path = strFunGetTmpFilePath(state.err);
        // A failed drop shows itself: the pupil stays in the reloaded tree.
        bFunDeleteTable(state.err, path, table);
        // The forms must not go on holding a pupil that is gone: an OK would bring it back.
        if (table == window.forms().pupilTable()) window.forms().clearAll();
    }
    window.bFunReloadStudentList();
}

void vFunEditDocument(TFGlowna& window) {
    MainWindowState& state = window.state();
    int templateMissing = 0;
    if (!bFunSqlGetSettingsValue(state.err, QStringLiteral("create_school_data_template"),
                                 templateMissing)) {
        prompter().message(&window, QStringLiteral("Błąd uzyskania zmiennej z pliku ustawień"),
                           QStringLiteral("Błąd"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    if (templateMissing != 0 &&
        prompter().message(&window,
                           QStringLiteral("Szablon danych szkoły nie został jeszcze utworzony.\n"
                                          "Czy chcesz utworzyć szablon teraz ?"),
                           QStringLiteral("Szablon"), PromptIcon::Question,
                           PromptButtons::YesNo) == PromptAnswer::Yes) {
        if (QDialog* schoolData = programDialog(window, QStringLiteral("TFDaneSzkoly")))
            schoolData->exec();
    }

    state.dirty = true;
    state.currentPupilName = window.strFunGetSelectedText(true);
    state.currentDocumentCaption = window.strFunGetSelectedText(false);
    if (state.currentDocumentCaption.isEmpty()) {
        warnNothingSelected(window, QStringLiteral("Nie wybrano świadectwa z listy"));
        return;
    }
    const QString table = selectedPupilTable(*window.treeView());
    const DocumentType* type = documentTypeForCaption(state.currentDocumentCaption);
    QDialog* form = type ? programDialog(window, type->formName) : nullptr;
    if (form && selectedPupilLoaded(window)) form->exec();

    // The form's save rebuilds the tree; the same document of the same pupil comes back
    // selected, reloaded from the store and shown.
    QTreeWidget& tree = *window.treeView();
    QTreeWidgetItem* node = findDocumentNode(tree, table, state.currentDocumentCaption);
    tree.clearSelection();
    if (!node) return;
    tree.setCurrentItem(node);
    window.TreeViewClick();
}

void vFunPrintDocument(TFGlowna& window) {
    // The marks are for paper only: however the command ends, the next rendering starts
    // without the print flag.
    const auto clearPrintFlag = qScopeGuard([&window] { window.state().print = false; });
    const QString caption = window.strFunGetSelectedText(false);
    if (caption.isEmpty()) {
        warnNothingSelected(window, QStringLiteral("Zaznacz świadectwo które chciesz wydrukować"));
        return;
    }
    if (const DocumentType* type = documentTypeForCaption(caption)) {
        // Pages that could not be drawn whole would print blank or incomplete: the failure has
        // been shown instead.
        if (selectedPupilLoaded(window) && bFunRenderDocumentPages(window, *type, true))
            vFunShowPrintDialog(window);
    }
}
