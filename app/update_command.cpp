#include "update_command.h"

#include <QTimer>

#include "app_info.h"
#include "diagnostics/update_check.h"
#include "diagnostics/update_server.h"
#include "diagnostics/update_window.h"
#include "forms/prompter.h"
#include "main_window.h"

namespace {

ProgramVersion ownVersion() {
    return ProgramVersion{app_info::kVersionMajor, app_info::kVersionMinor, app_info::kVersionRelease};
}

void offerDownload(TFGlowna& window, const ProgramVersion& own, const ProgramVersion& offered,
                   const QString& versions) {
    const PromptAnswer answer = prompter().message(
        &window, versions + QStringLiteral("Czy chcesz pobrać nową wersje programu ?"),
        QStringLiteral("Nowa wersja"), PromptIcon::Question, PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes) return;

    if (auto* update = window.programWindow<TFAktualizacja>()) update->setVersions(own, offered);
    if (window.state().dirty) {
        // The \a is part of the message as it has always been shown.
        prompter().message(&window,
                           QStringLiteral("Przed aktualizacją programu zapisz dane\a a następnie uruchom "
                                          "aktualizację.\nPomoc->Sprawdź czy jest nowa wersja"),
                           QStringLiteral("Zapisz dane"), PromptIcon::None, PromptButtons::Ok);
        return;
    }
    window.aktualizacjaTimer()->start();
}

void answerCheck(TFGlowna& window, bool automatic, const UpdateCheckResult& result) {
    switch (result.outcome) {
    case UpdateCheckOutcome::NoConnection:
        if (!automatic)
            prompter().message(&window, QStringLiteral("Błąd podczas próby połączenia z internetem"),
                               QStringLiteral("Aktualizacja"), PromptIcon::Warning, PromptButtons::Ok);
        return;
    case UpdateCheckOutcome::NotPublished:
        return;
    case UpdateCheckOutcome::Answered:
        break;
    }
    const ProgramVersion own = ownVersion();
    const QString versions = QStringLiteral("Aktualna wersja programu to: ") + own.text()
                             + QStringLiteral("\nWersja dostępna na serwerze to: ") + result.offered.text()
                             + QStringLiteral("\n\n");
    if (bFunIsNewerVersion(result.offered, own)) {
        offerDownload(window, own, result.offered, versions);
    } else if (!automatic) {
        prompter().message(&window, versions + QStringLiteral("Brak nowej wersji do pobrania."), QString(),
                           PromptIcon::None, PromptButtons::Ok);
    }
}

}  // namespace

UpdateCheck* vFunUpdateCheck(TFGlowna& window, bool automatic) {
    auto* check = new UpdateCheck(&window);
    QObject::connect(check, &UpdateCheck::finished, &window,
                     [&window, automatic, check](const UpdateCheckResult& result) {
                         check->deleteLater();
                         answerCheck(window, automatic, result);
                     });
    check->start(updateServerFromSettings().versionUrl());
    return check;
}

void vFunShowUpdateWindow(TFGlowna& window) {
    auto* update = window.programWindow<TFAktualizacja>();
    if (!update) return;
    update->exec();
    if (update->installerStarted()) window.state().quit = true;
}
