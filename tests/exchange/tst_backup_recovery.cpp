#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

#include "exchange/backup.h"
#include "exchange/backup_commands.h"
#include "exchange/backup_files_dialog.h"
#include "forms/prompter.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/file_size_limit.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(PromptAnswer)

namespace {

const QString kSaveTitle = QStringLiteral("Zapisz dane z kopii");
const QString kFilter = QStringLiteral("Podstawowa 4-6(*.smrk)|*.smrk");
const QString kOverwrite = QStringLiteral(
    "Plik o takiej nazwie już istnieje, czy chcesz nadpisać istniejący plik ?");

// Three copies, oldest first.
const QStringList kCopies{"2014-06-09_100000.smrk", "2014-06-09_101000.smrk",
                          "2014-06-09_102000.smrk"};

QString backupDir() {
    ErrorStream err;
    return strFunGetBackupDirPath(err);
}

QString workingDatabase() {
    ErrorStream err;
    return strFunGetTmpFilePath(err);
}

QByteArray copyContent(const QString& name) {
    return "class file saved as " + name.toUtf8();
}

void putCopies(const QStringList& names) {
    for (const QString& name : names) writeFile(backupDir() + name, copyContent(name));
}

QString lastLoggedFunction() {
    ErrorStream err;
    CppSQLite3DB db;
    db.open(strFunGetLogFilePath(err));
    CppSQLite3Query q = db.query("select fun from `error` order by rowid desc limit 1");
    return q.columnTextOr("fun", QString());
}

QStringList listed(const TFBackupFiles& dialog) {
    const auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lvFiles"));
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i) names << list->topLevelItem(i)->text(0);
    return names;
}

void click(TFBackupFiles& dialog, const char* button) {
    dialog.findChild<QPushButton*>(QLatin1String(button))->click();
}

// Selects the row of `name`, as a click on it does.
void select(TFBackupFiles& dialog, const QString& name) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lvFiles"));
    const QList<QTreeWidgetItem*> rows = list->findItems(name, Qt::MatchExactly);
    if (!rows.isEmpty()) list->setCurrentItem(rows.first());
}

// The main window's part: its shared save dialog, error stream and the two values the
// recovery command leaves.
struct Owner {
    QWidget window;
    FileDialogRequest saveDialog;
    ErrorStream err;
    bool backupChosen = true;
    QString chosenBackupPath;

    Owner() {
        saveDialog.defaultExtension = QStringLiteral("smrk");
        saveDialog.fileName = QStringLiteral("nowy");
    }
    void recover() {
        runBackupRecoveryCommand(&window, err, saveDialog, backupChosen, chosenBackupPath);
    }
};

}  // namespace

