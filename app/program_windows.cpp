#include "program_windows.h"

#include <QWidget>

#include "app_info.h"
#include "calibration_dialog.h"
#include "diagnostics/about_window.h"
#include "diagnostics/log_window.h"
#include "diagnostics/update_window.h"
#include "diagnostics/wait_window.h"
#include "forms/certificate_window.h"
#include "forms/document_window.h"
#include "forms/form_registry.h"
#include "forms/grade_sheet_family.h"
#include "forms/grade_sheet_window.h"
#include "forms/meeting_note.h"
#include "forms/meeting_note_window.h"
#include "forms/pupil_dialog.h"
#include "forms/school_data_dialog.h"
#include "forms/school_template.h"
#include "forms/sheet_certificate_load.h"
#include "main_window.h"
#include "render/editing_layout.h"
#include "render/print_dialog.h"

namespace {

using WindowFactory = QWidget* (*)(TFGlowna& main);

// The certificate windows' faces, kept by the main window for the run (the calibration dialog
// asks it to rebuild them).
EditingLayouts& editingLayouts(TFGlowna& main) {
    auto* layouts = main.findChild<EditingLayouts*>(QString(), Qt::FindDirectChildrenOnly);
    return layouts ? *layouts : *new EditingLayouts(&main);
}

// The window's template button fills the document's school fields from the template.
DocumentWindow* withTemplateFill(TFGlowna& main, DocumentWindow* window) {
    if (window) {
        window->setTemplateAction([&main, window](FormModel& document) {
            vFunFillDocumentFromTemplate(window, main.forms(), document);
        });
    }
    return window;
}

// A certificate's window over its model; "OK" saves the pupil the forms hold, the template
// button fills the school fields from the school-data template.
QWidget* certificateWindow(TFGlowna& main, const char* windowName) {
    FormModel* form = main.forms().forModel(QString::fromLatin1(windowName));
    if (!form) return nullptr;
    return withTemplateFill(main, createCertificateWindow(*form, editingLayouts(main).layoutFor(*form), main,
                                                          [&main] { return main.forms().pupilTable(); },
                                                          &main));
}

// A grade-sheet page's window over its model. Year pages load a column from the pupil's
// certificates as the forms hold them.
QWidget* gradeSheetWindow(TFGlowna& main, const char* windowName) {
    FormModel* form = main.forms().forModel(QString::fromLatin1(windowName));
    const GradeSheetMember* member = gradeSheetMember(QString::fromLatin1(windowName));
    if (!form || !member) return nullptr;
    GradeSheetWindowOptions options{member->windowTitle, member->titlePage(), {}, member->columns};
    for (const GradeSheetMember::CertificateChoice& choice : member->certificateChoices)
        options.certificateChoices << choice.caption;
    auto* window = createGradeSheetWindow(*form, options, editingLayouts(main).layoutFor(*form), main,
                                          [&main] { return main.forms().pupilTable(); }, {}, &main);
    if (auto* yearPage = qobject_cast<YearPageWindow*>(window)) {
        yearPage->setLoadFromCertificate([&main, yearPage, form](int certificate, int column) {
            WczytajDaneZSwiadectwa(yearPage, main.forms(), *form, certificate, column);
        });
        return window;
    }
    return withTemplateFill(main, window);  // a title page
}

QWidget* meetingNoteWindow(TFGlowna& main) {
    FormModel* form = main.forms().forModel(QString::fromLatin1(kMeetingNoteWindow));
    if (!form) return nullptr;
    return withTemplateFill(main, createMeetingNoteWindow(*form, QString::fromUtf8(kMeetingNoteTitle),
                                                          editingLayouts(main).layoutFor(*form), main,
                                                          [&main] { return main.forms().pupilTable(); },
                                                          &main));
}

// After the main window, in this order: TFDaneUcznia, TFKalibracja, TFDaneSzkoly, TFDrukuj,
// TFWait, TFOProgramie, TFLogi, TFWywiadowka, TFAktualizacja, the certificate and grade-sheet
// forms, TFSQLImport, TFBackupFiles. Each window takes its place in this list when it exists.
const WindowFactory kWindowsAfterMain[] = {
    [](TFGlowna& main) -> QWidget* {
        return new TFDaneUcznia(main.forms().pupil(), main, main.state().err, &main);
    },
    [](TFGlowna& main) -> QWidget* { return new TFKalibracja(main); },
    [](TFGlowna& main) -> QWidget* { return new TFDaneSzkoly(main.forms(), &main); },
    [](TFGlowna& main) -> QWidget* { return new TFDrukuj(&main); },
    [](TFGlowna& main) -> QWidget* { return new TFWait(&main); },
    [](TFGlowna& main) -> QWidget* {
        return new TFOProgramie(app_info::applicationTitle(), app_info::versionText(), &main);
    },
    [](TFGlowna& main) -> QWidget* { return new TFLogi(main.state().err, &main); },
    [](TFGlowna& main) { return meetingNoteWindow(main); },
    [](TFGlowna& main) -> QWidget* { return new TFAktualizacja(&main); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa5a"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa5awyr"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa5"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa5wyr"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKonieca"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKoniecawyr"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr1b"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr8b"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr7"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa4"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa4wyr"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa4awyr"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKlasa4a"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKoniec"); },
    [](TFGlowna& main) { return certificateWindow(main, "TFKoniecwyr"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr1"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr6"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr8"); },
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr7b"); },
    // TFSQLImport
    [](TFGlowna& main) { return gradeSheetWindow(main, "TFArkuszStr6b"); },
    // TFBackupFiles
};

}  // namespace

std::unique_ptr<TFGlowna> createProgramWindows() {
    auto main = std::make_unique<TFGlowna>();
    for (WindowFactory create : kWindowsAfterMain) create(*main);
    return main;
}
