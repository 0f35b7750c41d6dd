#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cerrno>

#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/file_ops.h"
#include "storage/paths.h"
#include "storage/system_error.h"
#include "support/file_contents.h"
#include "support/test_environment.h"

namespace {

// The function name and text of the newest row of the error log, or "" when there is none.
QString lastLoggedFunction(const QString& mainDir) {
    const QString path = mainDir + QStringLiteral("/logs.sqdb");
    if (!QFileInfo::exists(path)) return QString();
    CppSQLite3DB db;
    db.open(path);
    CppSQLite3Query q = db.query(QStringLiteral("select fun from `error` order by rowid desc limit 1"));
    return q.columnTextOr(QStringLiteral("fun"), QString());
}

}  // namespace

// Where the program keeps its files, and the file operations on them.
class TestPathsFiles : public QObject {
    Q_OBJECT

private slots:
    void transliterate_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("login with Polish letters") << "Żółw Łoś" << "zolw Los";
        QTest::newRow("every letter") << "ĄąĆćĘęŁłŃńÓóŚśŹźŻż" << "AaCcEeLlNnOoSsZzzz";
        QTest::newRow("others stay") << "Jan.Kowalski-ß_é 2" << "Jan.Kowalski-ß_é 2";
    }
    void transliterate() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(strFunTransliterate(name), expected);
    }

    void mainDirIsCreatedUnderDataHome() {
        TestEnvironment env(false);
        ErrorStream err;
        const QString makerDir = env.dataHome() + QStringLiteral("/Orvento-Kelm");
        const QString dir = strFunGetMainDirPath(err);
        QVERIFY2(dir.startsWith(makerDir + QLatin1Char('/')), qPrintable(dir));
        const QString user = dir.mid(makerDir.size() + 1);
        QVERIFY(!user.isEmpty() && !user.contains(QLatin1Char('/')));
        QCOMPARE(strFunTransliterate(user), user);
        QVERIFY(QFileInfo(dir).isDir());
        QVERIFY(err.isEmpty());

        // A folder removed while the program runs comes back with the next request.
        QVERIFY(QDir(makerDir).removeRecursively());
        QCOMPARE(strFunGetTmpFilePath(err), dir + QStringLiteral("/data_tmp.sqtmp"));
        QVERIFY(QFileInfo(dir).isDir());

        QCOMPARE(strFunGetSettingsFilePath(err, false), dir + QStringLiteral("/ustawienia.sqset"));
        QCOMPARE(strFunGetSettingsFilePath(err, true), env.installDir() + QStringLiteral("/ustawienia.sqset"));
        QCOMPARE(strFunGetCalibFilePath(err, false), dir + QStringLiteral("/semrik_kalibracja.sqset"));
        QCOMPARE(strFunGetCalibFilePath(err, true), env.installDir() + QStringLiteral("/semrik_kalibracja.sqset"));
        QCOMPARE(strFunGetLogFilePath(err), dir + QStringLiteral("/logs.sqdb"));
    }

    void exeDirFallsBackToTheProgramFolder() {
        { TestEnvironment env(false); QCOMPARE(strFunGetExeDirPath(), env.installDir()); }
        QCOMPARE(strFunGetExeDirPath(), QCoreApplication::applicationDirPath());
    }

    // No fixed path buffer: a data folder far past 255 characters, not yet existing, works.
    void longDataHomeWorks() {
        TestEnvironment env(false);
        const QString segment(120, QLatin1Char('d'));
        const QString dataHome = env.dataHome() + QStringLiteral("/%1/%1/%1").arg(segment);
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));

        ErrorStream err;
        const QString dir = strFunGetMainDirPath(err);
        QVERIFY2(dir.startsWith(dataHome + QStringLiteral("/Orvento-Kelm/")), qPrintable(err.text()));
        QVERIFY(dir.size() > 300);
        QVERIFY(QFileInfo(dir).isDir());

        // The paths built on it work as well: a failed copy is logged there.
        QVERIFY(!bFunCopyFile(err, env.installDir() + QStringLiteral("/none"), dir + QStringLiteral("/x"), true));
        QCOMPARE(lastLoggedFunction(dir), QStringLiteral("bFunCopyFile()"));
    }

    // A file in the way of the maker's folder: the request fails with the creation message,
    // and the log writer, which needs that folder too, neither recurses nor writes elsewhere.
    void uncreatableDirectoryIsReported() {
        TestEnvironment env(false);
        const QString blocker = env.dataHome() + QStringLiteral("/Orvento-Kelm");
        writeFile(blocker, "not a folder");

        ErrorStream err;
        QCOMPARE(strFunGetMainDirPath(err), QString());
        QCOMPARE(err.text(), QStringLiteral("Błąd podczas tworzenia katalogu:\n") + blocker
                                 + QStringLiteral("\nKod błędu: %1").arg(EEXIST));
        QCOMPARE(lastSystemErrorCode(), EEXIST);

        // Without a data folder the file paths are empty, never relative to the root.
        QCOMPARE(strFunGetTmpFilePath(err), QString());
        QCOMPARE(strFunGetSettingsFilePath(err, false), QString());
        QVERIFY(bFunDeleteTmpFile(err));
        QCOMPARE(QDir(env.dataHome()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {QStringLiteral("Orvento-Kelm")});
    }

    void copyFile_data() {
        QTest::addColumn<bool>("sourceExists");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("failIfExists");
        QTest::addColumn<int>("error");  // 0: the copy succeeds
        QTest::newRow("new target") << true << false << true << 0;
        QTest::newRow("overwrite") << true << true << false << 0;
        QTest::newRow("fail if exists") << true << true << true << EEXIST;
        QTest::newRow("missing source") << false << false << false << ENOENT;
    }
    void copyFile() {
        QFETCH(bool, sourceExists);
        QFETCH(bool, targetExists);
        QFETCH(bool, failIfExists);
        QFETCH(int, error);
        TestEnvironment env(false);
        const QString source = env.installDir() + QStringLiteral("/źródło.sqset");
        const QString target = env.mainDir() + QStringLiteral("/cel.sqset");
        if (sourceExists) writeFile(source, "new");
        if (targetExists) writeFile(target, "old");

        ErrorStream err;
        err << "stale";
        QCOMPARE(bFunCopyFile(err, source, target, failIfExists), error == 0);
        if (error == 0) {
            QCOMPARE(readFile(target), QByteArray("new"));
            return;
        }
        QCOMPARE(err.text(), QStringLiteral("Błąd podczas kopiowania pliku.\n\nZ: ") + source + QStringLiteral("\ndo: ")
                                 + target + QStringLiteral("\n\n Kod błędu: %1").arg(error));
        QCOMPARE(lastSystemErrorCode(), error);
        QCOMPARE(lastLoggedFunction(env.mainDir()), QStringLiteral("bFunCopyFile()"));
        if (targetExists) QCOMPARE(readFile(target), QByteArray("old"));
    }

    void deleteTmpFile() {
        TestEnvironment env(false);
        ErrorStream err;
        const QString tmp = strFunGetTmpFilePath(err);
        QVERIFY(bFunDeleteTmpFile(err));  // none there: nothing to do
        QVERIFY(err.isEmpty());

        writeFile(tmp, "pupils");
        QFile(tmp).setPermissions(QFile::ReadOwner);
        writeFile(tmp + QStringLiteral("-journal"), "left by a crash");
        QVERIFY(bFunDeleteTmpFile(err));
        QVERIFY(!QFileInfo::exists(tmp));
        QVERIFY(!QFileInfo::exists(tmp + QStringLiteral("-journal")));

        // Something that cannot be removed stands at the path.
        QVERIFY(QDir().mkpath(tmp + QStringLiteral("/inside")));
        QVERIFY(!bFunDeleteTmpFile(err));
        QCOMPARE(err.text(), QStringLiteral("Błąd podczas próby kasowania pliku\n") + tmp
                                 + QStringLiteral("\nKod błędu: %1").arg(lastSystemErrorCode()));
        QVERIFY(lastSystemErrorCode() != 0);
        QCOMPARE(lastLoggedFunction(env.mainDir()), QStringLiteral("bFunDeleteTmpFile()"));
    }

    void clearFileAttributes() {
        TestEnvironment env(false);
        const QString path = env.mainDir() + QStringLiteral("/tylko do odczytu.smrk");
        writeFile(path, "x");
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(bFunClearFileAttributes(path));
        QVERIFY(QFile(path).permissions().testFlag(QFile::WriteOwner));
        QVERIFY(QFile(path).permissions().testFlag(QFile::ReadGroup));

        setLastSystemErrorCode(0);
        QVERIFY(!bFunClearFileAttributes(path + QStringLiteral(".missing")));
        QCOMPARE(lastSystemErrorCode(), ENOENT);
    }

    void replaceAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("every occurrence") << "a\\b\\\\c" << "\\" << "/" << "a/b//c";
        QTest::newRow("replacement holds the text") << "'a'" << "'" << "''" << "''a''";
        QTest::newRow("nothing to find") << "abc" << "x" << "y" << "abc";
        QTest::newRow("empty find") << "abc" << "" << "y" << "abc";
    }
    void replaceAll() {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        vFunReplaceAll(text, find, replacement);
        QCOMPARE(text, expected);
    }
};

QTEST_GUILESS_MAIN(TestPathsFiles)
#include "tst_paths_files.moc"
