#include <QtTest>

#include "render/margins.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "support/fresh_paths.h"
#include "support/test_environment.h"

namespace {

const char* const kCreate =
    "create table `margin`( `name` TEXT, `Page1X1` INTEGER, `Page1Y1` INTEGER, "
    "`Page1X2` INTEGER, `Page1Y2` INTEGER, `Page2X1` INTEGER, `Page2Y1` INTEGER, "
    "`Page2X2` INTEGER, `Page2Y2` INTEGER )";

void makeDb(const QString& path, const QStringList& rows, bool withTable = true) {
    CppSQLite3DB db;
    db.open(path);
    if (withTable) db.execute(QString::fromLatin1(kCreate));
    for (const QString& row : rows)
        db.execute(QStringLiteral("insert into `margin` values(") + row + QLatin1Char(')'));
    db.close();
}

QString summary(const MarginPreset& p) {
    return QStringLiteral("%1|%2,%3,%4,%5|%6,%7,%8,%9")
        .arg(p.name)
        .arg(p.Page1X1)
        .arg(p.Page1Y1)
        .arg(p.Page1X2)
        .arg(p.Page1Y2)
        .arg(p.Page2X1)
        .arg(p.Page2Y1)
        .arg(p.Page2X2)
        .arg(p.Page2Y2);
}

QStringList read(const QString& path) {
    ErrorStream err;
    MarginPresetList list;
    if (!bFunMarginReadData(err, path, list)) return {QStringLiteral("read failed: ") + err.text()};
    QStringList out;
    for (const MarginPreset& p : list) out << summary(p);
    return out;
}

MarginPreset preset(const QString& name, int base) {
    MarginPreset p;
    p.name = name;
    p.Page1X1 = base, p.Page1Y1 = base + 1, p.Page1X2 = base + 2, p.Page1Y2 = base + 3;
    p.Page2X1 = base + 4, p.Page2Y1 = base + 5, p.Page2X2 = base + 6, p.Page2Y2 = base + 7;
    return p;
}

}  // namespace

// The margin preset store: stored order, the exact failure texts, names that could break a
// statement, and a restore that is all or nothing.
class TestMargins : public QObject {
    Q_OBJECT

private:
    TestEnvironment m_env{false};
    FreshPaths m_files{QStringLiteral("ustawienia%1.sqset")};

private slots:
    void readsRowsInStoredOrder() {
        const QString path = m_files.next();
        makeDb(path, {"'B', 1, 2, 3, 4, 5, 6, 7, 8", "NULL, NULL, 2, 3, 4, 5, 6, 7, 8",
                      "'A', -1, 0, 210, 297, 0, 0, 210, 297"});
        QCOMPARE(read(path), QStringList({"B|1,2,3,4|5,6,7,8", "|0,2,3,4|5,6,7,8",
                                          "A|-1,0,210,297|0,0,210,297"}));
    }

    // Every operation refuses a missing file with its path (opening would create an empty
    // database) and leaves the caller's list alone.
    void missingFileIsReported_data() {
        QTest::addColumn<int>("operation");
        QTest::newRow("read") << 0;
        QTest::newRow("write") << 1;
        QTest::newRow("delete") << 2;
        QTest::newRow("restore source") << 3;
        QTest::newRow("restore target") << 4;
    }
    void missingFileIsReported() {
        QFETCH(int, operation);
        const QString missing = m_files.filePath(QStringLiteral("brak.sqset"));
        const QString present = m_files.next();
        makeDb(present, {"'A', 1, 2, 3, 4, 5, 6, 7, 8"});
        ErrorStream err;
        err << "old text";
        MarginPresetList list{preset(QStringLiteral("kept"), 1)};
        bool ok = true;
        switch (operation) {
            case 0:
                ok = bFunMarginReadData(err, missing, list);
                break;
            case 1:
                ok = bFunMarginWriteNewSettings(err, missing, preset("x", 1));
                break;
            case 2:
                ok = bFunMarginDeleteSettings(err, missing, QStringLiteral("A"));
                break;
            case 3:
                ok = bFunMarginRestoreOriginal(err, missing, present);
                break;
            case 4:
                ok = bFunMarginRestoreOriginal(err, present, missing);
                break;
        }
        QVERIFY(!ok);
        QCOMPARE(err.text(), QStringLiteral("Plik nie istnieje.\n") + missing);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(list.size(), 1);
        QCOMPARE(read(present), QStringList({"A|1,2,3,4|5,6,7,8"}));
    }

