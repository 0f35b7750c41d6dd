#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

#include <memory>

#include "app/application.h"
#include "app/program_windows.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "storage/database.h"
#include "storage/paths.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kCaption =
    QStringLiteral("Drukowanie świadectw dla Szkoły Podstawowej klasy 4-6, wersja: 1.8.0");
const QString kImportNotice = QStringLiteral(
    "UWAGA !!!\n\nNastąpiła zmiana w plikach przechowujących dane. Stare pliki można wczytać "
    "poprzez funkcję import w menu plik.");
const QString kFilesLead =
    QStringLiteral("Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n\n");
const QString kSettingsLead = QStringLiteral("Błąd podczas próby odczytania ustawień.\n\n");

QString settingsPath() {
    ErrorStream err;
    return strFunGetSettingsFilePath(err, false);
}

// A process id that certainly belongs to no running process.
qint64 finishedProcessId() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    if (!process.waitForStarted()) return -1;
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyIsTurnedAway() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const QString lockPath = strFunInstanceLockPath();
        QVERIFY(lockPath.startsWith(env.dataHome() + "/Orvento-Kelm/"));
        QVERIFY(QDir().mkpath(QFileInfo(lockPath).absolutePath()));

        // Another copy runs.
        auto first = std::make_unique<QLockFile>(lockPath);
        QVERIFY(first->tryLock(0));
        prompts.expectMessage("Ten program jest już uruchomiony.", "Kopia", PromptIcon::Error,
                              PromptButtons::Ok);
        QVERIFY(bFunIsAlreadyRunning());
        QVERIFY_PROMPTS(prompts);
        QVERIFY(first->isLocked());

        // It crashed and left its lock behind: the next copy takes the lock over.
        first->unlock();
        const qint64 deadPid = finishedProcessId();
        QVERIFY(deadPid > 0);
        QFile stale(lockPath);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray::number(deadPid) + "\nsemrik\n" +
                    QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();
        QVERIFY(!bFunIsAlreadyRunning());

        // That copy now holds the lock for its whole run.
        QLockFile later(lockPath);
        QVERIFY(!later.tryLock(0));
        QVERIFY_PROMPTS(prompts);
    }

    void startReadsSettingsAndClearsState_data() {
        QTest::addColumn<int>("strikeEmpty");
        QTest::addColumn<int>("noDots");
        QTest::addColumn<int>("wordWrap");
        QTest::addColumn<QString>("checked");  // W, P, C for the boxes that end up checked

        QTest::newRow("as laid out") << 1 << 0 << 0 << "W";
        QTest::newRow("every switch turned") << 0 << 1 << 1 << "PC";
        QTest::newRow("any non-zero value checks") << 7 << -1 << 2 << "WPC";
    }

    void startReadsSettingsAndClearsState() {
        QFETCH(int, strikeEmpty);
        QFETCH(int, noDots);
        QFETCH(int, wordWrap);
        QFETCH(QString, checked);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("import_alert", 0);
        writeSetting("strike_empty_fields", strikeEmpty);
        writeSetting("print_without_dots", noDots);
        writeSetting("word_wrap", wordWrap);
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        main->state().quit = true;
        main->state().dirty = true;

        vFunInitMainWindow(*main);

        QVERIFY_PROMPTS(prompts);
        QCOMPARE(main->windowTitle(), kCaption);
        QCOMPARE(main->wykreskujPusteCheckBox()->isChecked(), checked.contains('W'));
        QCOMPARE(main->printNoDotsCheckBox()->isChecked(), checked.contains('P'));
        QCOMPARE(main->cbWordWrap()->isChecked(), checked.contains('C'));
        QVERIFY(!main->state().quit);
        QVERIFY(!main->state().dirty);
        QVERIFY(!main->hasClosed());
        // Reading the switches did not write them back.
        QCOMPARE(readSetting("print_without_dots"), noDots);
    }

    void importNoticeShowsOnce() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("import_alert", 1);

        prompts.expectMessage(kImportNotice, "", PromptIcon::Warning, PromptButtons::Ok);
        const std::unique_ptr<TFGlowna> first = createProgramWindows();
        vFunInitMainWindow(*first);
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(readSetting("import_alert"), 0);

        const std::unique_ptr<TFGlowna> second = createProgramWindows();
        vFunInitMainWindow(*second);
        QVERIFY_PROMPTS(prompts);
    }

    void failedStartEndsTheProgram_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("messageStart");
        QTest::addColumn<bool>("exactMessage");
        QTest::addColumn<bool>("captionSet");

        QTest::newRow("catalogue missing")
            << "catalogue"
            << kFilesLead +
                   "Błąd podczas próby sprawdzenia wymaganych plików / "
                   "katalogów.\nPlik nie istnieje: {install}/pliki_kat.sqset"
            << true << false;
        QTest::newRow("settings database missing")
            << "settings missing" << kSettingsLead + "Plik nie istnieje:\n{settings}" << true
            << true;
        QTest::newRow("settings database unreadable")
            << "settings garbage" << kSettingsLead + "SqlException:\n\n"
            << false << true;
    }

    void failedStartEndsTheProgram() {
        QFETCH(QString, fault);
        QFETCH(QString, messageStart);
        QFETCH(bool, exactMessage);
        QFETCH(bool, captionSet);
        TestEnvironment env;
        ScriptedPrompter prompts;

        if (fault == "catalogue") {
            QVERIFY(QFile::remove(env.installDir() + "/pliki_kat.sqset"));
        } else {
            installProgramFiles();
            QVERIFY(QFile::remove(settingsPath()));
            if (fault == "settings missing") {
                // Nothing installs it again: the catalogue no longer lists it.
                CppSQLite3DB catalogue;
                catalogue.open(env.installDir() + "/pliki_kat.sqset");
                catalogue.execute("delete from `files` where `name`='ustawienia.sqset'");
                catalogue.close();
            } else {
                QFile garbage(settingsPath());
                QVERIFY(garbage.open(QIODevice::WriteOnly));
                garbage.write(QByteArray(4096, 'x'));
            }
        }
        messageStart.replace("{install}", env.installDir()).replace("{settings}", settingsPath());
        QFile stale(env.mainDir() + "/data_tmp.sqtmp");
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();

        if (exactMessage) {
            prompts.expectMessage(messageStart, "Błąd", PromptIcon::Error, PromptButtons::Ok);
        } else {
            prompts.expectMessageStartingWith(messageStart, "Błąd", PromptIcon::Error,
                                              PromptButtons::Ok);
        }
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        vFunInitMainWindow(*main);

        QVERIFY_PROMPTS(prompts);
        QVERIFY(main->state().quit);
        QVERIFY(main->hasClosed());
        QCOMPARE(main->windowTitle() == kCaption, captionSet);
        // The start stopped before tidying up.
        QVERIFY(QFileInfo::exists(stale.fileName()));
    }

    void staleWorkingDatabaseIsDeleted() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("import_alert", 0);
        ErrorStream err;
        QFile stale(strFunGetTmpFilePath(err));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("left by a crashed run");
        stale.close();

        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        vFunInitMainWindow(*main);

        QVERIFY(!QFileInfo::exists(stale.fileName()));
        QVERIFY_PROMPTS(prompts);
    }

    void commandLineTail_data() {
        QTest::addColumn<QStringList>("arguments");  // after the program name
        QTest::addColumn<QString>("expectedPath");   // "unchanged": the tail was ignored

        // The working folder holds "a.smr" (5 characters) and "ab.smrx" is missing.
        QTest::newRow("nothing") << QStringList{} << "unchanged";
        QTest::newRow("5 characters, the file exists") << QStringList{"a.smr"} << "unchanged";
        QTest::newRow("6 characters, no such file") << QStringList{"ab.smr"} << "";
        QTest::newRow("quoted name of an existing file") << QStringList{"\"a.smr\""} << "";
        QTest::newRow("split arguments joined by one blank")
            << QStringList{"a", "b"} << "unchanged";
        QTest::newRow("a folder is no file") << QStringList{"folder"} << "";
    }

    void commandLineTail() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expectedPath);
        TestEnvironment env;
        ScriptedPrompter prompts;
        const QString previous = QDir::currentPath();
        QDir work(env.dataHome());
        QVERIFY(work.mkpath("work/folder"));
        QVERIFY(work.cd("work"));
        QFile shortName(work.filePath("a.smr"));
        QVERIFY(shortName.open(QIODevice::WriteOnly));
        shortName.close();
        QVERIFY(QDir::setCurrent(work.path()));

        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        main->setCurrentFilePath("unchanged");
        vFunOpenCommandLineFile(*main, strFunCommandLineTail(QStringList{"semrik"} + arguments));
        QDir::setCurrent(previous);

        QCOMPARE(main->currentFilePath(), expectedPath);
        QCOMPARE(strFunCommandLineTail(QStringList{"semrik"} + arguments), arguments.join(' '));
    }

    void escapedErrorIsShownAndEndsWithFailure() {
        ScriptedPrompter prompts;
        prompts.expectMessage("Brak pamięci", "Orvento - Halvik, klasy 4-6", PromptIcon::Error,
                              PromptButtons::Ok);
        QVERIFY(iFunReportEscapedError("Brak pamięci") != 0);
        QVERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
