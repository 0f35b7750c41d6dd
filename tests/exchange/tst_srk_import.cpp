#include <QDir>
#include <QFile>
#include <QTest>

#include "exchange/srk_import.h"
#include "storage/cp1250.h"
#include "storage/database.h"
#include "storage/paths.h"
#include "storage/sql_text.h"
#include "support/test_environment.h"

namespace {

// The old program's file, in Windows-1250 (our text here is plain ASCII unless a row says
// otherwise), with the line end the row asks for.
QByteArray srkFile(const QStringList& lines, const QByteArray& lineEnd = "\r\n") {
    QByteArray bytes;
    for (const QString& line : lines) bytes += cp1250::fromUnicode(line) + lineEnd;
    return bytes;
}

QStringList pupilData(const QString& surname, const QString& pesel) {
    return {"<DANE SWIADECTW DLA: " + surname + " Jan>",
            "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
            "<Nazwisko_DATA_EDIT>" + surname,
            "<Imie_DATA_EDIT>Jan",
            "<NrPesel_DATA_EDIT>" + pesel,
            "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>"};
}

const QString kEnd = "</KONIEC DANYCH SWIADECTW>";

// One pupil with one document holding `fields`.
QStringList pupil(const QString& surname, const QString& pesel, const QStringList& fields,
                  const QString& document = "DOK") {
    return pupilData(surname, pesel) + QStringList{"<" + document + ">"} + fields +
           QStringList{"</" + document + ">", kEnd};
}

QStringList dataRows(const QString& surname, const QString& pesel) {
    const QString table = "PESEL" + pesel + "|DANE UCZNIA|";
    return {table + "Nazwisko_DATA_EDIT|" + surname, table + "Imie_DATA_EDIT|Jan",
            table + "NrPesel_DATA_EDIT|" + pesel};
}

// Every row of every table, "table|id|comp_name|value", tables in catalogue order and rows in
// insertion order.
QStringList dump(const QString& path) {
    QStringList rows;
    CppSQLite3DB db;
    db.open(path);
    QStringList tables;
    db.forEachRow("select name from sqlite_master where type = 'table'",
                  [&tables](const CppSQLite3Query& row) { tables << row.columnTextOr(0); });
    for (const QString& table : tables) {
        db.forEachRow("select id, comp_name, value from " + sql::quotedTable(table),
                      [&](const CppSQLite3Query& row) {
                          rows << table + "|" + row.columnTextOr(0) + "|" + row.columnTextOr(1) +
                                      "|" + row.columnTextOr(2);
                      });
    }
    db.close();
    return rows;
}

QString lastLoggedFun() {
    ErrorStream err;
    CppSQLite3DB db;
    db.open(strFunGetLogFilePath(err));
    CppSQLite3Query query = db.query("select fun from error order by rowid desc limit 1");
    const QString fun = query.columnTextOr(0);
    query.release();
    db.close();
    return fun;
}

QByteArray fixture(const QString& name) {
    QFile file(QStringLiteral(SEMRIK_TEST_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class RecordingProgress : public ImportProgress {
public:
    void step(const QString& text, int total) override {
        steps << QString("%1 /%2").arg(text).arg(total);
    }
    void advance() override { steps.last() += "+"; }
    QStringList steps;
};

}  // namespace

// The old text files become pupil tables: what each field line turns into, and what a file the
// old program would have mangled or refused does now.
class SrkImportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir =
            m_env.dataHome() + "/" + QTest::currentTestFunction() + "/" + QTest::currentDataTag();
    }

    void writesRows_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<int>("shortened");

        const QStringList nothing;
        QTest::newRow("apostrophes stay as typed")
            << srkFile(pupil("O'Brien", "1", {"<Uwagi_DATA_EDIT>it's 'quoted'"}, "DOK 'A'"))
            << dataRows("O'Brien", "1") +
                   QStringList{"PESEL1|DOK 'A'|Uwagi_DATA_EDIT|it's 'quoted'"}
            << nothing << 0;
        QTest::newRow("empty value, '>' and '<' in values, line without '>' skipped")
            << srkFile(pupil("Nowak", "2",
                             {"<A_DATA_EDIT>", "<B_DATA_EDIT>5 > 4 <i> x>", "no marker here",
                              "<C_DATA_EDIT>>"}))
            << dataRows("Nowak", "2") + QStringList{"PESEL2|DOK|A_DATA_EDIT|",
                                                    "PESEL2|DOK|B_DATA_EDIT|5 > 4 <i> x>",
                                                    "PESEL2|DOK|C_DATA_EDIT|>"}
            << nothing << 0;

        // Runs count up per name; another name in between restarts, other fields do not; each
        // document and each pupil starts at 01 again.
        const QStringList memoFields{"<M_DATA_MEMO>a", "<M_DATA_MEMO>b", "<E_DATA_EDIT>e",
                                     "<M_DATA_MEMO>c", "<N_DATA_MEMO>d", "<M_DATA_MEMO>f"};
        QStringList memoFile = pupilData("Memo", "3") + QStringList{"<D1>"} + memoFields +
                               QStringList{"</D1>", "<D2>", "<M_DATA_MEMO>g", "</D2>", kEnd};
        memoFile += pupil("Drugi", "4", {"<M_DATA_MEMO>h"}, "D2");
        QTest::newRow("memo lines numbered per run")
            << srkFile(memoFile)
            << dataRows("Memo", "3") +
                   QStringList{"PESEL3|D1|M_DATA_MEMO01|a", "PESEL3|D1|M_DATA_MEMO02|b",
                               "PESEL3|D1|E_DATA_EDIT|e",   "PESEL3|D1|M_DATA_MEMO03|c",
                               "PESEL3|D1|N_DATA_MEMO01|d", "PESEL3|D1|M_DATA_MEMO01|f",
                               "PESEL3|D2|M_DATA_MEMO01|g"} +
                   dataRows("Drugi", "4") + QStringList{"PESEL4|D2|M_DATA_MEMO01|h"}
            << nothing << 0;

        QStringList pupilMemo = pupilData("Dane", "5");
        pupilMemo.insert(5, "<Uwagi_DATA_MEMO>pierwszy");
        pupilMemo.insert(6, "<Uwagi_DATA_MEMO>drugi");
        pupilMemo << "<DOK>"
                  << "</DOK>" << kEnd;
        QTest::newRow("pupil-data memo lines joined into one value")
            << srkFile(pupilMemo)
            << dataRows("Dane", "5") +
                   QStringList{"PESEL5|DANE UCZNIA|Uwagi_DATA_MEMO|pierwszy\ndrugi"}
            << nothing << 0;

        QByteArray lineEnds = srkFile(pupil("Nowak", "6", {"<A_DATA_EDIT>x\ry"}), "\n");
        lineEnds.replace("<Imie_DATA_EDIT>Jan\n", "<Imie_DATA_EDIT>Jan\r\n");
        lineEnds += "\x1a" + srkFile(pupil("Po", "7", {}));
        QTest::newRow("LF, CR LF, a lone CR kept, Ctrl-Z ends the file")
            << lineEnds << dataRows("Nowak", "6") + QStringList{"PESEL6|DOK|A_DATA_EDIT|x\ry"}
            << nothing << 0;

        QByteArray polish = srkFile(pupil("X", "8", {"<A_DATA_EDIT>@"}));
        polish.replace("@", "\xa5\xe6\xea\xb3\xf1\xf3\x9c\x9f\xbf\x8c\xaf");
        QTest::newRow("Windows-1250 letters")
            << polish << dataRows("X", "8") + QStringList{"PESEL8|DOK|A_DATA_EDIT|ĄćęłńóśźżŚŻ"}
            << nothing << 0;

        QStringList blank =
            pupilData("Puste", "9") + QStringList{"<D1>", "<A_DATA_EDIT>1", "</D1>", "",  "  ",
                                                  "<D2>", "<A_DATA_EDIT>2", "</D2>", kEnd};
        blank += pupil("Dalej", "10", {});
        QTest::newRow("blank lines between documents skipped")
            << srkFile(blank)
            << dataRows("Puste", "9") +
                   QStringList{"PESEL9|D1|A_DATA_EDIT|1", "PESEL9|D2|A_DATA_EDIT|2"} +
                   dataRows("Dalej", "10")
            << nothing << 0;

        QStringList noPesel = pupil("Bezpesela", "", {"<A_DATA_EDIT>1"});
        noPesel.removeAt(4);
        QTest::newRow("pupil without PESEL refused, the others imported")
            << srkFile(pupil("Pierwszy", "11", {}) + noPesel + pupil("Trzeci", "12", {}))
            << dataRows("Pierwszy", "11") + dataRows("Trzeci", "12")
            << QStringList{"Wiersz 10: uczeń Bezpesela Jan nie ma numeru PESEL (wiersza "
                           "NrPesel_DATA_EDIT), więc go nie zaimportowano."}
            << 0;

        // A PESEL line with nothing after its ">" made a table named "PESEL" alone (or "PESEL "),
        // and a second such pupil stopped the import; the fixture is the fuzzer's smallest case.
        const QString blankPesel =
            " nie ma numeru PESEL (wiersza NrPesel_DATA_EDIT), więc go nie zaimportowano.";
        QTest::newRow("pupils with a blank PESEL refused, the others imported")
            << srkFile(pupil("Pierwszy", "21", {}) + pupil("Pusty", "", {"<A_DATA_EDIT>1"}) +
                       pupil("Spacja", " ", {}) + pupil("Czwarty", "22", {}))
            << dataRows("Pierwszy", "21") + dataRows("Czwarty", "22")
            << QStringList{"Wiersz 10: uczeń Pusty Jan" + blankPesel,
                           "Wiersz 20: uczeń Spacja Jan" + blankPesel}
            << 0;
        QTest::newRow("PESEL field without a value (fuzzer's file)")
            << fixture("pusty_pesel.srk") << nothing
            << QStringList{"Wiersz 1: uczeń bez nazwiska" + blankPesel} << 0;

        QStringList unclosed = pupil("Otwarty", "13", {"<A_DATA_EDIT>1"});
        unclosed.removeLast();  // no end marker: the next pupil header still starts a pupil
        QTest::newRow("pupil header ends an unclosed block")
            << srkFile(unclosed + pupil("Nastepny", "14", {}))
            << dataRows("Otwarty", "13") + QStringList{"PESEL13|DOK|A_DATA_EDIT|1"} +
                   dataRows("Nastepny", "14")
            << nothing << 0;

        const QString longName = QString(600, 'n');
        QTest::newRow("over-long texts cut after escaping")
            << srkFile(pupil("Dlugi", "15",
                             {"<A_DATA_EDIT>" + QString(2100, 'x'),
                              "<B_DATA_EDIT>" + QString(2046, 'y') + "'z", "<" + longName + ">v"}))
            << dataRows("Dlugi", "15") +
                   QStringList{"PESEL15|DOK|A_DATA_EDIT|" + QString(2047, 'x'),
                               "PESEL15|DOK|B_DATA_EDIT|" + QString(2046, 'y'),
                               "PESEL15|DOK|" + QString(499, 'n') + "|v"}
            << nothing << 3;
    }

