// The files generated at build time: what the program installs and reads at its first start,
// and the tool that builds the databases.

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "storage/database.h"

namespace {

QString shippedPath(const QString& name) {
    return QStringLiteral(SEMRIK_SHIPPED_DIR "/") + name;
}

// Opening creates a missing file, which would then pass for an up-to-date build output.
bool openExisting(CppSQLite3DB& db, const QString& path) {
    if (!QFile::exists(path)) {
        qWarning("missing: %s", qPrintable(path));
        return false;
    }
    db.open(path);
    return true;
}

QStringList textColumn(CppSQLite3DB& db, const QString& sql, int column = 0) {
    QStringList values;
    for (CppSQLite3Query q = db.query(sql); !q.atEnd(); q.advance())
        values << q.columnTextOr(column);
    return values;
}

const QStringList kCalibrationTables = {
    "klasa_4",         "klasa_4_bk",      "klasa_4_wyr",     "klasa_4_wyr_bk",  "klasa_5",
    "klasa_5_bk",      "klasa_5_wyr",     "klasa_5_wyr_bk",  "klasa_6",         "klasa_6_bk",
    "klasa_6_wyr",     "klasa_6_wyr_bk",  "klasa_4a",        "klasa_4a_bk",     "klasa_4a_wyr",
    "klasa_4a_wyr_bk", "klasa_5a",        "klasa_5a_bk",     "klasa_5a_wyr",    "klasa_5a_wyr_bk",
    "klasa_6a",        "klasa_6a_bk",     "klasa_6a_wyr",    "klasa_6a_wyr_bk", "wywiadowka",
    "arkusz_str1",     "arkusz_klasa_4",  "arkusz_klasa_5",  "arkusz_klasa_6",  "arkusz_str1b",
    "arkusz_klasa_4b", "arkusz_klasa_5b", "arkusz_klasa_6b",
};

}  // namespace

class ShippedFilesTest : public QObject {
    Q_OBJECT

private slots:
    void everyCataloguedFileIsShipped();
    void calibrationHoldsExactlyTheDocumentTables();
    void calibrationTableColumns_data();
    void calibrationTableColumns();
    void integerSettings_data();
    void integerSettings();
    void textSettings_data();
    void textSettings();
    void firstMarginPresetFitsA4();
    void polishNamesAreStoredAsWindows1250();
    void placeListsHoldEachNameOnce();

    void toolBuildsAndReplacesOutput();
    void toolLeavesNoFileOnFailure_data();
    void toolLeavesNoFileOnFailure();
};

void ShippedFilesTest::everyCataloguedFileIsShipped() {
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("pliki_kat.sqset")));
    int listed = 0;
    for (CppSQLite3Query q = db.query("select * from `files`"); !q.atEnd(); q.advance()) {
        const QString name = q.columnTextOr(QStringLiteral("name"));
        QVERIFY2(QFile::exists(shippedPath(name)), qPrintable(name));
        // 1 would overwrite every user's own settings and calibration at the next start.
        QCOMPARE(q.columnInt(QStringLiteral("update")), 0);
        ++listed;
    }
    QVERIFY(listed > 0);
    QCOMPARE(textColumn(db, "select `name` from `dir`"),
             QStringList({"grafika", "backup", "aktualizacja"}));
    // Opened from the program's folder, not installed through the catalogue.
    QVERIFY(QFile::exists(shippedPath("Rezizavevo.html")));
}

void ShippedFilesTest::calibrationHoldsExactlyTheDocumentTables() {
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("semrik_kalibracja.sqset")));
    QStringList tables = textColumn(db, "select name from sqlite_master where type='table'");
    QStringList expected = kCalibrationTables;
    tables.sort();
    expected.sort();
    QCOMPARE(tables, expected);
}

void ShippedFilesTest::calibrationTableColumns_data() {
    QTest::addColumn<QString>("table");
    for (const QString& table : kCalibrationTables) QTest::newRow(qPrintable(table)) << table;
}

