#include "program_windows.h"

#include <QWidget>

#include "app_info.h"
#include "diagnostics/about_window.h"
#include "diagnostics/wait_window.h"
#include "forms/form_registry.h"
#include "forms/pupil_dialog.h"
#include "main_window.h"

namespace {

using WindowFactory = QWidget* (*)(TFGlowna& main);

// After the main window, in this order: TFDaneUcznia, TFKalibracja, TFDaneSzkoly, TFDrukuj,
// TFWait, TFOProgramie, TFLogi, TFWywiadowka, TFAktualizacja, the certificate and grade-sheet
// forms, TFSQLImport, TFBackupFiles. Each window takes its place in this list when it exists.
const WindowFactory kWindowsAfterMain[] = {
    [](TFGlowna& main) -> QWidget* {
        return new TFDaneUcznia(main.forms().pupil(), main, main.state().err, &main);
    },
    [](TFGlowna& main) -> QWidget* { return new TFWait(&main); },
    [](TFGlowna& main) -> QWidget* {
        return new TFOProgramie(app_info::applicationTitle(), app_info::versionText(), &main);
    },
};

}  // namespace

std::unique_ptr<TFGlowna> createProgramWindows() {
    auto main = std::make_unique<TFGlowna>();
    for (WindowFactory create : kWindowsAfterMain) create(*main);
    return main;
}
