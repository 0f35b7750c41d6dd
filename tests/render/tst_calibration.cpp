#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include "render/calibration.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "storage/sql_text.h"
#include "support/fresh_paths.h"
#include "support/test_environment.h"

namespace {

const char* const kColumns =
    "(name TEXT, x1 INTEGER, y1 INTEGER, x2 INTEGER, y2 INTEGER, font_name TEXT, font_size "
    "INTEGER, "
    "font_align INTEGER, font_style_bold INTEGER, font_style_italic INTEGER, "
    "font_style_underline INTEGER, font_style_strike INTEGER)";

// Creates `table` (with the calibration columns unless `columns` says otherwise) and runs the
// value lists of `rows` as inserts.
void makeTable(const QString& path, const QString& table, const QStringList& rows,
               const QString& columns = QString::fromLatin1(kColumns)) {
    CppSQLite3DB db;
    db.open(path);
    const QString quoted = sql::quotedTable(table);
    db.execute(QStringLiteral("create table ") + quoted + columns);
    for (const QString& row : rows)
        db.execute(QStringLiteral("insert into ") + quoted + QStringLiteral(" values(") + row +
                   QLatin1Char(')'));
    db.close();
}

QString summary(const CalibrationEntry& e) {
    return QStringLiteral("%1|%2,%3,%4,%5|%6|%7,%8|%9%10%11%12")
        .arg(e.name)
        .arg(e.x1)
        .arg(e.y1)
        .arg(e.x2)
        .arg(e.y2)
        .arg(e.font_name)
        .arg(e.font_size)
        .arg(e.font_align)
        .arg(e.font_style_bold)
        .arg(e.font_style_italic)
        .arg(e.font_style_underline)
        .arg(e.font_style_strike);
}

QStringList summaries(const CalibrationList& list) {
    QStringList out;
    for (const CalibrationEntry& e : list) out << summary(e);
    return out;
}

CalibrationEntry sentinel() {
    CalibrationEntry e;
    e.name = QStringLiteral("kept");
    return e;
}

}  // namespace

// The calibration store reads tables in stored order, writes single entries with the exact
// statement, survives apostrophes and backquotes, and lists and restores the working copy.
class TestCalibration : public QObject {
    Q_OBJECT

private:
    TestEnvironment m_env{false};
    FreshPaths m_files{QStringLiteral("calib%1.sqset")};

private slots:
    void loadsRowsInStoredOrder() {
        const QString path = m_files.next();
        makeTable(path, QStringLiteral("klasa_4"),
                  {QStringLiteral("'Z_B', 5, 6, 7, 8, 'Arial', 10, 2, 0, 1, 0, 1"),
                   QStringLiteral("'Z_A', 1, 2, 3, 4, 'Times New Roman', NULL, 3, 1, 0, 1, 0"),
                   QStringLiteral("NULL, '9', NULL, 11, 12, NULL, 14, 9, 0, 0, 0, 0")});
        CalibrationList list{sentinel()};
        ErrorStream err;
        QVERIFY(bFunCalibLoadData(err, path, QStringLiteral("klasa_4"), list));
        // Coordinates come back in x1, y1, x2, y2 order whatever the entry's field order; NULL
        // numbers read 0, a NULL name empty and a NULL face the documents' face; the previous
        // contents are gone.
        QCOMPARE(summaries(list),
                 QStringList({QStringLiteral("Z_B|5,6,7,8|Arial|10,2|0101"),
                              QStringLiteral("Z_A|1,2,3,4|Times New Roman|0,3|1010"),
                              QStringLiteral("|9,0,11,12|Times New Roman|14,9|0000")}));
    }