    void writesRows() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, refused);
        QFETCH(int, shortened);
        QVERIFY(QDir().mkpath(m_dir));
        const QString source = m_dir + "/klasa.srk";
        const QString target = m_dir + "/klasa.smrk";
        QVERIFY(writeFile(source, file));

        ErrorStream err;
        SrkImportReport report;
        QVERIFY2(bFunImportSrkInto(err, source, target, nullptr, &report), qPrintable(err.text()));
        QCOMPARE(dump(target), rows);
        QCOMPARE(report.refusedPupils, refused);
        QCOMPARE(report.shortened.size(), shortened);
        QVERIFY(report.anyPupilBlock);
        QCOMPARE(strFunImportReportText(report).isEmpty(), refused.isEmpty() && shortened == 0);
    }

    void cutsAreReportedWithPupilAndLine() {
        QVERIFY(QDir().mkpath(m_dir));
        const QString source = m_dir + "/klasa.srk";
        QVERIFY(writeFile(source,
                          srkFile(pupil("Dlugi", "1", {"<A_DATA_EDIT>" + QString(3000, 'x')}))));
        ErrorStream err;
        SrkImportReport report;
        QVERIFY(bFunImportSrkInto(err, source, m_dir + "/klasa.smrk", nullptr, &report));
        QCOMPARE(report.shortened,
                 QStringList{"Wiersz 8 (uczeń Dlugi Jan): wartość pola „A_DATA_EDIT” skrócono do "
                             "2047 znaków."});
        QCOMPARE(strFunImportReportText(report),
                 QString("Teksty skrócone do szerokości pól: 1\n") + report.shortened.first());
    }

    // A window's box names a few findings and counts the rest; nothing is left uncounted.
    void longFindingListsAreShortenedForTheWindow() {
        SrkImportReport report;
        report.anyPupilBlock = true;
        report.refusedPupils = QStringList{"a", "b", "c"};
        QCOMPARE(strFunImportReportText(report, 2),
                 QString("Pominięci uczniowie bez numeru PESEL: 3\na\nb\n... i 1 więcej."));
        QCOMPARE(strFunImportReportText(report, 3),
                 QString("Pominięci uczniowie bez numeru PESEL: 3\na\nb\nc"));
    }

    // The working database is replaced: pupils it held before are gone, the file's are listed in
    // file order, and the window's progress sees both steps of each pupil.
    void replacesWorkingDatabase() {
        QVERIFY(QDir().mkpath(m_dir));
        const QString source = m_dir + "/klasa.srk";
        const QString working = m_dir + "/data_tmp.sqtmp";
        QVERIFY(writeFile(source,
                          srkFile(pupil("Zet", "2", {"<A_DATA_EDIT>1"}) + pupil("Alfa", "1", {}))));
        ErrorStream err;
        RecordList old{FieldRecord::make("DANE UCZNIA", "Nazwisko_DATA_EDIT", "Stary")};
        QVERIFY(iFunCheckIsStudentExists(err, working, "PESEL9", true) == 0);
        QVERIFY(bFunSaveCertData(err, working, "PESEL9", old));

        RecordingProgress progress;
        SrkImportReport report;
        QVERIFY(bFunImportDataFromFile(err, source, working, &progress, &report));
        StudentList listed;
        QVERIFY(bFunGetStudentsList(err, working, listed));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(report.imported.size(), 2);
        QCOMPARE(report.imported.at(0).displayName, QString("Zet Jan"));
        QCOMPARE(report.imported.at(0).tableName, QString("PESEL2"));
        QCOMPARE(report.imported.at(1).tableName, QString("PESEL1"));
        QCOMPARE(
            progress.steps,
            (QStringList{"importuje dane ucznia... /3+++", "importuje świadectwa dla PESEL2 /1+",
                         "importuje dane ucznia... /3+++", "importuje świadectwa dla PESEL1 /0"}));
    }

    // A source that cannot be read, or a working database that cannot be deleted, is reported
    // before anything is changed.
    void refusesBeforeChangingAnything_data() {
        QTest::addColumn<QString>("sourceName");   // in the test's folder
        QTest::addColumn<QString>("workingName");  // a folder there cannot be deleted
        QTest::addColumn<QString>("error");        // %1 the source, %2 the working database

        QTest::newRow("missing source") << "brak.srk"
                                        << "data_tmp.sqtmp"
                                        << "Plik źródłowy nie istnieje: \n%1";
        QTest::newRow("source is a folder")
            << "folder"
            << "data_tmp.sqtmp"
            << "Nie można odczytać pliku źródłowego: \n%1\nTo jest katalog, a nie plik.";
        QTest::newRow("working database cannot be deleted") << "klasa.srk"
                                                            << "folder"
                                                            << "Błąd kasowania pliku: \n%2";
    }

    void refusesBeforeChangingAnything() {
        QFETCH(QString, sourceName);
        QFETCH(QString, workingName);
        QFETCH(QString, error);
        QVERIFY(QDir().mkpath(m_dir + "/folder/inside"));
        QVERIFY(writeFile(m_dir + "/klasa.srk", srkFile(pupil("A", "1", {}))));
        QVERIFY(writeFile(m_dir + "/data_tmp.sqtmp", "keep"));
        const QString source = m_dir + "/" + sourceName;
        const QString working = m_dir + "/" + workingName;

        ErrorStream err;
        QVERIFY(!bFunImportDataFromFile(err, source, working));
        QCOMPARE(err.text(), QString(error).replace("%1", source).replace("%2", working));
        QCOMPARE(lastLoggedFun(), QString("bFunImportDataFromFile"));
        QFile kept(m_dir + "/data_tmp.sqtmp");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("keep"));
        QVERIFY(QDir(m_dir + "/folder/inside").exists());
    }

    // The second pupil with one PESEL stops the import with the engine's message and names the
    // pupil; the first stays, and nothing after it is written.
    void samePeselTwice() {
        QVERIFY(QDir().mkpath(m_dir));
        const QString source = m_dir + "/klasa.srk";
        const QString target = m_dir + "/klasa.smrk";
        QVERIFY(writeFile(
            source, srkFile(pupil("Pierwszy", "7", {"<A_DATA_EDIT>1"}) +
                            pupil("Drugi", "7", {"<A_DATA_EDIT>2"}) + pupil("Trzeci", "8", {}))));
        ErrorStream err;
        QVERIFY(!bFunImportSrkInto(err, source, target));
        QCOMPARE(err.text(), QString("SQLite exception: \nSQLITE_ERROR[1]: table `PESEL7` already "
                                     "exists\nUczeń Drugi Jan (tabela PESEL7, wiersz 11 pliku)."));
        QCOMPARE(lastLoggedFun(), QString("bFunWriteStudentDataToDB()"));
        QCOMPARE(dump(target), dataRows("Pierwszy", "7") + QStringList{"PESEL7|DOK|A_DATA_EDIT|1"});
    }

    // Nothing of a name from the file reaches the statement unquoted.
    void namesCannotChangeStatements() {
        QVERIFY(QDir().mkpath(m_dir));
        const QString source = m_dir + "/klasa.srk";
        const QString target = m_dir + "/klasa.smrk";
        QVERIFY(writeFile(
            source, srkFile(pupil("A", "1`x", {"<N'); drop table x; --_DATA_EDIT>v"}, "D', 'x"))));
        ErrorStream err;
        QVERIFY2(bFunImportSrkInto(err, source, target), qPrintable(err.text()));
        QCOMPARE(dump(target),
                 dataRows("A", "1`x") +
                     QStringList{"PESEL1`x|D', 'x|N'); drop table x; --_DATA_EDIT|v"});
    }

    void fileWithoutPupils() {
        QVERIFY(QDir().mkpath(m_dir));
        const QString source = m_dir + "/klasa.srk";
        const QString working = m_dir + "/data_tmp.sqtmp";
        QVERIFY(
            writeFile(source, srkFile({"jakiś tekst", "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>"})));
        ErrorStream err;
        SrkImportReport report;
        report.anyPupilBlock = true;  // left from an earlier run
        QVERIFY(bFunImportDataFromFile(err, source, working, nullptr, &report));
        QVERIFY(!report.anyPupilBlock);
        QVERIFY(!QFile::exists(working));
        QCOMPARE(strFunImportReportText(report),
                 QString("W pliku nie ma danych żadnego ucznia (wiersza „<DANE SWIADECTW DLA:”)."));
    }

private:
    TestEnvironment m_env;
    QString m_dir;
};

QTEST_GUILESS_MAIN(SrkImportTest)
#include "tst_srk_import.moc"