class TestBackupRecovery : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnvironment>(false);
        m_targets = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        m_targets.reset();
        m_env.reset();
    }

    // Nothing to choose from: the button asks for a choice and the dialog stays open.
    void anEmptyFolderAsksForAChoice() {
        ScriptedPrompter prompts;
        prompts.expectMessage("Proszę wybrać plik", "Brak wyboru", PromptIcon::Warning,
                              PromptButtons::Ok);
        Owner owner;
        QStringList shown{"not listed yet"};
        bool openAfterTheQuestion = false;
        whenModalOpen<TFBackupFiles>(&owner.window, [&](TFBackupFiles& dialog) {
            shown = listed(dialog);
            click(dialog, "btnRecoverFromBackupFile");
            openAfterTheQuestion = dialog.isVisible();
            click(dialog, "BitBtn2");
        });
        owner.recover();
        QCOMPARE(shown, QStringList());
        QVERIFY(openAfterTheQuestion);
        QVERIFY(!owner.backupChosen);
        QVERIFY_PROMPTS(prompts);
    }

    // The chosen copy's bytes replace the chosen file, unless the user keeps the file there.
    void theChosenCopyIsSaved_data() {
        QTest::addColumn<QByteArray>("before");  // empty: no file there yet
        QTest::addColumn<PromptAnswer>("overwrite");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("new file") << QByteArray() << PromptAnswer::Ok << true;
        QTest::newRow("existing file, Tak") << QByteArray("other class") << PromptAnswer::Yes
                                            << true;
        QTest::newRow("existing file, Nie") << QByteArray("other class") << PromptAnswer::No
                                            << false;
    }

    void theChosenCopyIsSaved() {
        QFETCH(QByteArray, before);
        QFETCH(PromptAnswer, overwrite);
        QFETCH(bool, replaced);

        putCopies(kCopies);
        const QString target = m_targets->filePath("odzyskana.smrk");
        if (!before.isEmpty()) writeFile(target, before);
        ScriptedPrompter prompts;
        prompts.expectSaveFile(kSaveTitle, kFilter, target).withFileDefaults("smrk", "nowy");
        if (!before.isEmpty())
            prompts.expectMessage(kOverwrite, "Duplikat", PromptIcon::Warning,
                                  PromptButtons::YesNoDefaultNo, overwrite);
        Owner owner;
        QStringList shown;
        whenModalOpen<TFBackupFiles>(&owner.window, [&](TFBackupFiles& dialog) {
            shown = listed(dialog);
            select(dialog, kCopies.at(1));
            click(dialog, "btnRecoverFromBackupFile");
        });
        owner.recover();

        // Newest first: the copy a teacher looks for is at the top.
        QCOMPARE(shown, (QStringList{kCopies.at(2), kCopies.at(1), kCopies.at(0)}));
        QVERIFY(owner.backupChosen);
        QCOMPARE(owner.chosenBackupPath, backupDir() + kCopies.at(1));
        QCOMPARE(readFile(target), replaced ? copyContent(kCopies.at(1)) : before);
        QCOMPARE(QDir(m_targets->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"odzyskana.smrk"});
        QVERIFY(owner.err.isEmpty());
        QVERIFY_PROMPTS(prompts);
    }

    // The one dialog of the run lists the folder anew at every showing.
    void eachShowingListsEachCopyOnce() {
        putCopies(kCopies.mid(0, 2));
        Owner owner;
        QList<QStringList> shown;
        for (int showing = 0; showing < 2; ++showing) {
            whenModalOpen<TFBackupFiles>(&owner.window, [&](TFBackupFiles& dialog) {
                shown << listed(dialog);
                click(dialog, "BitBtn2");
            });
            owner.recover();
            putCopies({kCopies.at(2)});
        }
        QCOMPARE(shown.value(0), (QStringList{kCopies.at(1), kCopies.at(0)}));
        QCOMPARE(shown.value(1), (QStringList{kCopies.at(2), kCopies.at(1), kCopies.at(0)}));
        QCOMPARE(owner.window.findChildren<TFBackupFiles*>().size(), 1);
        QVERIFY(!owner.backupChosen);
    }

    // A copy that cannot be written is told with caption "Atrybuty" and leaves nothing behind.
    void aFailedSaveIsReported() {
        writeFile(backupDir() + kCopies.at(0), QByteArray(64 * 1024, 'c'));
        const QString target = m_targets->filePath("odzyskana.smrk");
        ScriptedPrompter prompts;
        prompts.expectSaveFile(kSaveTitle, kFilter, target);
        prompts.expectMessage(QStringLiteral("Funkcja: btnRecoverFromBackupFile()\n\n"
                                             "Błąd podczas próby kopiowania pliku\nz\n") +
                                  backupDir() + kCopies.at(0) + QStringLiteral("\ndo\n") + target +
                                  QStringLiteral("\nKod błędu: 27\n\nDane nie zostały zapisane."),
                              "Atrybuty", PromptIcon::Warning, PromptButtons::Ok);
        Owner owner;
        whenModalOpen<TFBackupFiles>(&owner.window, [&](TFBackupFiles& dialog) {
            select(dialog, kCopies.at(0));
            click(dialog, "btnRecoverFromBackupFile");
        });
        {
            const FileSizeLimit diskFull(32 * 1024);
            owner.recover();
        }
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(lastLoggedFunction(), QStringLiteral("btnRecoverFromBackupFile()"));
        QVERIFY(QDir(m_targets->path()).isEmpty());
    }

    // The timer's box shows only for a copy that failed.
    void theTimerSpeaksOnlyOfFailures_data() {
        QTest::addColumn<bool>("classOpen");
        QTest::addColumn<bool>("folderIsAFile");
        QTest::addColumn<QString>("message");  // start of the box's text; empty: no box
        QTest::newRow("no class open") << false << false << QString();
        QTest::newRow("copied") << true << false << QString();
        QTest::newRow("backup folder cannot be made")
            << true << true << QStringLiteral("Błąd podczas tworzenia katalogu:\n");
    }

    void theTimerSpeaksOnlyOfFailures() {
        QFETCH(bool, classOpen);
        QFETCH(bool, folderIsAFile);
        QFETCH(QString, message);

        if (classOpen) writeFile(workingDatabase(), "class");
        if (folderIsAFile) writeFile(backupDir().chopped(1), "not a folder");
        ScriptedPrompter prompts;
        if (!message.isEmpty())
            prompts.expectMessageStartingWith(message, "Błąd", PromptIcon::Error,
                                              PromptButtons::Ok);
        Owner owner;
        runBackupTimerTick(&owner.window, owner.err);
        QVERIFY_PROMPTS(prompts);
        const QStringList copies = QDir(backupDir()).entryList(QDir::Files);
        QCOMPARE(copies.size(), classOpen && !folderIsAFile ? 1 : 0);
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<QTemporaryDir> m_targets;
};

QTEST_MAIN(TestBackupRecovery)
#include "tst_backup_recovery.moc"
