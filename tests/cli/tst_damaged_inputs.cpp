#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/database.h"
#include "storage/pupil_store.h"
#include "support/damaged_pages.h"
#include "support/file_contents.h"
#include "support/headless_process.h"
#include "support/test_environment.h"

namespace {

// What the command-line modes get instead of a plain class file and a fresh output path.
enum class Setup {
    DamagedPupil,     // one of three pupil tables has a damaged page
    SilentDamage,     // a page whose rows still read, but whose free-space chain is broken
    HotJournal,       // the journal of an interrupted write lies beside the class file
    Locked,           // another program holds the class file locked
    InputDirectory,   // the class file named is a directory
    InputNotUtf8,     // the class file's name is not UTF-8
    InputUnreadable,  // no read permission
    OutputIsInput,    // the same path twice
    OutputLink,       // a symbolic link to the class file
    OutputHardLink,   // a second name of the class file
    OutputFifo,
    OutputDevice,    // /dev/full
    OutputReadOnly,  // an earlier, write-protected PDF
    OutputDirectory,
    StdoutFull,  // the listing goes to /dev/full
    StdoutClosed,
};

struct Run {
    int exitCode = -1;
    bool crashed = true;
    QString out;
    QString err;
};

QByteArray hashOf(const QString& path) {
    return QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256);
}

RecordList pupilRecords(const QString& surname, int extraRows) {
    RecordList records{FieldRecord::make("DANE UCZNIA", "Nazwisko_DATA_EDIT", surname),
                       FieldRecord::make("DANE UCZNIA", "Imie_DATA_EDIT", "Anna")};
    for (int i = 0; i < extraRows; ++i)
        records << FieldRecord::make("UWAGI", QString("Uwagi_%1_DATA_EDIT").arg(i),
                                     QString(100, QLatin1Char('x')));
    return records;
}

// Three pupils; the middle one's table spans many pages, so harm to it touches no other.
void makeClassFile(const QString& path) {
    ErrorStream err;
    QVERIFY(iFunCheckIsStudentExists(err, path, "PESEL1", true) == 0);
    QVERIFY(bFunSaveCertData(err, path, "PESEL1", pupilRecords("Adamek", 0)));
    QVERIFY(bFunSaveCertData(err, path, "PESEL2", pupilRecords("Bednarek", 200)));
    QVERIFY(bFunSaveCertData(err, path, "PESEL3", pupilRecords("Cichy", 0)));
}

// Overwrites `bytes` at `offset` within PESEL2's root page.
// A copy of the class file and its journal taken in the middle of a write that has already
// reached the file: what a crashed writer leaves behind.
void makeHotJournal(const QString& source, const QString& target) {
    CppSQLite3DB db;
    db.open(source);
    db.execute("pragma cache_size=1; begin; update PESEL2 set value = value || '" +
               QString(3000, QLatin1Char('y')) + "';");
    QVERIFY(QFile::copy(source, target));
    QVERIFY(QFile::copy(source + "-journal", target + "-journal"));
    db.execute("rollback;");
    db.close();
    // A journal whose header is complete: SQLite would roll it back.
    QVERIFY(readFile(target + "-journal").startsWith(QByteArray::fromHex("d9d505f920a163d7")));
}

Run runShell(const QString& script, const QStringList& arguments,
             const QString& stdoutFile = QString()) {
    const QProcessEnvironment environment = headlessEnvironment();
    QProcess shell;
    shell.setProcessEnvironment(environment);
    if (!stdoutFile.isEmpty()) shell.setStandardOutputFile(stdoutFile);
    shell.start("/bin/sh",
                QStringList{"-c", script, QStringLiteral(SEMRIK_EXECUTABLE)} + arguments);
    Run run;
    if (!shell.waitForFinished(120000)) return run;
    run.crashed = shell.exitStatus() != QProcess::NormalExit;
    run.exitCode = shell.exitCode();
    run.out = QString::fromUtf8(shell.readAllStandardOutput());
    run.err = QString::fromUtf8(shell.readAllStandardError());
    return run;
}

QStringList leftovers(const QString& directory) {
    return QDir(directory).entryList({"*.tmp*"}, QDir::Files | QDir::System | QDir::Hidden);
}

}  // namespace

// The command-line modes run as the user runs them, on damaged class files and odd outputs:
// each cause gets its own message and failure, and the class file is never changed.
class DamagedInputsTest : public QObject {
    Q_OBJECT

private slots:
    void refusesOrReports_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("mode");  // "--list" or "--pdf"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");   // %1 the class file, %2 the output
        QTest::addColumn<QString>("output");  // stdout of --list