void ShippedFilesTest::calibrationTableColumns() {
    QFETCH(QString, table);
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("semrik_kalibracja.sqset")));
    QStringList columns;
    for (CppSQLite3Query q = db.query("pragma table_info(`" + table + "`)"); !q.atEnd();
         q.advance()) {
        columns << q.columnTextOr(QStringLiteral("name")) + ' ' +
                       q.columnTextOr(QStringLiteral("type"));
    }
    QCOMPARE(columns,
             QStringList({"name TEXT", "x1 INTEGER", "y1 INTEGER", "x2 INTEGER", "y2 INTEGER",
                          "font_name TEXT", "font_size INTEGER", "font_align INTEGER",
                          "font_style_bold INTEGER", "font_style_italic INTEGER",
                          "font_style_underline INTEGER", "font_style_strike INTEGER"}));
}

void ShippedFilesTest::integerSettings_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("import_alert") << "import_alert" << 1;
    QTest::newRow("strike_empty_fields") << "strike_empty_fields" << 1;
    QTest::newRow("print_without_dots") << "print_without_dots" << 0;
    QTest::newRow("word_wrap") << "word_wrap" << 0;
    QTest::newRow("create_school_data_template") << "create_school_data_template" << 1;
}

void ShippedFilesTest::integerSettings() {
    QFETCH(QString, key);
    QFETCH(int, value);
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("ustawienia.sqset")));
    // The reader takes the first row and the writer updates all, so one row per key.
    CppSQLite3Query q = db.query("select `int_value` from `settings` where `name`='" + key + "'");
    QVERIFY2(!q.atEnd(), "no row");
    QCOMPARE(q.columnInt(0, -1), value);
    q.advance();
    QVERIFY2(q.atEnd(), "more than one row");
}

void ShippedFilesTest::textSettings_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("update_server_scheme") << "update_server_scheme" << "https";
    QTest::newRow("update_server_host") << "update_server_host"
                                        << "aktualizacje.orvento.example";
    QTest::newRow("update_version_path") << "update_version_path"
                                         << "/orvento/semrik/program/2014/semrik_wersja.bin";
    QTest::newRow("update_installer_path") << "update_installer_path"
                                           << "/orvento/semrik/program/2014/semriksetup.exe";
    QTest::newRow("update_local_file") << "update_local_file" << "nowy.exe";
    QTest::newRow("contact_page_url") << "contact_page_url"
                                      << "https://www.orvento.example/kontakt";
    QTest::newRow("support_email") << "support_email"
                                   << "pomoc@orvento.example";
    QTest::newRow("about_contact_text")
        << "about_contact_text"
        << "Orvento-Kelm\nul. Szkolna 1, 00-001 Warszawa\ntel. 22 000 00 00\n"
           "www.orvento.example\npomoc@orvento.example";
}

void ShippedFilesTest::textSettings() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("ustawienia.sqset")));
    QCOMPARE(textColumn(db, "select `text_value` from `settings` where `name`='" + key + "'"),
             QStringList{value});
}

void ShippedFilesTest::firstMarginPresetFitsA4() {
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("ustawienia.sqset")));
    CppSQLite3Query q = db.query("select * from `margin`");
    QVERIFY2(!q.atEnd(), "no preset");
    QVERIFY(!q.columnTextOr(QStringLiteral("name")).isEmpty());
    for (const QString& page : {QStringLiteral("Page1"), QStringLiteral("Page2")}) {
        const int x1 = q.columnInt(page + "X1"), y1 = q.columnInt(page + "Y1");
        const int x2 = q.columnInt(page + "X2"), y2 = q.columnInt(page + "Y2");
        const QString rect =
            QStringLiteral("%1: %2,%3 - %4,%5").arg(page).arg(x1).arg(y1).arg(x2).arg(y2);
        QVERIFY2(0 <= x1 && x1 < x2 && x2 <= 210, qPrintable(rect));
        QVERIFY2(0 <= y1 && y1 < y2 && y2 <= 297, qPrintable(rect));
    }
}

