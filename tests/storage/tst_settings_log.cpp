#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include "storage/database.h"
#include "storage/error_log.h"
#include "storage/error_stream.h"
#include "storage/log_reader.h"
#include "storage/paths.h"
#include "storage/settings_store.h"
#include "support/test_environment.h"

namespace {

// The working settings database as installed from the shipped copy, with one integer key.
QString createSettings(const TestEnvironment& env) {
    const QString path = env.mainDir() + QStringLiteral("/ustawienia.sqset");
    CppSQLite3DB db;
    db.open(path);
    db.execute(QStringLiteral("create table `settings`( `name` TEXT, `text_value` TEXT, `int_value` INTEGER );"
                              "insert into `settings`( `name`, `int_value` ) values( 'import_alert', 1 );"));
    return path;
}

int scalarIn(const QString& path, const QString& sql) {
    CppSQLite3DB db;
    db.open(path);
    return db.scalar(sql);
}

struct LogRow {
    QString dateTime, fun, info;
};

QList<LogRow> logRows(const QString& table) {
    ErrorStream err;
    CppSQLite3DB db;
    db.open(strFunGetLogFilePath(err));
    QList<LogRow> rows;
    if (!db.hasTable(table)) return rows;
    for (CppSQLite3Query q = db.query(QStringLiteral("select * from `%1`").arg(table)); !q.atEnd(); q.advance()) {
        rows.append({q.columnTextOr(QStringLiteral("datetime")), q.columnTextOr(QStringLiteral("fun")),
                     q.columnTextOr(QStringLiteral("info"))});
    }
    return rows;
}

}  // namespace