        const QString damaged = "Nie można odczytać ucznia z tabeli PESEL2 (uszkodzona zawartość tabeli, SQLITE_CORRUPT): %1\n";
        const QString hot =
            "Zapis pliku nie został dokończony (obok leży jego dziennik z końcówką „-journal”); "
            "nie odczytano go, by nie pokazać niepełnych danych: %1\n";
        const QString inputOutput =
            "Nie można zapisać pliku: %2\nTo jest plik wejściowy %1, który zostałby zastąpiony "
            "wynikiem.\n";
        const QString notRegular =
            "Nie można zapisać pliku: %2\nTo nie jest zwykły plik, tylko potok, urządzenie lub "
            "gniazdo.\n";
        const QString others = "Adamek Anna\tPESEL1\nCichy Anna\tPESEL3\n";

        QTest::newRow("damaged pupil, listing")
            << Setup::DamagedPupil << "--list" << 1 << damaged << others;
        QTest::newRow("damaged pupil, PDF of the others")
            << Setup::DamagedPupil << "--pdf" << 1
            << damaged + "Plik %2 nie zawiera uczniów ani dokumentów wymienionych wyżej.\n"
            << "";
        QTest::newRow("damage that only the engine's check finds")
            << Setup::SilentDamage << "--list" << 1 << damaged << others;
        QTest::newRow("hot journal, listing") << Setup::HotJournal << "--list" << 1 << hot << "";
        QTest::newRow("hot journal, PDF") << Setup::HotJournal << "--pdf" << 1 << hot << "";
        QTest::newRow("locked by another program")
            << Setup::Locked << "--list" << 1 << "Plik jest zablokowany przez inny program: %1\n"
            << "";
        QTest::newRow("directory as class file")
            << Setup::InputDirectory << "--list" << 1 << "To jest katalog, a nie plik: %1\n"
            << "";
        QTest::newRow("name not UTF-8")
            << Setup::InputNotUtf8 << "--list" << 1
            << "Nazwa pliku nie jest zapisana w UTF-8; zmień ją i spróbuj ponownie: %1\n"
            << "";
        QTest::newRow("no read permission")
            << Setup::InputUnreadable << "--list" << 1 << "Brak uprawnień do odczytu pliku: %1\n"
            << "";
        QTest::newRow("output is the input")
            << Setup::OutputIsInput << "--pdf" << 1 << inputOutput << "";
        QTest::newRow("output links to the input")
            << Setup::OutputLink << "--pdf" << 1 << inputOutput << "";
        QTest::newRow("output is a hard link of the input")
            << Setup::OutputHardLink << "--pdf" << 1 << inputOutput << "";
        QTest::newRow("output is a FIFO") << Setup::OutputFifo << "--pdf" << 1 << notRegular << "";
        QTest::newRow("output is a device")
            << Setup::OutputDevice << "--pdf" << 1 << notRegular << "";
        QTest::newRow("output is write-protected")
            << Setup::OutputReadOnly << "--pdf" << 1
            << "Nie można zapisać pliku: %2\nPlik jest tylko do odczytu.\n"
            << "";
        QTest::newRow("output is a directory")
            << Setup::OutputDirectory << "--pdf" << 1
            << "Nie można zapisać pliku: %2\nTo jest katalog, a nie plik.\n"
            << "";
        QTest::newRow("listing to a full device")
            << Setup::StdoutFull << "--list" << 1
            << "Nie można wypisać listy uczniów: Brak miejsca na dysku\n"
            << "";
        QTest::newRow("listing to a closed stdout")
            << Setup::StdoutClosed << "--list" << 1
            << "Nie można wypisać listy uczniów: Wyjście jest zamknięte\n"
            << "";
    }

    void refusesOrReports() {
        QFETCH(Setup, setup);
        QFETCH(QString, mode);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QFETCH(QString, output);
        if (setup == Setup::InputUnreadable && ::geteuid() == 0) QSKIP("root reads any file");
        TestEnvironment env;
        const QString dir = env.dataHome() + "/klasa";
        QVERIFY(QDir().mkpath(dir));
        QString classFile = dir + "/4a.smrk";
        QString pdf = dir + "/wydruk.pdf";
        makeClassFile(classFile);

        CppSQLite3DB lock;
        QString script = "exec \"$0\" \"$@\"";
        QString stdoutFile;
        switch (setup) {
            case Setup::DamagedPupil:  // the page type: reading the table fails
                damageTablePage(classFile, "PESEL2", 0, QByteArray(8, '\xff'));
                break;
            case Setup::SilentDamage:  // the first free block: every row still reads
                damageTablePage(classFile, "PESEL2", 1, QByteArray("\xff\xf0", 2));
                break;
            case Setup::HotJournal: {
                const QString copy = dir + "/przerwany.smrk";
                makeHotJournal(classFile, copy);
                classFile = copy;
                break;
            }
            case Setup::Locked:
                break;  // below: closing any file releases the process's locks
            case Setup::InputDirectory:
                classFile = dir;
                break;
            case Setup::InputNotUtf8:
                // The name goes to the program as raw bytes; a QString cannot carry them.
                script = "exec \"$0\" \"$1\" \"$(printf '%s/z\\377.smrk' \"$2\")\"";
                classFile = dir;
                break;
            case Setup::InputUnreadable:
                QFile::setPermissions(classFile, {});
                break;
            case Setup::OutputIsInput:
                pdf = classFile;
                break;
            case Setup::OutputLink:
                QVERIFY(QFile::link(classFile, pdf));
                break;
            case Setup::OutputHardLink:
                QCOMPARE(::link(QFile::encodeName(classFile), QFile::encodeName(pdf)), 0);
                break;
            case Setup::OutputFifo:
                QCOMPARE(::mkfifo(QFile::encodeName(pdf), 0600), 0);
                break;
            case Setup::OutputDevice:
                pdf = "/dev/full";
                break;
            case Setup::OutputReadOnly:
                writeFile(pdf, "poprzedni wydruk");
                QVERIFY(QFile::setPermissions(pdf, QFile::ReadOwner | QFile::ReadGroup));
                break;
            case Setup::OutputDirectory:
                QVERIFY(QDir().mkpath(pdf));
                break;
            case Setup::StdoutFull:
                stdoutFile = "/dev/full";
                break;
            case Setup::StdoutClosed:
                script = "exec \"$0\" \"$@\" >&-";
                break;
        }
        const QByteArray classBefore = hashOf(classFile);
        const QByteArray journalBefore = hashOf(classFile + "-journal");
        const QByteArray pdfBefore = QFileInfo(pdf).isFile() ? hashOf(pdf) : QByteArray();
        const QFile::Permissions pdfPermissions = QFileInfo(pdf).permissions();

        QStringList arguments{mode};
        if (mode == "--pdf")
            arguments << pdf << "--document"
                      << "0";
        if (setup == Setup::InputNotUtf8) arguments = QStringList{mode};
        arguments << classFile;
        if (setup == Setup::Locked) {
            lock.open(classFile);
            lock.execute("begin exclusive;");
        }
        const Run run = runShell(script, arguments, stdoutFile);
        if (lock.isOpen()) lock.execute("rollback;");

        QVERIFY(!run.crashed);
        if (setup == Setup::InputNotUtf8) classFile += QString::fromUtf8("/z\xef\xbf\xbd.smrk");
        QCOMPARE(run.err, QString(error).replace("%1", classFile).replace("%2", pdf));
        QCOMPARE(run.out, output);
        QCOMPARE(run.exitCode, exitCode);
        // Only read: not a byte of the class file or its journal changed.
        QCOMPARE(hashOf(classFile), classBefore);
        QCOMPARE(hashOf(classFile + "-journal"), journalBefore);
        QCOMPARE(leftovers(dir), QStringList());
        if (setup == Setup::DamagedPupil && mode == "--pdf") {
            // The other two pupils' certificates were written all the same.
            QCOMPARE(QString::fromLatin1(readFile(pdf))
                         .count(QRegularExpression("/Type\\s*/Page(?![A-Za-z])")),
                     4);
        } else if (!pdfBefore.isEmpty()) {
            QCOMPARE(hashOf(pdf), pdfBefore);
            QCOMPARE(QFileInfo(pdf).permissions(), pdfPermissions);
        }
    }

    // A PDF written over an earlier one keeps that file's permissions.
    void replacesAnEarlierPdfKeepingItsPermissions() {
        TestEnvironment env;
        const QString classFile = env.dataHome() + "/4a.smrk";
        const QString pdf = env.dataHome() + "/wydruk.pdf";
        makeClassFile(classFile);
        writeFile(pdf, "poprzedni wydruk");
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(pdf, permissions));

        const Run run =
            runShell("exec \"$0\" \"$@\"", {"--pdf", pdf, "--document", "0", classFile});

        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(readFile(pdf).startsWith("%PDF"));
        const auto modeBits = QFile::Permissions(0x7077);  // owner, group, others
        QCOMPARE(QFileInfo(pdf).permissions() & modeBits, permissions);
        QCOMPARE(leftovers(env.dataHome()), QStringList());
    }

    // Stopped while the PDF is being written, the run leaves no file with pupil data behind.
    void terminatedRunLeavesNothing() {
        TestEnvironment env;
        const QString classFile = env.dataHome() + "/4a.smrk";
        const QString pdf = env.dataHome() + "/wydruk.pdf";
        makeClassFile(classFile);
        QProcess semrik;
        semrik.setProcessEnvironment(headlessEnvironment());
        semrik.start(QStringLiteral(SEMRIK_EXECUTABLE), {"--pdf", pdf, classFile});
        QVERIFY(semrik.waitForStarted());
        // The temporary file exists from before the first page until the rename.
        while (leftovers(env.dataHome()).isEmpty() && semrik.state() == QProcess::Running)
            QThread::msleep(5);
        if (semrik.state() != QProcess::Running) QSKIP("the run ended before it could be stopped");
        semrik.terminate();
        QVERIFY(semrik.waitForFinished(60000));

        QCOMPARE(semrik.exitStatus(), QProcess::CrashExit);
        QCOMPARE(leftovers(env.dataHome()), QStringList());
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_GUILESS_MAIN(DamagedInputsTest)
#include "tst_damaged_inputs.moc"
