#include <QDir>
#include <QFile>
#include <QtTest>

#include <cerrno>
#include <memory>

#include "app/app_fixture.h"
#include "app/program_windows.h"
#include "exchange/calibration_exchange_commands.h"
#include "exchange/calibration_file_check.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kFilter = QStringLiteral("Kalibracja(*.sqset)|*.sqset");
const QString kExportTitle = QStringLiteral("Zapisz plik kalibracji");
const QString kImportTitle = QStringLiteral("Wczytaj plik kalibracji");

QString workingCalibration() {
    ErrorStream err;
    return strFunGetCalibFilePath(err, false);
}

QString shippedCalibration() {
    ErrorStream err;
    return strFunGetCalibFilePath(err, true);
}

// The working copy as the start-up installation leaves it: the shipped calibration.
void installCalibration() {
    QFile::remove(workingCalibration());
    QVERIFY(QFile::copy(shippedCalibration(), workingCalibration()));
}

void execute(const QString& path, const QString& sql) {
    CppSQLite3DB db;
    db.open(path);
    db.execute(sql);
    db.close();
}

// x1 of the first row of klasa_4.
int firstX1(const QString& path) {
    CppSQLite3DB db;
    db.openReadOnly(path);
    const int x1 = db.scalar(QStringLiteral("select x1 from `klasa_4` order by rowid limit 1"));
    db.close();
    return x1;
}

QString refusal(const QString& path, const QString& reason) {
    return QStringLiteral("Nie można wczytać pliku kalibracji:\n") + path + QStringLiteral("\n\n") +
           reason + QStringLiteral(".\n\nUstawienia kalibracji nie zostały zmienione.");
}

QString copyFailure(const QString& function, const QString& source, const QString& target,
                    int code) {
    return QStringLiteral("Funkcja: ") + function +
           QStringLiteral("\n\nBłąd podczas próby kopiowania pliku\nz\n") + source +
           QStringLiteral("\ndo\n") + target + QStringLiteral("\nKod błędu: ") +
           QString::number(code) + QStringLiteral("\n\nDane nie zostały zapisane.");
}

}  // namespace

