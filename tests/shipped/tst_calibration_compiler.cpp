// build_calibration_sql: one face description expands into the 24 certificate tables, each
// member getting what its paper needs; a malformed description stops the build at its line.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "storage/database.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

ToolRun compile(const QString& face, const QString& out) {
    QProcess process;
    process.start(QStringLiteral(SEMRIK_BUILD_CALIBRATION_SQL), {face, out});
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(content);
}

const QByteArray kStyles =
    "style body \"Times New Roman\" 14\n"
    "style odd \"O'Brien Serif\" 10 bold italic\n"
    "dot-offset -3\n";

const QStringList kTables = [] {
    QStringList tables;
    for (const char* grade : {"4", "5", "6"})
        for (const char* series : {"", "a"})
            for (const char* distinction : {"", "_wyr"})
                for (const char* dots : {"", "_bk"})
                    tables
                        << QStringLiteral("klasa_%1%2%3%4").arg(grade, series, distinction, dots);
    return tables;
}();

}  // namespace

class CalibrationCompilerTest : public QObject {
    Q_OBJECT

private slots:
    void expandsTheFaceIntoEveryTable_data();
    void expandsTheFaceIntoEveryTable();
    void rowValues();
    void malformedDescriptionNamesItsLine_data();
    void malformedDescriptionNamesItsLine();

private:
    void buildFixture();
    QTemporaryDir m_dir;
    QString m_database;
};

// Compiles a small face and runs the script against the 24 empty tables, as the build does.
void CalibrationCompilerTest::buildFixture() {
    if (!m_database.isEmpty()) return;
    const QString face = m_dir.filePath("face.txt");
    writeFile(face,
              kStyles +
                  "side 1\n"
                  "mark \"GRAFIKA: ORZELEK\" 397 70 487 173 body\n"
                  "label STALY_I_STR1_DATA_LABEL 95 101 770 odd left when promotion !distinction\n"
                  "field ZMIENNA_Klasa_STR1_DATA_EDIT 120 400 300 body centre dots when promotion\n"
                  "line STALY_PieczecPodpisDyr_STR1_LINIA_Z_KROPEK 480 790 1080 body\n"
                  "side 2\n"
                  "field ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX 475 790 562 body centre "
                  "dots 470 795 when series-a\n");
    const QString sql = m_dir.filePath("rows.sql");
    const ToolRun run = compile(face, sql);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));

    m_database = m_dir.filePath("calibration.sqset");
    CppSQLite3DB db;
    db.open(m_database);
    for (const QString& table : kTables)
        db.execute("create table `" + table +
                   "`( `name` TEXT, `x1` INTEGER, `y1` INTEGER, `x2` INTEGER, `y2` INTEGER, "
                   "`font_name` TEXT, `font_size` INTEGER, `font_align` INTEGER, "
                   "`font_style_bold` INTEGER, `font_style_italic` INTEGER, "
                   "`font_style_underline` INTEGER, `font_style_strike` INTEGER );");
    QFile script(sql);
    QVERIFY(script.open(QIODevice::ReadOnly));
    db.execute(QString::fromUtf8(script.readAll()));
}

void CalibrationCompilerTest::expandsTheFaceIntoEveryTable_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("names");
    const QString eagle = "GRAFIKA: ORZELEK", i = "STALY_I_STR1_DATA_LABEL",
                  klasa = "ZMIENNA_Klasa_STR1_DATA_EDIT",
                  klasaDots = "ZMIENNA_Klasa_STR1_LINIA_Z_KROPEK",
                  signature = "STALY_PieczecPodpisDyr_STR1_LINIA_Z_KROPEK",
                  computing = "ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX",
                  computingDots = "ZMIENNA_ZajKomputeroweOcena_STR2_LINIA_Z_KROPEK";
    // Drawing order: labels, marks, dotted lines, fields.
    QTest::newRow("a series") << "klasa_4a"
                              << QStringList{i,     eagle,    klasaDots, signature, computingDots,
                                             klasa, computing};
    QTest::newRow("a series without dots")
        << "klasa_4a_bk" << QStringList{i, eagle, klasa, computing};
    QTest::newRow("grade 5 as grade 4") << "klasa_5a_bk" << QStringList{i, eagle, klasa, computing};
    QTest::newRow("distinction") << "klasa_4a_wyr"
                                 << QStringList{eagle,         klasaDots, signature,
                                                computingDots, klasa,     computing};
    QTest::newRow("school-leaving")
        << "klasa_6a" << QStringList{eagle, signature, computingDots, computing};
    QTest::newRow("pre-printed: fields only") << "klasa_4" << QStringList{klasa};
    QTest::newRow("pre-printed without dots") << "klasa_5_wyr_bk" << QStringList{klasa};
    QTest::newRow("nothing to print") << "klasa_6_wyr" << QStringList{};
}