// The settings store, the error log writer and its reader.
class TestSettingsLog : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vFunSetLogClock({}); }

    void missingKeyReadsEmpty() {
        TestEnvironment env(false);
        createSettings(env);
        ErrorStream err;
        int number = 99;
        QVERIFY(bFunSqlGetSettingsValue(err, QStringLiteral("no_such_key"), number));
        QCOMPARE(number, 0);
        QString text = QStringLiteral("stale");
        QVERIFY(bFunSqlGetSettingsValue(err, QStringLiteral("no_such_key"), text));
        QCOMPARE(text, QString());
        QVERIFY(bFunSqlGetSettingsValue(err, QStringLiteral("import_alert"), number));
        QCOMPARE(number, 1);
    }

    // The first write of a key inserts its row, the next one updates it: one row in the end.
    void writeThenUpdate_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("integer");
        QTest::newRow("integer") << "word_wrap" << "1" << "0" << true;
        QTest::newRow("existing integer") << "import_alert" << "0" << "7" << true;
        QTest::newRow("text") << "update_server_host" << "a.example" << "b.example" << false;
        QTest::newRow("apostrophes") << "szkoła 'Nr 1'" << "O'Brien" << "'; drop table settings; --" << false;
        QTest::newRow("apostrophe in integer key") << "it's" << "1" << "2" << true;
    }
    void writeThenUpdate() {
        QFETCH(QString, key);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, integer);
        TestEnvironment env(false);
        const QString path = createSettings(env);
        ErrorStream err;
        for (const QString& value : {first, second}) {
            QVERIFY(integer ? bFunSqlSettingWriteValue(err, key, value.toInt())
                            : bFunSqlSettingWriteValue(err, key, value));
        }
        QVERIFY2(err.isEmpty(), qPrintable(err.text()));

        CppSQLite3DB db;
        db.open(path);
        CppSQLite3Query row = db.query(QStringLiteral("select *, (select count(*) from `settings` where `name` = s.`name`) as n "
                                                      "from `settings` s where `name` = '%1'")
                                           .arg(QString(key).replace(QLatin1Char('\''), QLatin1String("''"))));
        QCOMPARE(row.columnInt(QStringLiteral("n")), 1);
        QCOMPARE(row.columnTextOr(integer ? QStringLiteral("int_value") : QStringLiteral("text_value")), second);
        QCOMPARE(scalarIn(path, QStringLiteral("select count(*) from `settings`")), key == QLatin1String("import_alert") ? 1 : 2);

        if (integer) {
            int read = -1;
            QVERIFY(bFunSqlGetSettingsValue(err, key, read));
            QCOMPARE(read, second.toInt());
        } else {
            QString read;
            QVERIFY(bFunSqlGetSettingsValue(err, key, read));
            QCOMPARE(read, second);
        }
    }

    void settingsFailures_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("message");  // %1: the settings path
        QTest::addColumn<QString>("logged");
        QTest::newRow("missing file, read") << false << false << "Plik nie istnieje:\n%1" << "bFunSqlGetSettingsValue()";
        QTest::newRow("missing file, write") << false << true << "Plik nie istnieje.\n\n%1" << "bFunSqlSettingWriteValue()";
        QTest::newRow("no table, read") << true << false << "SqlException:\n\nSQLITE_ERROR" << "bFunSqlGetSettingsValue()";
        QTest::newRow("no table, write") << true << true << "SQLite exception: SQLITE_ERROR" << "";
    }
    void settingsFailures() {
        QFETCH(bool, fileExists);
        QFETCH(bool, write);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        TestEnvironment env(false);
        ErrorStream err;
        const QString path = strFunGetSettingsFilePath(err, false);
        if (fileExists) QFile(path).open(QIODevice::WriteOnly);  // an empty database

        err << "stale";
        int value = 5;
        QVERIFY(!(write ? bFunSqlSettingWriteValue(err, QStringLiteral("word_wrap"), 1)
                        : bFunSqlGetSettingsValue(err, QStringLiteral("word_wrap"), value)));
        QCOMPARE(err.text(), message.arg(path));
        QCOMPARE(value, 5);
        const QList<LogRow> rows = logRows(QStringLiteral("error"));
        QCOMPARE(rows.size(), logged.isEmpty() ? 0 : 1);
        if (!logged.isEmpty()) {
            QCOMPARE(rows.first().fun, logged);
            QCOMPARE(rows.first().info, err.text());
        }
    }

    void logRowTimeIsUtc_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("stored");
        QTest::newRow("no leading zeros") << QDateTime(QDate(2014, 6, 9), QTime(8, 5, 3), Qt::UTC) << "2014.6.9 8:5:3";
        QTest::newRow("longest") << QDateTime(QDate(2014, 12, 31), QTime(23, 59, 59), Qt::UTC) << "2014.12.31 23:59:59";
        QTest::newRow("local time given") << QDateTime(QDate(2014, 6, 9), QTime(10, 5, 3), Qt::OffsetFromUTC, 7200)
                                          << "2014.6.9 8:5:3";
    }
    void logRowTimeIsUtc() {
        QFETCH(QDateTime, now);
        QFETCH(QString, stored);
        TestEnvironment env(false);
        vFunSetLogClock([now] { return now; });
        ErrorStream err;
        err << "Plik nie istnieje.\n\n/tmp/x";
        vFunWriteLog(err, QStringLiteral("bFunSaveCertData()"), kLogError);
        const QList<LogRow> rows = logRows(QStringLiteral("error"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().dateTime, stored);
        QCOMPARE(rows.first().fun, QStringLiteral("bFunSaveCertData()"));
        QCOMPARE(rows.first().info, err.text());
    }

    // Each kind has its own table, created with its first row; apostrophes never cost a row.
    void logKinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("errorRows");
        QTest::addColumn<int>("infoRows");
        QTest::newRow("error") << 0 << 2 << 0;
        QTest::newRow("info") << 1 << 0 << 2;
        QTest::newRow("other kinds write nothing") << 7 << 0 << 0;
    }
    void logKinds() {
        QFETCH(int, kind);
        QFETCH(int, errorRows);
        QFETCH(int, infoRows);
        TestEnvironment env(false);
        ErrorStream err;
        const QString logPath = strFunGetLogFilePath(err);
        err << "Błąd podczas kopiowania pliku.\n\nZ: C:\\Dokumenty 'szkoła'\\a.smrk";
        vFunWriteLog(err, QStringLiteral("bFunCopyFile()"), kind);
        vFunWriteLog(err, QStringLiteral("it's()"), kind);

        QCOMPARE(QFileInfo::exists(logPath), kind == 0 || kind == 1);
        QCOMPARE(logRows(QStringLiteral("error")).size(), errorRows);
        const QList<LogRow> info = logRows(QStringLiteral("info"));
        QCOMPARE(info.size(), infoRows);
        const QList<LogRow> written = kind == 0 ? logRows(QStringLiteral("error")) : info;
        if (!written.isEmpty()) {
            QCOMPARE(written.at(0).info, err.text());
            QCOMPARE(written.at(1).fun, QStringLiteral("it's()"));
        }
        if (kind == 0) {
            CppSQLite3DB db;
            db.open(logPath);
            QVERIFY(!db.hasTable(QStringLiteral("info")));
        }
    }

    // The viewer's reader: the `error` rows as stored, nothing else, and a failure that loses
    // nothing the caller held.
    void readLog_data() {
        QTest::addColumn<QString>("script");  // makes the log database; none: no log file
        QTest::addColumn<QByteArray>("rawFile");  // or the log file's bytes
        QTest::addColumn<bool>("read");
        QTest::addColumn<QStringList>("rows");  // "datetime|fun|info"
        QTest::addColumn<QString>("message");
        const QString tables = QStringLiteral(
            "create table `error`( datetime TEXT, fun TEXT, info TEXT );"
            "create table `info`( datetime TEXT, fun TEXT, info TEXT );");
        const QString longInfo = QStringLiteral("Błąd podczas kopiowania pliku.\n\nZ: ") + QString(1500, QLatin1Char('x'));
        QTest::newRow("no log") << QString() << QByteArray() << false << QStringList() << QString();
        QTest::newRow("stored order, info rows left out, whole texts")
            << tables + QStringLiteral(
                   "insert into `error` values( '2014.6.9 8:5:3', 'bFunSaveCertData()', 'Plik nie istnieje.\n\n/x' );"
                   "insert into `info` values( '2014.6.9 8:5:4', 'info()', 'never shown' );"
                   "insert into `error` values( '2014.6.9 8:5:2', NULL, NULL );"
                   "insert into `error` values( '2014.6.10 9:0:0', 'bFunCopyFile()', '%1' );")
                         .arg(longInfo)
            << QByteArray() << true
            << QStringList{QStringLiteral("2014.6.9 8:5:3|bFunSaveCertData()|Plik nie istnieje.\n\n/x"),
                           QStringLiteral("2014.6.9 8:5:2||"),
                           QStringLiteral("2014.6.10 9:0:0|bFunCopyFile()|") + longInfo}
            << QString();
        QTest::newRow("no error logged yet")
            << QStringLiteral("create table `info`( datetime TEXT, fun TEXT, info TEXT );")
            << QByteArray() << true << QStringList() << QString();
        QTest::newRow("error table without its columns")
            << QStringLiteral("create table `error`( datetime TEXT, info TEXT );"
                              "insert into `error` values( '2014.6.9 8:5:3', 'x' );")
            << QByteArray() << false << QStringList() << QStringLiteral("Sql exception: CPPSQLITE_ERROR");
        QTest::newRow("not a database") << QString() << QByteArray(4096, 'x') << false << QStringList()
                                        << QStringLiteral("Sql exception: SQLITE_NOTADB");
    }
    void readLog() {
        QFETCH(QString, script);
        QFETCH(QByteArray, rawFile);
        QFETCH(bool, read);
        QFETCH(QStringList, rows);
        QFETCH(QString, message);
        TestEnvironment env(false);
        ErrorStream err;
        const QString logPath = strFunGetLogFilePath(err);
        if (!script.isNull()) {
            CppSQLite3DB db;
            db.open(logPath);
            db.execute(script);
        }
        if (!rawFile.isEmpty()) {
            QFile file(logPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(rawFile);
        }

        QList<LogEntry> entries{{QStringLiteral("held"), QStringLiteral("by"), QStringLiteral("caller")}};
        QCOMPARE(bFunSqlGetLogsData(err, entries), read);
        QStringList seen;
        for (const LogEntry& entry : entries) seen << entry.datetime + u'|' + entry.fun + u'|' + entry.info;
        QCOMPARE(seen, QStringList{QStringLiteral("held|by|caller")} + rows);
        QCOMPARE(err.text(), message);
        // Reading writes nothing: no log file appears, no row is added to a log it could read.
        if (script.isNull() && rawFile.isEmpty()) QVERIFY(!QFileInfo::exists(logPath));
        if (read) QCOMPARE(logRows(QStringLiteral("error")).size(), rows.size());
    }

    // The writer is called while an error is being reported: its own failure stays inside.
    void unwritableLogIsSwallowed() {
        TestEnvironment env(false);
        ErrorStream err;
        const QString logPath = strFunGetLogFilePath(err);
        {
            QFile file(logPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));  // not a database
        }
        err << "Błąd";
        vFunWriteLog(err, QStringLiteral("bFunCopyFile()"), kLogError);
        QCOMPARE(err.text(), QStringLiteral("Błąd"));
        QCOMPARE(QFileInfo(logPath).size(), 4096);
    }
};

QTEST_GUILESS_MAIN(TestSettingsLog)
#include "tst_settings_log.moc"