class TestCalibrationExchange : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_env = std::make_unique<TestEnvironment>();
        m_files = std::make_unique<QTemporaryDir>();
        installCalibration();
        QVERIFY(m_files->isValid());
    }
    void cleanup() {
        m_files.reset();
        m_env.reset();
    }

    // What one computer exports, another imports: a row adjusted in between comes back.
    void exportThenImportRoundTrips() {
        const QString exported = m_files->filePath(QStringLiteral("moja.sqset"));
        ErrorStream err;
        {
            ScriptedPrompter prompts;
            prompts.expectSaveFile(kExportTitle, kFilter, exported)
                .withFileDefaults(QStringLiteral("sqset"), QStringLiteral("semrik_kalibracja"));
            runCalibrationExportCommand(nullptr, err);
            QVERIFY_PROMPTS(prompts);
        }
        QCOMPARE(readFile(exported), readFile(workingCalibration()));

        const int before = firstX1(workingCalibration());
        execute(exported, QStringLiteral("update `klasa_4` set x1 = x1 + 3 where rowid = (select "
                                         "min(rowid) from `klasa_4`)"));
        const QByteArray chosen = readFile(exported);
        {
            ScriptedPrompter prompts;
            prompts.expectOpenFile(kImportTitle, kFilter, exported)
                .withFileDefaults(QString(), QString());
            runCalibrationImportCommand(nullptr, err);
            QVERIFY_PROMPTS(prompts);
        }
        QCOMPARE(firstX1(workingCalibration()), before + 3);
        QCOMPARE(readFile(workingCalibration()), chosen);
        QCOMPARE(readFile(exported), chosen);  // only read
        QCOMPARE(QDir(QFileInfo(workingCalibration()).absolutePath())
                     .entryList({QStringLiteral("*.sqset*")}, QDir::Files),
                 QStringList{QStringLiteral("semrik_kalibracja.sqset")});  // no temporary left
    }

    void exportReplacesAnExistingFileWithoutAsking() {
        const QString target = m_files->filePath(QStringLiteral("stara.sqset"));
        writeFile(target, QByteArray("stara zawartość, dłuższa niż cokolwiek ").repeated(20000));
        ScriptedPrompter prompts;
        prompts.expectSaveFile(kExportTitle, kFilter, target);
        ErrorStream err;
        runCalibrationExportCommand(nullptr, err);
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(readFile(target), readFile(workingCalibration()));
    }

    // Cancelling either dialog, or importing the working copy onto itself, changes nothing.
    void nothingChanges_data() {
        QTest::addColumn<bool>("import");
        QTest::addColumn<bool>("chooseWorkingCopy");
        QTest::newRow("export cancelled") << false << false;
        QTest::newRow("import cancelled") << true << false;
        QTest::newRow("import of the working copy itself") << true << true;
        QTest::newRow("export onto the working copy itself") << false << true;
    }
    void nothingChanges() {
        QFETCH(bool, import);
        QFETCH(bool, chooseWorkingCopy);
        const QByteArray before = readFile(workingCalibration());
        const QString answer = chooseWorkingCopy ? workingCalibration() : QString();
        ScriptedPrompter prompts;
        ErrorStream err;
        if (import) {
            prompts.expectOpenFile(kImportTitle, kFilter, answer);
            runCalibrationImportCommand(nullptr, err);
        } else {
            prompts.expectSaveFile(kExportTitle, kFilter, answer);
            runCalibrationExportCommand(nullptr, err);
        }
        QVERIFY_PROMPTS(prompts);
        QVERIFY(!before.isEmpty());
        QCOMPARE(readFile(workingCalibration()), before);
        QVERIFY(QDir(m_files->path()).isEmpty());
    }

    // A file that is no calibration is refused with what is wrong with it; the working
    // calibration and the chosen file stay byte for byte as they were.
    void foreignFileIsRefused_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << QStringLiteral("text")
                                   << QStringLiteral("Plik nie jest bazą danych (SQLITE_NOTADB)");
        QTest::newRow("missing file") << QStringLiteral("missing")
                                      << QStringLiteral("Plik nie istnieje");
        QTest::newRow("foreign database")
            << QStringLiteral("create table `uczniowie`(imie TEXT)")
            << QStringLiteral("W pliku brakuje tabeli {first}");
        QTest::newRow("calibration without one table")
            << QStringLiteral("calibration:drop table `klasa_6a_wyr_bk`")
            << QStringLiteral("W pliku brakuje tabeli klasa_6a_wyr_bk");
        QTest::newRow("table without one column")
            << QStringLiteral("calibration:alter table `arkusz_str1` rename column "
                              "`font_style_strike` to `przekreslenie`")
            << QStringLiteral("Tabela arkusz_str1 nie ma kolumny font_style_strike");
        QTest::newRow("locked by another program")
            << QStringLiteral("locked")
            << QStringLiteral("Plik jest zablokowany przez inny program (SQLITE_BUSY)");
    }
    void foreignFileIsRefused() {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        // The shipped calibration is the test environment's, not there yet when rows are made.
        reason.replace(QStringLiteral("{first}"), requiredCalibrationTables().value(0));
        const QString chosen = m_files->filePath(QStringLiteral("obcy.sqset"));
        const QLatin1String calibrationPrefix("calibration:");
        CppSQLite3DB holder;
        if (setup == QLatin1String("text")) {
            writeFile(chosen, "To jest zwykły tekst, a nie baza danych.\n");
        } else if (setup.startsWith(calibrationPrefix)) {
            QVERIFY(QFile::copy(shippedCalibration(), chosen));
            execute(chosen, setup.mid(calibrationPrefix.size()));
        } else if (setup == QLatin1String("locked")) {
            QVERIFY(QFile::copy(shippedCalibration(), chosen));
            holder.open(chosen);
            holder.execute(QStringLiteral("begin exclusive"));
        } else if (setup != QLatin1String("missing")) {
            execute(chosen, setup);
        }
        const QByteArray chosenBefore = readFile(chosen);
        execute(workingCalibration(), QStringLiteral("update `klasa_4` set x1 = 5"));
        const QByteArray before = readFile(workingCalibration());

        ScriptedPrompter prompts;
        prompts.expectOpenFile(kImportTitle, kFilter, chosen);
        prompts.expectMessage(refusal(chosen, reason), QStringLiteral("Błąd"), PromptIcon::Error,
                              PromptButtons::Ok);
        ErrorStream err;
        runCalibrationImportCommand(nullptr, err);
        QVERIFY_PROMPTS(prompts);
        if (holder.isOpen()) {
            holder.execute(QStringLiteral("rollback"));
            holder.close();
        }
        QCOMPARE(readFile(workingCalibration()), before);
        QCOMPARE(readFile(chosen), chosenBefore);
    }

    void failedExportShowsTheCopyMessage() {
        const QString target = m_files->filePath(QStringLiteral("brak/kalibracja.sqset"));
        ScriptedPrompter prompts;
        prompts.expectSaveFile(kExportTitle, kFilter, target);
        prompts.expectMessage(
            copyFailure(QStringLiteral("EksportujPlikKalibracji()"), workingCalibration(), target,
                        ENOENT),
            QStringLiteral("Atrybuty"), PromptIcon::Warning, PromptButtons::Ok);
        ErrorStream err;
        runCalibrationExportCommand(nullptr, err);
        QVERIFY_PROMPTS(prompts);
        QVERIFY(!QFileInfo::exists(target));
    }

    // The disk fills up in the middle of the import: the working calibration stays whole.
    void interruptedImportLeavesTheCalibrationWhole() {
        const QString chosen = m_files->filePath(QStringLiteral("nowa.sqset"));
        QVERIFY(QFile::copy(shippedCalibration(), chosen));
        execute(chosen, QStringLiteral("update `klasa_4` set x1 = 5"));
        const QByteArray before = readFile(workingCalibration());

        ScriptedPrompter prompts;
        prompts.expectOpenFile(kImportTitle, kFilter, chosen);
        prompts.expectMessage(copyFailure(QStringLiteral("ImportujPlikKalibracji()"), chosen,
                                          workingCalibration(), EFBIG),
                              QStringLiteral("Atrybuty"), PromptIcon::Warning, PromptButtons::Ok);
        {
            FileSizeLimit limit(4096);
            ErrorStream err;
            runCalibrationImportCommand(nullptr, err);
        }
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(readFile(workingCalibration()), before);
        QCOMPARE(QDir(QFileInfo(workingCalibration()).absolutePath())
                     .entryList({QStringLiteral("*.sqset*")}, QDir::Files),
                 QStringList{QStringLiteral("semrik_kalibracja.sqset")});
    }

    // The "Ustawienia" menu runs both commands.
    void menuEntriesRunTheCommands() {
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        QAction* exportEntry = mainMenuAction(*main, QStringLiteral("Eksportuj ustawienia kalibracji"));
        QAction* importEntry = mainMenuAction(*main, QStringLiteral("Importuj ustawienia kalibracji"));
        QVERIFY(exportEntry && importEntry);
        const QString chosen = m_files->filePath(QStringLiteral("kalibracja.sqset"));
        ScriptedPrompter prompts;
        prompts.expectSaveFile(kExportTitle, kFilter, chosen);
        exportEntry->trigger();
        QVERIFY(QFileInfo::exists(chosen));
        execute(chosen, QStringLiteral("update `klasa_4` set x1 = 5"));
        prompts.expectOpenFile(kImportTitle, kFilter, chosen);
        importEntry->trigger();
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(firstX1(workingCalibration()), 5);
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<QTemporaryDir> m_files;  // where the user's chosen files lie
};

QTEST_MAIN(TestCalibrationExchange)
#include "tst_calibration_exchange.moc"
