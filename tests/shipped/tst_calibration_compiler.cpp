// build_calibration_sql: each face description expands into its document's tables (the 24
// certificate tables, the grade sheet's year pages, the note), each member getting what its
// paper needs; a malformed description stops the build at its line.

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

ToolRun compile(const QStringList& faces, const QString& out) {
    QProcess process;
    process.start(QStringLiteral(SEMRIK_BUILD_CALIBRATION_SQL), faces + QStringList{out});
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
    "document certificate\n"
    "style body \"Times New Roman\" 14\n"
    "style odd \"O'Brien Serif\" 10 bold italic\n"
    "dot-offset -3\n";

// Four lines, as kStyles.
const QByteArray kYearStyles =
    "document grade-sheet-year\n"
    "style body \"Times New Roman\" 11\n"
    "style line \"Times New Roman\" 10\n"
    "dot-offset -3\n";

const QStringList kTables = [] {
    QStringList tables{"wywiadowka"};
    for (const char* grade : {"4", "5", "6"})
        for (const char* series : {"", "b"})
            tables << QStringLiteral("arkusz_klasa_%1%2").arg(grade, series);
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
    void memoLinesAndFrames();
    void malformedDescriptionNamesItsLine_data();
    void malformedDescriptionNamesItsLine();
    void oneDescriptionPerDocument();

private:
    void buildFixture();
    QTemporaryDir m_dir;
    QString m_database;
};

QStringList storedRows(const QString& database, const QString& table) {
    CppSQLite3DB db;
    db.open(database);
    QStringList rows;
    for (CppSQLite3Query q = db.query("select * from `" + table + "`"); !q.atEnd(); q.advance()) {
        QStringList columns;
        for (int c = 0; c < 12; ++c) columns << q.columnTextOr(c);
        rows << columns.join(QLatin1Char('|'));
    }
    return rows;
}

// Compiles three small faces into one script and runs it against the empty tables, as the
// build does.
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
    const QString year = m_dir.filePath("year.txt");
    writeFile(year, kYearStyles +
                        "frame 60 100 825 200\n"
                        "frame 305 100 825 200 when one-column\n"
                        "label STALY_Szczegolne_DATA_LABEL 90 301 120 body left\n"
                        "field ZMIENNA_JObcyOpis_DATA_EDIT 229 301 150 body left dots\n"
                        "memo ZMIENNA_Szczegolne1_DATA_MEMO 309 821 120 line left 3 17 "
                        "when one-column\n"
                        "memo ZMIENNA_Szczegolne1_DATA_MEMO 309 561 120 line left 2 20 "
                        "when two-columns\n"
                        "line STALY_PodpisWychowawcy_LINIA_Z_KROPEK 565 825 1232 line\n");
    const QString note = m_dir.filePath("note.txt");
    writeFile(note,
              "document meeting-note\n"
              "style body \"Times New Roman\" 13\n"
              "label STALY_Klasa_DATA_LABEL 80 130 168 body left\n"
              "field ZMIENNA_Klasa_DATA_EDIT 134 270 168 body centre dots\n");
    const QString sql = m_dir.filePath("rows.sql");
    const ToolRun run = compile({face, year, note}, sql);
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

    // One-page documents: frames first; a memo's lines together, in line order, among the data.
    const QString frame = "GRAFIKA: RAMKA 00", caption = "STALY_Szczegolne_DATA_LABEL",
                  language = "ZMIENNA_JObcyOpis_DATA_EDIT",
                  languageDots = "ZMIENNA_JObcyOpis_LINIA_Z_KROPEK",
                  teacher = "STALY_PodpisWychowawcy_LINIA_Z_KROPEK",
                  memo = "ZMIENNA_Szczegolne1_DATA_MEMO";
    QTest::newRow("b page, one column")
        << "arkusz_klasa_4b"
        << QStringList{frame + "1", frame + "2",  caption,     languageDots, teacher,
                       language,    memo + "01", memo + "02", memo + "03"};
    QTest::newRow("b page, two columns")
        << "arkusz_klasa_6b"
        << QStringList{frame + "1", caption,     languageDots, teacher,
                       language,    memo + "01", memo + "02"};
    QTest::newRow("basic page: data only")
        << "arkusz_klasa_6" << QStringList{language, memo + "01", memo + "02"};
    QTest::newRow("note") << "wywiadowka"
                          << QStringList{"STALY_Klasa_DATA_LABEL", "ZMIENNA_Klasa_LINIA_Z_KROPEK",
                                         "ZMIENNA_Klasa_DATA_EDIT"};
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
    QCOMPARE(storedRows(m_database, "klasa_4a"),
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

// Line j of a memo sits the pitch below line j - 1; a frame keeps its rectangle and its number.
void CalibrationCompilerTest::memoLinesAndFrames() {
    buildFixture();
    const QStringList rows = storedRows(m_database, "arkusz_klasa_6b");
    QCOMPARE(rows.first(), "GRAFIKA: RAMKA 001|60|100|825|200|Times New Roman|10|0|0|0|0|0");
    QCOMPARE(rows.mid(5),
             QStringList({
                 "ZMIENNA_Szczegolne1_DATA_MEMO01|309|103|561|120|Times New Roman|10|0|0|0|0|0",
                 "ZMIENNA_Szczegolne1_DATA_MEMO02|309|123|561|140|Times New Roman|10|0|0|0|0|0",
             }));
}

void CalibrationCompilerTest::malformedDescriptionNamesItsLine_data() {
    QTest::addColumn<QByteArray>("header");  // kStyles or kYearStyles: four lines
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown directive")
        << kStyles << QByteArray("side 1\nbox A 1 2 3\n") << 6 << "unknown directive";
    QTest::newRow("unknown style")
        << kStyles << QByteArray("side 1\nlabel STALY_I_STR1_DATA_LABEL 95 101 770 big left\n")
        << 6 << "unknown style";
    QTest::newRow("name of the other side")
        << kStyles << QByteArray("side 2\nlabel STALY_I_STR1_DATA_LABEL 95 101 770 body left\n")
        << 6 << "side 2";
    QTest::newRow("not a number")
        << kStyles
        << QByteArray("side 1\nfield ZMIENNA_Klasa_STR1_DATA_EDIT 95 4OO 770 body left\n") << 6
        << "whole number";
    QTest::newRow("off the page")
        << kStyles
        << QByteArray("side 1\nfield ZMIENNA_Klasa_STR1_DATA_EDIT 95 900 770 body left\n") << 6
        << "leaves the";
    QTest::newRow("unknown condition")
        << kStyles
        << QByteArray(
               "side 1\nfield ZMIENNA_Klasa_STR1_DATA_EDIT 95 400 770 body left when grade7\n")
        << 6 << "unknown condition";
    QTest::newRow("twice for one member")
        << kStyles
        << QByteArray(
               "side 1\n"
               "field ZMIENNA_Klasa_STR1_DATA_EDIT 95 400 770 body left when promotion\n"
               "field ZMIENNA_Klasa_STR1_DATA_EDIT 95 400 800 body left when grade5\n")
        << 7 << "already placed for klasa_5";
    QTest::newRow("label printed nowhere")
        << kStyles
        << QByteArray(
               "side 1\nlabel STALY_I_STR1_DATA_LABEL 95 101 770 body left when series-plain\n")
        << 6 << "printed on no certificate";
    QTest::newRow("unterminated quotation")
        << kStyles << QByteArray("side 1\nmark \"GRAFIKA: ORZELEK 1 2 3 4 body\n") << 6
        << "quotation";

    // The document comes first, once; what its pages cannot draw is refused.
    QTest::newRow("no document")
        << QByteArray("# a comment\n\n\n\n") << QByteArray("style body \"Arial\" 10\n") << 5
        << "starts with \"document";
    QTest::newRow("unknown document")
        << QByteArray("document arkusz\n\n\n\n") << QByteArray() << 1 << "unknown document";
    QTest::newRow("second document")
        << kYearStyles << QByteArray("document meeting-note\n") << 5 << "one document";
    QTest::newRow("frame on a certificate")
        << kStyles << QByteArray("side 1\nframe 100 100 200 200\n") << 6 << "no frame entries";
    QTest::newRow("side of a one-page document")
        << kYearStyles << QByteArray("side 1\n") << 5 << "has one side";
    QTest::newRow("page infix on a one-page document")
        << kYearStyles << QByteArray("field ZMIENNA_Rok1_STR1_DATA_EDIT 309 561 150 body centre\n")
        << 5 << "no page infix";
    QTest::newRow("memo not named as one")
        << kYearStyles
        << QByteArray("memo ZMIENNA_Szczegolne1_DATA_EDIT 309 561 150 line left 8 17\n") << 5
        << "_DATA_MEMO";
    QTest::newRow("memo lines into each other")
        << kYearStyles
        << QByteArray("memo ZMIENNA_Szczegolne1_DATA_MEMO 309 561 150 line left 8 16\n") << 5
        << "line pitch of 16";
    QTest::newRow("memo without lines")
        << kYearStyles
        << QByteArray("memo ZMIENNA_Szczegolne1_DATA_MEMO 309 561 150 line left 0 17\n") << 5
        << "1 to 99 lines";
    QTest::newRow("memo's last line off the page")
        << kYearStyles
        << QByteArray("memo ZMIENNA_Szczegolne1_DATA_MEMO 309 561 1250 line left 8 17\n") << 5
        << "leaves the";
    QTest::newRow("memo line twice")
        << kYearStyles
        << QByteArray("memo ZMIENNA_Szczegolne1_DATA_MEMO 309 561 150 line left 2 17\n"
                      "memo ZMIENNA_Szczegolne1_DATA_MEMO 309 561 500 line left 3 17 when grade6\n")
        << 6 << "ZMIENNA_Szczegolne1_DATA_MEMO01 is already placed for arkusz_klasa_6";
    QTest::newRow("one frame twice")
        << kYearStyles << QByteArray("frame 60 100 825 200\nframe 60 100 825 200 when series-b\n")
        << 6 << "frame (60, 100)-(825, 200) is already placed for arkusz_klasa_4b";
    QTest::newRow("frame off the page")
        << kYearStyles << QByteArray("frame 60 100 900 200\n") << 5 << "leaves the";
    QTest::newRow("frame printed nowhere")
        << kYearStyles << QByteArray("frame 60 100 825 200 when series-basic\n") << 5
        << "printed on no grade-sheet-year page";
}

void CalibrationCompilerTest::malformedDescriptionNamesItsLine() {
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, body);
    QFETCH(int, line);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString face = dir.filePath("face.txt");
    const QString out = dir.filePath("rows.sql");
    writeFile(face, header + body);

    const ToolRun run = compile({face}, out);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.startsWith(QStringLiteral("%1:%2: ").arg(face).arg(line)),
             qPrintable(run.errors));
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    QVERIFY(!QFile::exists(out));
}

// Two descriptions of one document would fill its tables twice: the second is refused, and no
// script is written even though the first was sound.
void CalibrationCompilerTest::oneDescriptionPerDocument() {
    QTemporaryDir dir;
    const QString first = dir.filePath("note.txt");
    const QString second = dir.filePath("note_again.txt");
    const QString out = dir.filePath("rows.sql");
    const QByteArray note = "# the note\ndocument meeting-note\n";
    writeFile(first, note);
    writeFile(second, note);

    const ToolRun run = compile({first, second}, out);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.startsWith(second + QLatin1String(":2: meeting-note is already described in ") + first),
             qPrintable(run.errors));
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(CalibrationCompilerTest)
#include "tst_calibration_compiler.moc"