void ShippedFilesTest::polishNamesAreStoredAsWindows1250() {
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("ustawienia.sqset")));
    // Ł ó d ź in Windows-1250; UTF-8 would be C581C3B364C5BA.
    QCOMPARE(textColumn(db, "select `name` from `city` where hex(`name`)='A3F3649F'"),
             QStringList{QStringLiteral(u"Łódź")});
    QCOMPARE(db.scalar(QStringLiteral(u"select count(*) from `province` where `name`='śląskie'")),
             1);
}

void ShippedFilesTest::placeListsHoldEachNameOnce() {
    CppSQLite3DB db;
    QVERIFY(openExisting(db, shippedPath("ustawienia.sqset")));
    const QStringList provinces = textColumn(db, "select `name` from `province`");
    QCOMPARE(provinces.size(), 16);
    QCOMPARE(QSet<QString>(provinces.begin(), provinces.end()).size(), 16);
    for (const QString& province : provinces) QCOMPARE(province, province.toLower());
    QCOMPARE(db.scalar("select count(distinct `name`) from `city`"),
             db.scalar("select count(*) from `city`"));
}

namespace {

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

ToolRun runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(SEMRIK_BUILD_SQSET), arguments);
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// Writes each body to dir/<index>.sql; a null body leaves that script missing.
QStringList writeScripts(const QTemporaryDir& dir, const QByteArrayList& bodies) {
    QStringList paths;
    for (qsizetype i = 0; i < bodies.size(); ++i) {
        paths << dir.filePath(QString::number(i) + ".sql");
        if (bodies[i].isNull()) continue;
        QFile file(paths.last());
        if (file.open(QIODevice::WriteOnly)) file.write(bodies[i]);
    }
    return paths;
}

void writeJunk(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write("not a database");
}

}  // namespace

void ShippedFilesTest::toolBuildsAndReplacesOutput() {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.sqset");
    writeJunk(out);           // a previous build's file is replaced
    writeJunk(out + ".tmp");  // a crashed run's leftover is not built upon
    const QStringList scripts = writeScripts(
        dir, {"create table `t`( `name` TEXT );", "insert into `t` values ('Kędzierzyn-Koźle');"});

    const ToolRun run = runTool(QStringList{out} + scripts);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QVERIFY(!QFile::exists(out + ".tmp"));
    CppSQLite3DB db;
    QVERIFY(openExisting(db, out));
    QCOMPARE(textColumn(db, "select `name` from `t`"),
             QStringList{QStringLiteral(u"Kędzierzyn-Koźle")});
}

void ShippedFilesTest::toolLeavesNoFileOnFailure_data() {
    QTest::addColumn<QByteArrayList>("scripts");
    QTest::addColumn<int>("failing");  // index of the script the error must name

    const QByteArray table = "create table `t`( `name` TEXT );";
    QTest::newRow("syntax error after a good script")
        << QByteArrayList{table, "insert into `t` valuez ('a');"} << 1;
    QTest::newRow("missing script") << QByteArrayList{table, QByteArray()} << 1;
    QTest::newRow("not UTF-8") << QByteArrayList{"insert into `t` values ('\xff\xfe');"} << 0;
    // U+0416 (Ж) has no Windows-1250 code; it must not become '?' in the database.
    QTest::newRow("text outside Windows-1250")
        << QByteArrayList{table, "insert into `t` values ('\xd0\x96');"} << 1;
}

void ShippedFilesTest::toolLeavesNoFileOnFailure() {
    QFETCH(QByteArrayList, scripts);
    QFETCH(int, failing);
    QTemporaryDir dir;
    const QString out = dir.filePath("out.sqset");
    const QStringList paths = writeScripts(dir, scripts);

    const ToolRun run = runTool(QStringList{out} + paths);
    QVERIFY2(run.exitCode > 0, qPrintable(QString::number(run.exitCode)));
    QVERIFY2(run.errors.contains(paths[failing]), qPrintable(run.errors));
    QVERIFY(!QFile::exists(out));
    QVERIFY(!QFile::exists(out + ".tmp"));
}

QTEST_GUILESS_MAIN(ShippedFilesTest)
#include "tst_shipped_files.moc"
