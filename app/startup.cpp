#include "startup.h"

#include <QCheckBox>
#include <QFileInfo>

#include "file_commands.h"
#include "forms/prompter.h"
#include "main_window.h"
#include "update_command.h"
#include "storage/file_ops.h"
#include "storage/install_check.h"
#include "storage/settings_store.h"

namespace {

constexpr int kShortestCommandLineFile = 6;

void failStart(TFGlowna& window, const QString& lead) {
    prompter().message(&window, lead + window.state().err.text(), QStringLiteral("Błąd"),
                       PromptIcon::Error, PromptButtons::Ok);
    window.state().quit = true;
    window.close();
}

}  // namespace

void vFunInitMainWindow(TFGlowna& window) {
    ErrorStream& err = window.state().err;

    if (!bFunCheckFilesDir(err)) {
        failStart(window, QStringLiteral(
                              "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n\n"));
        return;
    }

    window.vFunSetWindowTitle();

    int importAlert = 0;
    if (!bFunSqlGetSettingsValue(err, QStringLiteral("import_alert"), importAlert)) {
        failStart(window, QStringLiteral("Błąd podczas próby odczytania ustawień.\n\n"));
        return;
    }
    if (importAlert != 0) {
        prompter().message(&window,
                           QStringLiteral("UWAGA !!!\n\nNastąpiła zmiana w plikach przechowujących "
                                          "dane. Stare pliki można wczytać poprzez funkcję import "
                                          "w menu plik."),
                           QString(), PromptIcon::Warning, PromptButtons::Ok);
        bFunSqlSettingWriteValue(err, QStringLiteral("import_alert"), 0);
    }

    const std::pair<const char*, QCheckBox*> switches[] = {
        {"strike_empty_fields", window.wykreskujPusteCheckBox()},
        {"print_without_dots", window.printNoDotsCheckBox()},
        {"word_wrap", window.cbWordWrap()},
    };
    for (const auto& [key, box] : switches) {
        int value = 0;
        // An unreadable switch keeps its laid-out state.
        if (bFunSqlGetSettingsValue(err, QString::fromUtf8(key), value))
            box->setChecked(value != 0);
    }

    window.state().quit = false;
    window.state().dirty = false;
    window.vFunUpdatePopupMenu();

    // Left by an earlier run; a file that cannot be deleted is replaced at the next open.
    bFunDeleteTmpFile(err);

    // Quietly, without waiting: the answer comes back only when there is something to offer.
    vFunUpdateCheck(window, true);
}

QString strFunCommandLineTail(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

void vFunOpenCommandLineFile(TFGlowna& window, const QString& tail) {
    if (tail.size() < kShortestCommandLineFile) return;
    const bool opened = QFileInfo(tail).isFile() && bFunWczytajPlikSwiadectw(window, tail);
    window.setCurrentFilePath(opened ? tail : QString());
}
