#include <QTemporaryDir>
#include <QtTest>

#include "storage/cp1250.h"
#include "storage/database.h"
#include "storage/sql_text.h"
#include "support/fresh_paths.h"

// The database layer: its error texts, the reading of finished queries, and the Windows-1250
// conversion at its border.
class TestDatabase : public QObject {
    Q_OBJECT

private:
    FreshPaths m_files{QStringLiteral("db%1.sqdb")};

    // Runs `action` and returns the text of the exception it throws ("" when none).
    template <typename Action>
    static QString thrownText(Action action) {
        try {
            action();
        } catch (const CppSQLite3Exception& e) {
            return QString::fromUtf8(e.errorMessage());
        }
        return QString();
    }

private slots:
    void codeNames_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("ok") << 0 << "SQLITE_OK";
        QTest::newRow("error") << 1 << "SQLITE_ERROR";
        QTest::newRow("busy") << 5 << "SQLITE_BUSY";
        QTest::newRow("readonly") << 8 << "SQLITE_READONLY";
        QTest::newRow("range") << 25 << "SQLITE_RANGE";
        QTest::newRow("not a database") << 26 << "SQLITE_NOTADB";
        QTest::newRow("past the table") << 29 << "UNKNOWN_ERROR";
        QTest::newRow("42") << 42 << "UNKNOWN_ERROR";
        QTest::newRow("negative") << -1 << "UNKNOWN_ERROR";
        QTest::newRow("row") << 100 << "SQLITE_ROW";
        QTest::newRow("done") << 101 << "SQLITE_DONE";
        QTest::newRow("layer") << 1000 << "CPPSQLITE_ERROR";
    }
    void codeNames() {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(QString::fromLatin1(CppSQLite3Exception::codeName(code)), name);
    }

    void exceptionText() {
        const CppSQLite3Exception engine(1, "near \"x\": syntax error");
        QCOMPARE(QString::fromUtf8(engine.errorMessage()), QStringLiteral("SQLITE_ERROR[1]: near \"x\": syntax error"));
        const CppSQLite3Exception layer(CppSQLite3Exception::kLayerError, nullptr);
        QCOMPARE(QString::fromUtf8(layer.errorMessage()), QStringLiteral("CPPSQLITE_ERROR[1000]: "));

        CppSQLite3Exception copy = engine;
        copy = layer;
        QCOMPARE(copy.errorCode(), 1000);
        QCOMPARE(QString::fromUtf8(copy.errorMessage()), QStringLiteral("CPPSQLITE_ERROR[1000]: "));
    }

    void layerErrors_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("text");
        QTest::newRow("closed connection") << 0 << "CPPSQLITE_ERROR[1000]: Database not open";
        QTest::newRow("scalar without row") << 1 << "CPPSQLITE_ERROR[1000]: Invalid scalar query";
        QTest::newRow("unknown column name") << 2 << "CPPSQLITE_ERROR[1000]: Invalid field name requested";
        QTest::newRow("column names are case-sensitive") << 3
                                                         << "CPPSQLITE_ERROR[1000]: Invalid field name requested";
        QTest::newRow("column index too large") << 4 << "CPPSQLITE_ERROR[1000]: Invalid field index requested";
        QTest::newRow("negative column index") << 5 << "CPPSQLITE_ERROR[1000]: Invalid field index requested";
        QTest::newRow("empty query") << 6 << "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer";
        QTest::newRow("released query") << 7 << "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer";
        QTest::newRow("engine error") << 8 << "SQLITE_ERROR[1]: no such table: missing";
    }
    void layerErrors() {
        QFETCH(int, which);
        QFETCH(QString, text);
        CppSQLite3DB db;
        if (which != 0) {
            db.open(m_files.next());
            db.execute(QStringLiteral("create table t( a INTEGER ); create table empty( a INTEGER ); insert into t values( 1 );"));
        }
        const QString thrown = thrownText([&] {
            switch (which) {
                case 0: db.execute(QStringLiteral("select 1")); break;
                case 1: db.scalar(QStringLiteral("select a from empty")); break;
                case 2: db.query(QStringLiteral("select a from t")).columnInt(QStringLiteral("b")); break;
                case 3: db.query(QStringLiteral("select a from t")).columnInt(QStringLiteral("A")); break;
                case 4: db.query(QStringLiteral("select a from t")).columnType(1); break;
                case 5: db.query(QStringLiteral("select a from t")).columnInt(-1); break;
                case 6: CppSQLite3Query().atEnd(); break;
                case 7: {
                    CppSQLite3Query q = db.query(QStringLiteral("select a from t"));
                    q.release();
                    q.advance();
                    break;
                }
                case 8: db.execute(QStringLiteral("delete from missing")); break;
            }
        });
        QCOMPARE(thrown, text);
    }

    void changesAndFinishedQueries() {
        CppSQLite3DB db;
        db.open(m_files.next());
        QCOMPARE(db.execute(QStringLiteral("create table t( a INTEGER, b TEXT )")), 0);
        QCOMPARE(db.execute(QStringLiteral("update t set a = 1 where b = 'x'")), 0);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from t")), 0);

        CppSQLite3Query empty = db.query(QStringLiteral("select a, b from t"));
        QVERIFY(empty.atEnd());
        QCOMPARE(empty.columnInt(0, 0), 0);
        QCOMPARE(empty.columnInt(QStringLiteral("a"), 7), 7);
        QVERIFY(empty.columnText(QStringLiteral("b")).isNull());
        QCOMPARE(empty.columnTextOr(QStringLiteral("b"), QStringLiteral("-")), QStringLiteral("-"));

        QCOMPARE(db.execute(QStringLiteral("insert into t values( 1, 'x' ); insert into t values( 2, NULL );")), 1);
        QCOMPARE(db.execute(QStringLiteral("update t set a = a + 10")), 2);
        QCOMPARE(db.scalar(QStringLiteral("select b from t where a = 12"), -5), -5);
    }

    // A statement that SQLite has finished starts over when stepped again; the cursor must not.
    void advancePastTheEndStaysAtEnd() {
        CppSQLite3DB db;
        db.open(m_files.next());
        db.execute(QStringLiteral("create table t( a INTEGER ); insert into t values( 1 );"));
        CppSQLite3Query q = db.query(QStringLiteral("select a from t"));
        QVERIFY(!q.atEnd());
        q.advance();
        QVERIFY(q.atEnd());
        q.advance();
        QVERIFY(q.atEnd());
    }

    // A reader that fails half-way leaves no statement open: the connection still closes.
    void forEachRowReleasesItsStatement() {
        CppSQLite3DB db;
        db.open(m_files.next());
        db.execute(QStringLiteral("create table t( a INTEGER ); insert into t values( 1 ), ( 2 ), ( 3 );"));
        QList<int> seen;
        db.forEachRow(QStringLiteral("select a from t"),
                      [&seen](const CppSQLite3Query& row) { seen << row.columnInt(0); });
        QCOMPARE(seen, QList<int>({1, 2, 3}));

        seen.clear();
        const QString text = thrownText([&] {
            db.forEachRow(QStringLiteral("select a from t"), [&seen](const CppSQLite3Query& row) {
                seen << row.columnInt(0);
                if (seen.size() == 2) row.columnInt(QStringLiteral("missing"));
            });
        });
        QVERIFY(!text.isEmpty());
        QCOMPARE(seen, QList<int>({1, 2}));
        QCOMPARE(thrownText([&] { db.close(); }), QString());
    }

    void movedQueryKeepsItsRow() {
        CppSQLite3DB db;
        db.open(m_files.next());
        db.execute(QStringLiteral("create table t( a INTEGER ); insert into t values( 5 ); insert into t values( 6 );"));
        CppSQLite3Query target = db.query(QStringLiteral("select a from t where a = 6"));
        CppSQLite3Query source = db.query(QStringLiteral("select a from t order by a"));
        target = std::move(source);
        QCOMPARE(target.columnInt(0), 5);
        target.advance();
        QCOMPARE(target.columnInt(0), 6);
        // The moved-from query no longer holds a statement, so the connection can close.
        target.release();
        db.close();
        QVERIFY(!db.isOpen());
    }

    void hasTable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("table") << "settings" << true;
        QTest::newRow("other letter case") << "SETTINGS" << true;  // SQLite's own rule
        QTest::newRow("missing") << "margin" << false;
        QTest::newRow("index") << "settings_by_name" << false;
        QTest::newRow("apostrophe") << "it's" << false;
    }
    void hasTable() {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        CppSQLite3DB db;
        db.open(m_files.next());
        db.execute(QStringLiteral("create table `settings`( name TEXT ); create index settings_by_name on settings( name );"));
        QCOMPARE(db.hasTable(name), exists);
    }

    void codecRoundTripsEveryByte() {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b) bytes.append(static_cast<char>(b));
        const QString text = cp1250::toUnicode(bytes);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1250::fromUnicode(text), bytes);
        QVERIFY(cp1250::canEncode(text));
        QVERIFY(!cp1250::canEncode(QStringLiteral("€ ok, ñ not")));
        QCOMPARE(cp1250::fromUnicode(QStringLiteral("aŋb")), QByteArray("a?b"));
    }

    // Bytes 1..255 stored by a statement, read back and written again must come out unchanged.
    void databaseRoundTripsEveryByte() {
        QByteArray bytes;
        for (int b = 1; b < 256; ++b) bytes.append(static_cast<char>(b));
        CppSQLite3DB db;
        db.open(m_files.next());
        db.execute(QStringLiteral("create table t( id INTEGER, v TEXT )"));
        db.execute(QStringLiteral("insert into t values( 1, '") + sql::escaped(cp1250::toUnicode(bytes)) + QStringLiteral("' )"));

        QString read;
        {
            CppSQLite3Query q = db.query(QStringLiteral("select v from t where id = 1"));
            read = q.columnText(QStringLiteral("v"));
        }
        QCOMPARE(read, cp1250::toUnicode(bytes));
        db.execute(QStringLiteral("insert into t values( 2, '") + sql::escaped(read) + QStringLiteral("' )"));

        CppSQLite3Query stored = db.query(QStringLiteral("select hex(v) as h from t order by id"));
        QCOMPARE(stored.columnText(QStringLiteral("h")), QString::fromLatin1(bytes.toHex().toUpper()));
        stored.advance();
        QCOMPARE(stored.columnText(QStringLiteral("h")), QString::fromLatin1(bytes.toHex().toUpper()));
    }

    void polishTextIsStoredAsWindows1250() {
        CppSQLite3DB db;
        db.open(m_files.next());
        db.execute(QStringLiteral("create table t( v TEXT ); insert into t values( 'Zażółć gęślą jaźń' );"));
        CppSQLite3Query q = db.query(QStringLiteral("select v, hex(v) as h from t"));
        QCOMPARE(q.columnText(QStringLiteral("h")), QStringLiteral("5A61BFF3B3E62067EA9C6CB9206A619FF1"));
        QCOMPARE(q.columnText(QStringLiteral("v")), QStringLiteral("Zażółć gęślą jaźń"));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
