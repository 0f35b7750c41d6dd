#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "exchange/backup.h"
#include "exchange/backup_files_dialog.h"
#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

QString backupDir() {
    ErrorStream err;
    return strFunGetBackupDirPath(err);
}

QString workingDatabase() {
    ErrorStream err;
    return strFunGetTmpFilePath(err);
}

QStringList backupFolder() {
    return QDir(backupDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

// The main window's backup timer and its recovery entry, wired to the backup folder.
class BackupTimerTest : public QObject {
    Q_OBJECT
private slots:
    // The real timer, given a short interval, backs up the class that is open; the recovery
    // entry then offers that copy.
    void theTimerBacksUpTheOpenClass() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> window = createProgramWindows();
        auto* timer = window->findChild<QTimer*>(QStringLiteral("BackupTimer"));
        QVERIFY(timer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 10 * 60 * 1000);

        const QString classFile = env.fixture(QStringLiteral("klasa_cp1250.smrk"));
        prompts.expectOpenFile("Wczytaj plik", "Podstawowa 4-6(*.smrk)|*.smrk", classFile);
        window->OtworzPlikToolButtonClick();
        QVERIFY_PROMPTS(prompts);

        // setInterval restarts a running timer with the new interval.
        timer->setInterval(5);
        QTRY_COMPARE(backupFolder().size(), 1);
        QCOMPARE(readFile(backupDir() + backupFolder().first()), readFile(workingDatabase()));

        QStringList offered;
        whenModalOpen<TFBackupFiles>(window.get(), [&](TFBackupFiles& dialog) {
            const auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lvFiles"));
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                offered << list->topLevelItem(i)->text(0);
            dialog.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        });
        timer->stop();
        mainMenuAction(*window, QStringLiteral("Odyskaj dane z kopii zapasowej"))->trigger();
        QCOMPARE(offered, backupFolder());
        QVERIFY(!window->state().backupChosen);
        QVERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(BackupTimerTest)
#include "tst_backup_timer.moc"
