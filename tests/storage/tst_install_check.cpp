#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cerrno>

#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/sql_text.h"
#include "support/file_contents.h"
#include "support/test_environment.h"

namespace {

struct Listed {
    QString name;
    int update;
};

// A catalogue in the installation directory; `files` rows in the given order.
void writeCatalogue(const TestEnvironment& env, const QStringList& dirs, const QList<Listed>& files) {
    CppSQLite3DB db;
    db.open(env.installDir() + QStringLiteral("/pliki_kat.sqset"));
    db.execute(QStringLiteral("create table `dir`( `name` TEXT ); create table `files`( `name` TEXT, `update` INTEGER );"));
    for (const QString& dir : dirs) db.execute(QStringLiteral("insert into `dir` values( '%1' )").arg(dir));
    for (const Listed& file : files) {
        db.execute(QStringLiteral("insert into `files` values( '%1', %2 )").arg(file.name).arg(file.update));
    }
}

// A calibration database at `path` with the given tables and, per table, the names of its rows.
void writeCalibration(const QString& path, const QList<QPair<QString, QStringList>>& tables) {
    CppSQLite3DB db;
    db.open(path);
    for (const auto& [table, names] : tables) {
        db.execute(QStringLiteral("create table `%1`( `name` TEXT, `x1` INTEGER, `y1` INTEGER, "
                                  "`x2` INTEGER, `y2` INTEGER, `font_name` TEXT, `font_size` INTEGER, "
                                  "`font_align` INTEGER, `font_style_bold` INTEGER, "
                                  "`font_style_italic` INTEGER, `font_style_underline` INTEGER, "
                                  "`font_style_strike` INTEGER )")
                       .arg(table));
        for (const QString& name : names)
            db.execute(QStringLiteral("insert into `%1` values( '%2', 1, 2, 3, 4, 'Times New Roman', "
                                      "12, 1, 0, 0, 0, 0 )")
                           .arg(table, sql::escaped(name)));
    }
}

// "name@x1" of every row of `table`, in stored order.
QStringList calibrationRows(const QString& path, const QString& table) {
    QStringList rows;
    CppSQLite3DB db;
    db.open(path);
    db.forEachRow(QStringLiteral("select * from `%1`").arg(table), [&rows](const CppSQLite3Query& row) {
        rows << row.columnTextOr(QStringLiteral("name")) + QLatin1Char('@') +
                    QString::number(row.columnInt(QStringLiteral("x1")));
    });
    return rows;
}

int storedUpdateFlag(const TestEnvironment& env, const QString& name) {
    CppSQLite3DB db;
    db.open(env.installDir() + QStringLiteral("/pliki_kat.sqset"));
    return db.scalar(QStringLiteral("select `update` from `files` where `name` = '%1'").arg(name), -1);
}

}  // namespace

// The start-up installation of directories and shipped files from the catalogue.
class TestInstallCheck : public QObject {
    Q_OBJECT

private slots:
    void missingCatalogue() {
        TestEnvironment env(false);
        ErrorStream err;
        QVERIFY(!bFunCheckFilesDir(err));
        QCOMPARE(err.text(), QStringLiteral("Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n"
                                            "Plik nie istnieje: ")
                                 + env.installDir() + QStringLiteral("/pliki_kat.sqset"));
    }

    void catalogueWithoutTables() {
        TestEnvironment env(false);
        QFile(env.installDir() + QStringLiteral("/pliki_kat.sqset")).open(QIODevice::WriteOnly);
        ErrorStream err;
        QVERIFY(!bFunCheckFilesDir(err));
        QCOMPARE(err.text(), QStringLiteral("Sql exception: SQLITE_ERROR"));
    }

    // All directories come first, so a file may be listed inside one of them.
    void directoriesBeforeFiles() {
        TestEnvironment env(false);
        writeCatalogue(env, {QStringLiteral("grafika"), QStringLiteral("backup")},
                       {{QStringLiteral("grafika/orzeł.png"), 0}, {QStringLiteral("ustawienia.sqset"), 0}});
        writeFile(env.installDir() + QStringLiteral("/grafika/orzeł.png"), "eagle");
        writeFile(env.installDir() + QStringLiteral("/ustawienia.sqset"), "settings");

        ErrorStream err;
        QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
        QVERIFY(err.isEmpty());
        QVERIFY(QFileInfo(env.mainDir() + QStringLiteral("/backup")).isDir());
        QCOMPARE(readFile(env.mainDir() + QStringLiteral("/grafika/orzeł.png")), QByteArray("eagle"));
        QCOMPARE(readFile(env.mainDir() + QStringLiteral("/ustawienia.sqset")), QByteArray("settings"));
    }

