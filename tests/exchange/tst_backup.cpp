#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <memory>

#include "exchange/backup.h"
#include "storage/clock.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/file_size_limit.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(BackupOutcome)

namespace {

const QDateTime kFirstTick(QDate(2014, 6, 9), QTime(10, 0, 0));

QString workingDatabase() {
    ErrorStream err;
    return strFunGetTmpFilePath(err);
}

QString backupDir() {
    ErrorStream err;
    return strFunGetBackupDirPath(err);
}

QStringList backupFolder() {
    return QDir(backupDir())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The name of the copy the tick `second` seconds after the first one makes.
QString copyName(int second) {
    return strFunBackupFileName(kFirstTick.addSecs(second));
}

// One tick of the timer `second` seconds after the first, the working database then holding
// `content`.
BackupOutcome tick(int second, const QByteArray& content) {
    writeFile(workingDatabase(), content);
    program_clock::setClock([second] { return kFirstTick.addSecs(second); });
    ErrorStream err;
    BackupOutcome outcome = BackupOutcome::Failed;
    const bool ok = bFunBackupCopyFile(err, &outcome);
    if (!ok) qWarning("%s", qPrintable(err.text()));
    return outcome;
}

QByteArray state(int n) {
    return QByteArray("class file state ") + QByteArray::number(n);
}

QString lastLoggedFunction() {
    ErrorStream err;
    CppSQLite3DB db;
    db.open(strFunGetLogFilePath(err));
    CppSQLite3Query q = db.query("select fun from `error` order by rowid desc limit 1");
    return q.columnTextOr("fun", QString());
}

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(false); }
    void cleanup() {
        program_clock::setClock({});
        m_env.reset();
    }

    // Every entry of the folder counts toward the ten; the greatest names stay. `present` is put
    // into the folder first (a name ending in "/" is a folder, which cannot be deleted).
    void pruningKeepsTheTenGreatestNames_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<int>("left");