    void missingTableIsAnSqlError() {
        const QString path = m_files.next();
        makeDb(path, {}, false);
        ErrorStream err;
        MarginPresetList list;
        QVERIFY(!bFunMarginReadData(err, path, list));
        QCOMPARE(err.text(), QStringLiteral("SqlException\nSQLITE_ERROR"));
        QVERIFY(!bFunMarginWriteNewSettings(err, path, preset("x", 1)));
        QCOMPARE(err.text(), QStringLiteral("Sql exception: SQLITE_ERROR"));
        QVERIFY(!bFunMarginDeleteSettings(err, path, QStringLiteral("x")));
        QCOMPARE(err.text(), QStringLiteral("SqlException\nSQLITE_ERROR"));
    }

    // Apostrophes are stored as typed and cannot change a statement's meaning; a name longer
    // than a preset keeps is stored cut.
    void namesSurviveWriteAndDelete_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << "Moja drukarka"
                               << "Moja drukarka";
        QTest::newRow("apostrophes") << "A4' or '1'='1"
                                     << "A4' or '1'='1";
        QTest::newRow("polish") << "Zażółć gęślą jaźń"
                                << "Zażółć gęślą jaźń";
        QTest::newRow("300 characters")
            << QString(300, QLatin1Char('n')) << QString(255, QLatin1Char('n'));
    }
    void namesSurviveWriteAndDelete() {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        const QString path = m_files.next();
        makeDb(path, {"'A4 (standardowe)', 5, 0, 205, 297, 5, 0, 205, 297"});
        ErrorStream err;
        QVERIFY2(bFunMarginWriteNewSettings(err, path, preset(name, 10)), qPrintable(err.text()));
        QCOMPARE(read(path), QStringList({"A4 (standardowe)|5,0,205,297|5,0,205,297",
                                          stored + "|10,11,12,13|14,15,16,17"}));

        QVERIFY2(bFunMarginDeleteSettings(err, path, stored), qPrintable(err.text()));
        QCOMPARE(read(path), QStringList({"A4 (standardowe)|5,0,205,297|5,0,205,297"}));
    }

    void deletingAnUnknownNameFails() {
        const QString path = m_files.next();
        makeDb(path, {"'A', 1, 2, 3, 4, 5, 6, 7, 8"});
        ErrorStream err;
        QVERIFY(!bFunMarginDeleteSettings(err, path, QStringLiteral("B")));
        QCOMPARE(err.text(), QStringLiteral("Błąd podczas próby skasowania ustawień B"));
        QCOMPARE(read(path).size(), 1);
    }

    void restoreReplacesThePresets() {
        const QString source = m_files.next();
        const QString target = m_files.next();
        makeDb(source, {"'A4 (standardowe)', 5, 0, 205, 297, 5, 0, 205, 297",
                        "'O''Brien', 1, 2, 3, 4, 5, 6, 7, 8"});
        makeDb(target,
               {"'mine', 9, 9, 9, 9, 9, 9, 9, 9", "'A4 (standardowe)', 0, 0, 0, 0, 0, 0, 0, 0"});
        ErrorStream err;
        QVERIFY2(bFunMarginRestoreOriginal(err, source, target), qPrintable(err.text()));
        QCOMPARE(read(target), read(source));
        QCOMPARE(read(target).size(), 2);
    }

    // A source that cannot be read leaves the user's presets as they were, not half replaced.
    void failedRestoreKeepsTheWorkingPresets() {
        const QString source = m_files.next();
        const QString target = m_files.next();
        makeDb(source, {}, false);
        makeDb(target, {"'mine', 9, 9, 9, 9, 9, 9, 9, 9"});
        ErrorStream err;
        QVERIFY(!bFunMarginRestoreOriginal(err, source, target));
        QCOMPARE(err.text(), QStringLiteral("Sql exception: SQLITE_ERROR"));
        QCOMPARE(read(target), QStringList({"mine|9,9,9,9|9,9,9,9"}));
    }
};

QTEST_GUILESS_MAIN(TestMargins)
#include "tst_margins.moc"
