#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cerrno>

#include "storage/safe_replace.h"
#include "storage/system_error.h"
#include "support/file_contents.h"
#include "support/file_size_limit.h"

namespace {

// Larger than the copy buffer, so the copy takes several rounds and can break off midway.
QByteArray someClassFile() {
    QByteArray bytes(200 * 1024, '\0');
    QRandomGenerator generator(42);
    for (char& byte : bytes) byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

}  // namespace

// Saving a class file goes through a temporary file and a rename, so the user's file is either
// the old one or the complete new one, never a torn mixture, and no temporary file is left.
class SafeReplaceTest : public QObject {
    Q_OBJECT

private slots:
    void replaceOrKeep_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("expectedCode");  // 0: the replace succeeds

        QTest::newRow("new target") << "new target" << 0;
        QTest::newRow("existing target") << "existing target" << 0;
        QTest::newRow("stale temporary of a crashed save") << "stale temporary" << 0;
        QTest::newRow("source missing") << "source missing" << ENOENT;
        QTest::newRow("source unreadable midway (a folder)") << "source is a folder" << EISDIR;
        QTest::newRow("disk full midway") << "disk full" << EFBIG;
        QTest::newRow("target is a folder") << "target is a folder" << EISDIR;
    }

    void replaceOrKeep() {
        QFETCH(QString, situation);
        QFETCH(int, expectedCode);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString source = dir.filePath("data_tmp.sqtmp");
        const QString target = dir.filePath("klasa 4a.smrk");
        const QByteArray newContent = someClassFile();
        const QByteArray oldContent = "the class as saved last week";
        QStringList expectedEntries{"data_tmp.sqtmp", "klasa 4a.smrk"};

        if (situation == "source is a folder") {
            QVERIFY(QDir().mkpath(source));
        } else if (situation != "source missing") {
            writeFile(source, newContent);
        }
        if (situation == "target is a folder") {
            QVERIFY(QDir().mkpath(target + "/inside"));
        } else if (situation != "new target") {
            writeFile(target, oldContent);
        }
        if (situation == "stale temporary") {
            writeFile(target + ".tmp", "left by a crash");
            expectedEntries << "klasa 4a.smrk.tmp";
        }
        if (situation == "source missing") expectedEntries.removeOne("data_tmp.sqtmp");

        setLastSystemErrorCode(0);
        bool replaced = false;
        if (situation == "disk full") {
            const FileSizeLimit limit(100 * 1024);
            replaced = bFunReplaceFileSafely(source, target);
        } else {
            replaced = bFunReplaceFileSafely(source, target);
        }

        QCOMPARE(replaced, expectedCode == 0);
        QCOMPARE(lastSystemErrorCode(), expectedCode);
        expectedEntries.sort();
        QCOMPARE(QDir(dir.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 expectedEntries);
        if (replaced) {
            QCOMPARE(readFile(target), newContent);
        } else if (situation == "target is a folder") {
            QVERIFY(QFileInfo(target + "/inside").isDir());
        } else {
            QCOMPARE(readFile(target), oldContent);
        }
    }

    void permissionsOfTheTarget_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");

        QTest::newRow("kept") << 0640 << 0640;
        QTest::newRow("read-only made writable for the owner") << 0444 << 0644;
    }

    void permissionsOfTheTarget() {
        QFETCH(int, before);
        QFETCH(int, after);
        QTemporaryDir dir;
        const QString source = dir.filePath("source");
        const QString target = dir.filePath("target.smrk");
        writeFile(source, "new");
        QVERIFY(::chmod(QFile::encodeName(source).constData(), 0600) == 0);
        writeFile(target, "old");
        QVERIFY(::chmod(QFile::encodeName(target).constData(), mode_t(before)) == 0);

        QVERIFY(bFunReplaceFileSafely(source, target));

        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(target).constData(), &info) == 0);
        QCOMPARE(int(info.st_mode & 07777), after);
    }

    void linkedTargetReplacesTheFileItPointsTo() {
        QTemporaryDir dir;
        const QString source = dir.filePath("source");
        const QString real = dir.filePath("real.smrk");
        const QString link = dir.filePath("link.smrk");
        writeFile(source, "new");
        writeFile(real, "old");
        QVERIFY(QFile::link(real, link));

        QVERIFY(bFunReplaceFileSafely(source, link));

        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(real), QByteArray("new"));
    }
};

QTEST_MAIN(SafeReplaceTest)
#include "tst_safe_replace.moc"