        QTest::newRow("eleven ticks") << QStringList() << 11 << QStringList{copyName(0)} << 10;
        QTest::newRow("foreign file among the ten")
            << QStringList{"0-notatka.txt"} << 9 << QStringList() << 10;
        QTest::newRow("foreign file drops out")
            << QStringList{"0-notatka.txt"} << 10 << QStringList{"0-notatka.txt"} << 10;
        QTest::newRow("foreign file above the copies")
            << QStringList{"zz-notatka.txt"} << 11 << QStringList{copyName(0), copyName(1)} << 10;
        QTest::newRow("a folder that stays does not stop the deletions")
            << QStringList{"1-folder/", "0-notatka.txt"} << 10 << QStringList{"0-notatka.txt"}
            << 11;
        QTest::newRow("name far longer than 99 characters")
            << QStringList{QStringLiteral("0-") + QString(200, QLatin1Char('x'))} << 10
            << QStringList{QStringLiteral("0-") + QString(200, QLatin1Char('x'))} << 10;
    }

    void pruningKeepsTheTenGreatestNames() {
        QFETCH(QStringList, present);
        QFETCH(int, ticks);
        QFETCH(QStringList, gone);
        QFETCH(int, left);

        QVERIFY(QDir().mkpath(backupDir()));
        for (const QString& name : present) {
            if (name.endsWith(QLatin1Char('/')))
                QVERIFY(QDir().mkpath(backupDir() + name));
            else
                writeFile(backupDir() + name, "a teacher's note");
        }
        for (int i = 0; i < ticks; ++i) QCOMPARE(tick(i, state(i)), BackupOutcome::Copied);

        const QStringList folder = backupFolder();
        QCOMPARE(folder.size(), left);
        for (const QString& name : gone) QVERIFY2(!folder.contains(name), qPrintable(name));
        // The newest copies are all there, each with its own state.
        for (int i = ticks - 1; i >= qMax(0, ticks - 9); --i)
            QCOMPARE(readFile(backupDir() + copyName(i)), state(i));
    }

    // Copies are named from the local time, the year as it is and the rest in two digits.
    void copiesAreNamedFromTheLocalTime() {
        QCOMPARE(tick(0, state(0)), BackupOutcome::Copied);
        QCOMPARE(backupFolder(), QStringList{"2014-06-09_100000.smrk"});
    }

    // Ten copies of one state would push the earlier states out: only a change makes a copy.
    void anUnchangedDatabaseAddsNoCopy() {
        QCOMPARE(tick(0, state(1)), BackupOutcome::Copied);
        QCOMPARE(tick(1, state(1)), BackupOutcome::Unchanged);
        QCOMPARE(tick(2, state(2)), BackupOutcome::Copied);
        QCOMPARE(backupFolder(), (QStringList{copyName(0), copyName(2)}));
        // Compared with the newest copy only: going back to an earlier state is a new state.
        QCOMPARE(tick(3, state(1)), BackupOutcome::Copied);
        QCOMPARE(backupFolder().size(), 3);
    }

    // Ticks with nothing consistent to copy succeed quietly and write nothing.
    void ticksWithNothingToCopyWriteNothing_data() {
        QTest::addColumn<bool>("workingDatabase");
        QTest::addColumn<QString>("beside");
        QTest::addColumn<BackupOutcome>("outcome");
        QTest::newRow("no class open") << false << QString() << BackupOutcome::NoWorkingDatabase;
        QTest::newRow("in the middle of a write")
            << true << QStringLiteral("-journal") << BackupOutcome::Busy;
    }

    void ticksWithNothingToCopyWriteNothing() {
        QFETCH(bool, workingDatabase);
        QFETCH(QString, beside);
        QFETCH(BackupOutcome, outcome);

        if (workingDatabase) writeFile(::workingDatabase(), state(0));
        if (!beside.isEmpty()) writeFile(::workingDatabase() + beside, "journal");
        program_clock::setClock([] { return kFirstTick; });
        ErrorStream err;
        BackupOutcome seen = BackupOutcome::Failed;
        QVERIFY(bFunBackupCopyFile(err, &seen));
        QCOMPARE(seen, outcome);
        QVERIFY(err.isEmpty());
        QVERIFY(backupFolder().isEmpty());
    }

    // A failure is told in the message of the step that failed, logged under its name, and
    // leaves no file under a copy's name.
    void failuresAreReported_data() {
        QTest::addColumn<bool>("folderIsAFile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("function");
        QTest::newRow("backup folder cannot be made")
            << true << QStringLiteral("Błąd podczas tworzenia katalogu:\n{dir}\nKod błędu: 17")
            << QStringLiteral("strFunGetMainDirPath()");
        QTest::newRow("disk full")
            << false
            << QStringLiteral("Błąd podczas próby kopiowania pliku z:\n{source}\ndo\n{target}"
                              "\nKod błędu: 27")
            << QStringLiteral("bFunBackupCopyFile()");
    }

    void failuresAreReported() {
        QFETCH(bool, folderIsAFile);
        QFETCH(QString, message);
        QFETCH(QString, function);

        const QString dir = backupDir().chopped(1);
        if (folderIsAFile) writeFile(dir, "not a folder");
        writeFile(workingDatabase(), QByteArray(64 * 1024, 'd'));
        program_clock::setClock([] { return kFirstTick; });
        ErrorStream err;
        BackupOutcome outcome = BackupOutcome::Copied;
        {
            const FileSizeLimit diskFull(32 * 1024);
            QVERIFY(!bFunBackupCopyFile(err, &outcome));
        }
        QCOMPARE(outcome, BackupOutcome::Failed);
        QCOMPARE(err.text(), QString(message)
                                 .replace("{dir}", dir)
                                 .replace("{source}", workingDatabase())
                                 .replace("{target}", backupDir() + copyName(0)));
        QCOMPARE(lastLoggedFunction(), function);
        if (!folderIsAFile) QVERIFY(backupFolder().isEmpty());
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