    // A user's file may hold any number: an entry keeps what a page can hold (the page and one
    // page's size around it, fonts up to 400 points), and a face that names nothing becomes the
    // documents' face. Reading never changes the file.
    void bringsRowsWithinThePage_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("entry");
        QTest::newRow("limits kept") << "'A', -885, -1314, 1770, 2628, ' Arial', 400, 7, 1, 1, 1, 1"
                                     << "A|-885,-1314,1770,2628| Arial|400,7|1111";
        QTest::newRow("extremes")
            << "'A', -2147483648, -2147483648, 2147483647, 2147483647, 'Arial', 2147483647, "
               "-2147483648, 0, 0, 0, 0"
            << "A|-885,-1314,1770,2628|Arial|400,-2147483648|0000";
        QTest::newRow("reversed, beyond reach")
            << "'A', 2147483647, 99999, -886, -1315, 'Arial', 23000000, 0, 0, 0, 0, 0"
            << "A|1770,2628,-885,-1314|Arial|400,0|0000";
        QTest::newRow("negative size") << "'A', 1, 2, 3, 4, 'Arial', -12, 0, 0, 0, 0, 0"
                                       << "A|1,2,3,4|Arial|0,0|0000";
        QTest::newRow("empty face") << "'A', 1, 2, 3, 4, '', 12, 0, 0, 0, 0, 0"
                                    << "A|1,2,3,4|Times New Roman|12,0|0000";
        QTest::newRow("blank face") << "'A', 1, 2, 3, 4, '  ', 12, 0, 0, 0, 0, 0"
                                    << "A|1,2,3,4|Times New Roman|12,0|0000";
        QTest::newRow("NULL face") << "'A', 1, 2, 3, 4, NULL, 12, 0, 0, 0, 0, 0"
                                   << "A|1,2,3,4|Times New Roman|12,0|0000";
    }
    void bringsRowsWithinThePage() {
        QFETCH(QString, values);
        QFETCH(QString, entry);
        const QString path = m_files.next();
        makeTable(path, QStringLiteral("t"), {values});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        CalibrationList list;
        ErrorStream err;
        QVERIFY(bFunCalibLoadData(err, path, QStringLiteral("t"), list));
        QCOMPARE(summaries(list), QStringList{entry});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void cutsOverlongTexts() {
        const QString path = m_files.next();
        makeTable(path, QStringLiteral("t"),
                  {QStringLiteral("'%1', 0, 0, 0, 0, '%2', 0, 0, 0, 0, 0, 0")
                       .arg(QString(300, QLatin1Char('n')), QString(150, QLatin1Char('f')))});
        CalibrationList list;
        ErrorStream err;
        QVERIFY(bFunCalibLoadData(err, path, QStringLiteral("t"), list));
        QCOMPARE(list.at(0).name, QString(255, QLatin1Char('n')));
        QCOMPARE(list.at(0).font_name, QString(99, QLatin1Char('f')));
    }

    void loadFailures_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("message");  // "%1" stands for the path
        QTest::addColumn<bool>("listKept");
        QTest::newRow("no file") << "klasa_4" << false << "Plik nie istnieje: \n%1" << true;
        QTest::newRow("no table") << "klasa_5" << true << "Tablica nie istnieje: \nklasa_5" << true;
        QTest::newRow("column missing")
            << "short" << true << "SQLite exception: \nCPPSQLITE_ERROR" << false;
    }
    void loadFailures() {
        QFETCH(QString, table);
        QFETCH(bool, fileExists);
        QFETCH(QString, message);
        QFETCH(bool, listKept);
        const QString path = m_files.next();
        if (fileExists) {
            makeTable(path, QStringLiteral("klasa_4"), {});
            makeTable(path, QStringLiteral("short"), {QStringLiteral("'a', 1")},
                      QStringLiteral("(name TEXT, x1 INTEGER)"));
        }
        CalibrationList list{sentinel()};
        ErrorStream err;
        QVERIFY(!bFunCalibLoadData(err, path, table, list));
        QCOMPARE(err.text(), message.contains(QLatin1String("%1")) ? message.arg(path) : message);
        QCOMPARE(list.size(), listKept ? 1 : 0);
        QCOMPARE(QFileInfo::exists(path), fileExists);
    }

    void updateWritesTheExactStatement() {
        CalibrationEntry e;
        e.name = QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT");
        e.x1 = 120;
        e.y1 = 40;
        e.x2 = 300;
        e.y2 = 58;
        e.font_name = QStringLiteral("Times New Roman");
        e.font_size = 12;
        e.font_align = 1;
        e.font_style_bold = 1;
        const QString expected = QStringLiteral(
            "update `klasa_4` set `x1`='120', `y1`='40', `x2`='300', `y2`='58', "
            "`font_name`='Times New Roman', `font_size`='12', `font_align`='1', "
            "`font_style_bold`='1', `font_style_italic`='0', `font_style_underline`='0', "
            "`font_style_strike`='0' where `name`='ZMIENNA_Klasa_STR1_DATA_EDIT'");
        QCOMPARE(strFunCalibUpdateStatement(QStringLiteral("klasa_4"), e), expected);

        const QString path = m_files.next();
        makeTable(path, QStringLiteral("klasa_4"),
                  {QStringLiteral("'A', 0, 0, 0, 0, 'Arial', 8, 0, 0, 0, 0, 0"),
                   QStringLiteral(
                       "'ZMIENNA_Klasa_STR1_DATA_EDIT', 1, 1, 1, 1, 'Arial', 8, 0, 0, 1, 1, 1")});
        ErrorStream err;
        QVERIFY2(bFunSqlCalibUpdateValue(err, path, QStringLiteral("klasa_4"), e),
                 qPrintable(err.text()));
        CalibrationList list;
        QVERIFY(bFunCalibLoadData(err, path, QStringLiteral("klasa_4"), list));
        QCOMPARE(
            summaries(list),
            QStringList(
                {QStringLiteral("A|0,0,0,0|Arial|8,0|0000"),
                 QStringLiteral(
                     "ZMIENNA_Klasa_STR1_DATA_EDIT|120,40,300,58|Times New Roman|12,1|1000")}));

        // A name without a row changes nothing and reports the statement.
        e.name = QStringLiteral("BRAK");
        QVERIFY(!bFunSqlCalibUpdateValue(err, path, QStringLiteral("klasa_4"), e));
        QCOMPARE(err.text(), QStringLiteral("Błąd aktualizacji wpisu kalibracji.\n\n") +
                                 strFunCalibUpdateStatement(QStringLiteral("klasa_4"), e));
        CalibrationList after;
        QVERIFY(bFunCalibLoadData(err, path, QStringLiteral("klasa_4"), after));
        QCOMPARE(summaries(after), summaries(list));

        QVERIFY(!bFunSqlCalibUpdateValue(err, path, QStringLiteral("brak_tablicy"), e));
        QCOMPARE(err.text(), QStringLiteral("SqlException\nSQLITE_ERROR"));
        QVERIFY(!bFunSqlCalibUpdateValue(err, path + QStringLiteral(".x"),
                                         QStringLiteral("klasa_4"), e));
        QCOMPARE(err.text(), QStringLiteral("Plik nie istnieje.\n") + path + QStringLiteral(".x"));
    }

    void apostrophesAndBackquotesRoundTrip() {
        const QString path = m_files.next();
        const QString table = QStringLiteral("kl'asa`4");
        makeTable(path, table,
                  {QStringLiteral("'O''Neil', 0, 0, 0, 0, 'Arial', 8, 0, 0, 0, 0, 0"),
                   QStringLiteral("'x'' or ''1''=''1', 0, 0, 0, 0, 'Arial', 8, 0, 0, 0, 0, 0")});
        CalibrationEntry e;
        e.name = QStringLiteral("O'Neil");
        e.x1 = 7;
        e.font_name = QStringLiteral("Bram's Font");
        ErrorStream err;
        QVERIFY2(bFunSqlCalibUpdateValue(err, path, table, e), qPrintable(err.text()));
        CalibrationList list;
        QVERIFY2(bFunCalibLoadData(err, path, table, list), qPrintable(err.text()));
        // Only the named row changed: the quote in the other name is not a condition.
        QCOMPARE(summaries(list),
                 QStringList({QStringLiteral("O'Neil|7,0,0,0|Bram's Font|0,0|0000"),
                              QStringLiteral("x' or '1'='1|0,0,0,0|Arial|8,0|0000")}));
    }

    void listsTablesOfTheWorkingCopy() {
        ErrorStream err;
        const QString working = strFunGetCalibFilePath(err, false);
        QFile::remove(working);
        QStringList names{QStringLiteral("stale")};
        // A missing working copy is reported, not created empty.
        QVERIFY(!bFunCalibLoadCertList(err, names));
        QCOMPARE(err.text(), QStringLiteral("Plik nie istnieje: \n") + working);
        QVERIFY(names.isEmpty());
        QVERIFY(!QFileInfo::exists(working));

        makeTable(working, QStringLiteral("klasa_4_bk"), {});
        makeTable(working, QStringLiteral("klasa_4"), {});
        QVERIFY(bFunCalibLoadCertList(err, names));
        // Stored order; the dialog's list sorts them.
        QCOMPARE(names, QStringList({QStringLiteral("klasa_4_bk"), QStringLiteral("klasa_4")}));
    }

    void restoresTheShippedCopy() {
        ErrorStream err;
        const QString working = strFunGetCalibFilePath(err, false);
        const QString shipped = strFunGetCalibFilePath(err, true);
        QFile::remove(working);
        QFile::remove(shipped);
        makeTable(working, QStringLiteral("changed"), {});

        QVERIFY(!bFunRestoreShippedCalibration(err));
        QCOMPARE(err.text(),
                 QStringLiteral(
                     "Błąd podczas próby przywrócenia oryginalnego pliku kalibracji.\nŹródło: ") +
                     shipped + QStringLiteral("\nCel: ") + working);

        makeTable(shipped, QStringLiteral("klasa_4"), {});
        QVERIFY(bFunRestoreShippedCalibration(err));
        QStringList names;
        QVERIFY(bFunCalibLoadCertList(err, names));
        QCOMPARE(names, QStringList({QStringLiteral("klasa_4")}));
    }
};

QTEST_GUILESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