void CalibrationCompilerTest::expandsTheFaceIntoEveryTable() {
    QFETCH(QString, table);
    QFETCH(QStringList, names);
    buildFixture();
    CppSQLite3DB db;
    db.open(m_database);
    QStringList stored;
    for (CppSQLite3Query q = db.query("select `name` from `" + table + "`"); !q.atEnd();
         q.advance())
        stored << q.columnTextOr(0);
    QCOMPARE(stored, names);
}

// Text boxes reach up from their writing line by the font's cell; a field's dots lie the
// offset below it, over the field or the extent given; apostrophes survive.
void CalibrationCompilerTest::rowValues() {
    buildFixture();
    CppSQLite3DB db;
    db.open(m_database);
    QStringList rows;
    for (CppSQLite3Query q = db.query("select * from `klasa_4a`"); !q.atEnd(); q.advance()) {
        QStringList columns;
        for (int c = 0; c < 12; ++c) columns << q.columnTextOr(c);
        rows << columns.join(QLatin1Char('|'));
    }
    QCOMPARE(rows,
             QStringList({
                 "STALY_I_STR1_DATA_LABEL|95|753|101|770|O'Brien Serif|10|0|1|1|0|0",
                 "GRAFIKA: ORZELEK|397|70|487|173|Times New Roman|14|1|0|0|0|0",
                 "ZMIENNA_Klasa_STR1_LINIA_Z_KROPEK|120|292|400|297|Times New Roman|14|0|0|0|0|0",
                 "STALY_PieczecPodpisDyr_STR1_LINIA_Z_KROPEK|480|1075|790|1080|Times New "
                 "Roman|14|0|0|0|0|0",
                 "ZMIENNA_ZajKomputeroweOcena_STR2_LINIA_Z_KROPEK|470|554|795|559|Times New "
                 "Roman|14|0|0|0|0|0",
                 "ZMIENNA_Klasa_STR1_DATA_EDIT|120|275|400|300|Times New Roman|14|1|0|0|0|0",
                 "ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX|475|537|790|562|Times New "
                 "Roman|14|1|0|0|0|0",
             }));
}

void CalibrationCompilerTest::malformedDescriptionNamesItsLine_data() {
    QTest::addColumn<QByteArray>("body");  // after the styles (3 lines)
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown directive")
        << QByteArray("side 1\nbox A 1 2 3\n") << 5 << "unknown directive";
    QTest::newRow("unknown style")
        << QByteArray("side 1\nlabel STALY_I_STR1_DATA_LABEL 95 101 770 big left\n") << 5
        << "unknown style";
    QTest::newRow("name of the other side")
        << QByteArray("side 2\nlabel STALY_I_STR1_DATA_LABEL 95 101 770 body left\n") << 5
        << "side 2";
    QTest::newRow("not a number")
        << QByteArray("side 1\nfield ZMIENNA_Klasa_STR1_DATA_EDIT 95 4OO 770 body left\n") << 5
        << "whole number";
    QTest::newRow("off the page")
        << QByteArray("side 1\nfield ZMIENNA_Klasa_STR1_DATA_EDIT 95 900 770 body left\n") << 5
        << "leaves the";
    QTest::newRow("unknown condition")
        << QByteArray(
               "side 1\nfield ZMIENNA_Klasa_STR1_DATA_EDIT 95 400 770 body left when grade7\n")
        << 5 << "unknown condition";
    QTest::newRow("twice for one member")
        << QByteArray(
               "side 1\n"
               "field ZMIENNA_Klasa_STR1_DATA_EDIT 95 400 770 body left when promotion\n"
               "field ZMIENNA_Klasa_STR1_DATA_EDIT 95 400 800 body left when grade5\n")
        << 6 << "already placed for klasa_5";
    QTest::newRow("label printed nowhere")
        << QByteArray(
               "side 1\nlabel STALY_I_STR1_DATA_LABEL 95 101 770 body left when series-plain\n")
        << 5 << "printed on no certificate";
    QTest::newRow("unterminated quotation")
        << QByteArray("side 1\nmark \"GRAFIKA: ORZELEK 1 2 3 4 body\n") << 5 << "quotation";
}

void CalibrationCompilerTest::malformedDescriptionNamesItsLine() {
    QFETCH(QByteArray, body);
    QFETCH(int, line);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString face = dir.filePath("face.txt");
    const QString out = dir.filePath("rows.sql");
    writeFile(face, kStyles + body);

    const ToolRun run = compile(face, out);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.startsWith(QStringLiteral("%1:%2: ").arg(face).arg(line)),
             qPrintable(run.errors));
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(CalibrationCompilerTest)
#include "tst_calibration_compiler.moc"
