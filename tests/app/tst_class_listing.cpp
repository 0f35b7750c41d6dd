#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/test_environment.h"

namespace {

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

// `semrik --list` run as the user runs it: the built program, no display.
class ClassListingTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheClass_data() {
        QTest::addColumn<QStringList>("files");  // fixture names; "-" for a file that is absent
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");  // %1 is the first file's path

        QTest::newRow("class file, Polish names in tree order")
            << QStringList{"klasa_cp1250.smrk"} << 0
            << "Gęślą Jaźmina\tPESEL03311204561\nŻółć Łukasz\tPESEL02270803628\n"
            << "";
        QTest::newRow("empty class file") << QStringList{"empty.smrk"} << 0 << ""
                                          << "";
        QTest::newRow("missing file") << QStringList{"-"} << 1 << ""
                                      << "Plik nie istnieje: %1\n";
        QTest::newRow("not a database") << QStringList{"text.smrk"} << 1 << ""
                                        << "Plik nie jest prawidłowym plikiem świadectw: %1\n";
        QTest::newRow("another program's database")
            << QStringList{"foreign.smrk"} << 1 << ""
            << "Plik nie jest prawidłowym plikiem świadectw: %1\n";
        QTest::newRow("no file named") << QStringList{} << 2 << ""
                                       << "Użycie: semrik --list PLIK.smrk\n";
        QTest::newRow("two files named")
            << QStringList{"klasa_cp1250.smrk", "klasa_cp1250.smrk"} << 2 << ""
            << "Użycie: semrik --list PLIK.smrk\n";
    }

    void listsTheClass() {
        QFETCH(QStringList, files);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        TestEnvironment env;

        QStringList paths;
        for (const QString& name : files) {
            if (name == "-") {
                paths << env.dataHome() + "/brak.smrk";
            } else if (name == "empty.smrk" || name == "text.smrk" || name == "foreign.smrk") {
                paths << env.dataHome() + "/" + name;
                if (name == "text.smrk") writeFile(paths.last(), "To nie jest baza danych.\n");
                if (name == "empty.smrk") writeFile(paths.last(), "");
                if (name == "foreign.smrk")
                    QVERIFY(QFile::copy(env.installDir() + "/ustawienia.sqset", paths.last()));
            } else {
                paths << env.fixture(name);
            }
        }
        const QByteArray before = paths.isEmpty() ? QByteArray() : fileHash(paths.first());

        QProcess semrik;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Any attempt to open a window would fail on this platform.
        environment.insert("QT_QPA_PLATFORM", "no-such-platform");
        environment.remove("DISPLAY");
        semrik.setProcessEnvironment(environment);
        semrik.start(QStringLiteral(SEMRIK_EXECUTABLE), QStringList{"--list"} + paths);
        QVERIFY(semrik.waitForFinished(30000));

        const QString firstPath = paths.value(0);
        QCOMPARE(QString::fromUtf8(semrik.readAllStandardError()),
                 error.contains("%1") ? error.arg(firstPath) : error);
        QCOMPARE(QString::fromUtf8(semrik.readAllStandardOutput()), output);
        QCOMPARE(semrik.exitStatus(), QProcess::NormalExit);
        QCOMPARE(semrik.exitCode(), exitCode);
        // Read in place: the file is unchanged and no working copy was made.
        if (!paths.isEmpty()) QCOMPARE(fileHash(paths.first()), before);
        ErrorStream err;
        QVERIFY(!QFile::exists(strFunGetTmpFilePath(err)));
    }
};

QTEST_GUILESS_MAIN(ClassListingTest)
#include "tst_class_listing.moc"