    // Flag 0 leaves an installed copy alone; flag 1 replaces it once and then reads 0.
    void updateFlag_data() {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QByteArray>("afterFirstStart");
        QTest::newRow("keep") << 0 << QByteArray("user's copy");
        QTest::newRow("replace") << 1 << QByteArray("shipped v2");
    }
    void updateFlag() {
        QFETCH(int, flag);
        QFETCH(QByteArray, afterFirstStart);
        TestEnvironment env(false);
        writeCatalogue(env, {}, {{QStringLiteral("semrik_kalibracja.sqset"), flag}});
        writeFile(env.installDir() + QStringLiteral("/semrik_kalibracja.sqset"), "shipped v2");
        const QString installed = env.mainDir() + QStringLiteral("/semrik_kalibracja.sqset");
        writeFile(installed, "user's copy");

        ErrorStream err;
        QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
        QCOMPARE(readFile(installed), afterFirstStart);
        QCOMPARE(storedUpdateFlag(env, QStringLiteral("semrik_kalibracja.sqset")), 0);

        writeFile(installed, "edited later");
        QVERIFY(bFunCheckFilesDir(err));
        QCOMPARE(readFile(installed), QByteArray("edited later"));
    }

    // A newer program's rows reach the tables the user has none in; calibrated tables stay.
    void suppliesCalibrationTablesWithoutRows() {
        TestEnvironment env(false);
        writeCatalogue(env, {}, {{QStringLiteral("semrik_kalibracja.sqset"), 0}});
        writeCalibration(env.installDir() + QStringLiteral("/semrik_kalibracja.sqset"),
                         {{QStringLiteral("klasa_4"), {QStringLiteral("shipped")}},
                          {QStringLiteral("wywiadowka"), {QStringLiteral("A'1"), QStringLiteral("A2")}},
                          {QStringLiteral("arkusz_str1"), {QStringLiteral("S")}}});
        const QString working = env.mainDir() + QStringLiteral("/semrik_kalibracja.sqset");
        writeCalibration(working, {{QStringLiteral("klasa_4"), {QStringLiteral("calibrated")}},
                                   {QStringLiteral("wywiadowka"), {}}});
        CppSQLite3DB db;
        db.open(working);
        db.execute(QStringLiteral("update `klasa_4` set `x1` = 120"));
        db.close();

        for (int start = 1; start <= 2; ++start) {
            ErrorStream err;
            QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
            QCOMPARE(calibrationRows(working, QStringLiteral("klasa_4")),
                     QStringList{QStringLiteral("calibrated@120")});
            QCOMPARE(calibrationRows(working, QStringLiteral("wywiadowka")),
                     (QStringList{QStringLiteral("A'1@1"), QStringLiteral("A2@1")}));
            QCOMPARE(calibrationRows(working, QStringLiteral("arkusz_str1")),
                     QStringList{QStringLiteral("S@1")});
        }
    }

    void missingShippedFile() {
        TestEnvironment env(false);
        writeCatalogue(env, {}, {{QStringLiteral("ustawienia.sqset"), 0}, {QStringLiteral("brak.sqset"), 1}});
        writeFile(env.installDir() + QStringLiteral("/ustawienia.sqset"), "settings");

        ErrorStream err;
        QVERIFY(!bFunCheckFilesDir(err));
        QCOMPARE(err.text(), QStringLiteral("Błąd podczas kopiowania pliku.\n\nZ: ") + env.installDir()
                                 + QStringLiteral("/brak.sqset\ndo: ") + env.mainDir()
                                 + QStringLiteral("/brak.sqset\n\n Kod błędu: %1").arg(ENOENT));
        QVERIFY(QFileInfo::exists(env.mainDir() + QStringLiteral("/ustawienia.sqset")));
        QCOMPARE(storedUpdateFlag(env, QStringLiteral("brak.sqset")), 1);
    }

    // An installation folder the user cannot write to must still start when nothing is flagged.
    void readOnlyCatalogueWithoutFlags() {
        TestEnvironment env(false);
        writeCatalogue(env, {QStringLiteral("backup")}, {{QStringLiteral("ustawienia.sqset"), 0}});
        writeFile(env.installDir() + QStringLiteral("/ustawienia.sqset"), "settings");
        CppSQLite3DB db;
        db.open(env.installDir() + QStringLiteral("/pliki_kat.sqset"));
        // Another connection holding the write lock stands in for a read-only file (even for root):
        // reading works, any write would wait and then fail.
        db.execute(QStringLiteral("begin immediate"));
        ErrorStream err;
        QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
        QVERIFY(QFileInfo::exists(env.mainDir() + QStringLiteral("/ustawienia.sqset")));
    }
};

QTEST_GUILESS_MAIN(TestInstallCheck)
#include "tst_install_check.moc"
