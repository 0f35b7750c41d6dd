#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "storage/school_template.h"
#include "support/file_size_limit.h"
#include "support/test_environment.h"

namespace {

const QString kId = QStringLiteral("DANE SZKOLY");
const QString kTable = QString::fromLatin1(kSchoolTemplateTable);

FieldRecord record(const QString& compName, const QString& value) {
    return FieldRecord{kId, compName, value};
}

QStringList rows(const RecordList& records) {
    QStringList out;
    for (const FieldRecord& r : records)
        out << r.id + QLatin1Char('|') + r.compName + QLatin1Char('|') + r.value;
    return out;
}

QString lastLoggedFun() {
    ErrorStream err;
    CppSQLite3DB db;
    db.open(strFunGetLogFilePath(err));
    CppSQLite3Query query = db.query(QStringLiteral("select fun from error order by rowid desc limit 1"));
    const QString fun = query.columnTextOr(0);
    query.release();
    db.close();
    return fun;
}

}  // namespace

// The template's own database: what is written is read back in order and byte for byte, and a
// write that fails keeps the template that was there.
class TestSchoolTemplate : public QObject {
    Q_OBJECT

private:
    ErrorStream m_err;

    RecordList read(const QString& path) {
        RecordList records{record(QStringLiteral("stale"), QStringLiteral("x"))};
        if (!bFunSqlTemplateReadData(m_err, path, kTable, records)) qWarning() << m_err.text();
        return records;
    }

private slots:
    // The path's file comes into being empty, and reads as an empty template until the first
    // write; an existing template is never truncated by asking for the path again.
    void pathCreatesAnEmptyTemplate() {
        TestEnvironment env(false);
        const QString path = strFunGetTemplateFilePath(m_err);
        QCOMPARE(path, env.mainDir() + QStringLiteral("/szablony.sqset"));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
        QVERIFY(read(path).isEmpty());

        const RecordList saved{record(QStringLiteral("ZMIENNA_SzkolaNr_DATA_EDIT"), QStringLiteral("7"))};
        QVERIFY2(bFunSqlTemplateWriteData(m_err, path, kTable, saved), qPrintable(m_err.text()));
        QCOMPARE(strFunGetTemplateFilePath(m_err), path);
        QCOMPARE(rows(read(path)), rows(saved));
    }

    // Rows come back in list order with empty values kept; apostrophes and Polish letters
    // round-trip, the caller's records are left unescaped, and a second write replaces the first.
    void writeThenReadRoundTrips() {
        TestEnvironment env(false);
        const QString path = strFunGetTemplateFilePath(m_err);
        const RecordList first{
            record(QStringLiteral("ZMIENNA_SzkolaIm1_DATA_EDIT"), QStringLiteral("Jana Paw'a II")),
            record(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QString()),
            record(QStringLiteral("ZMIENNA_SzkolaMiasto_DATA_EDIT"), QStringLiteral("Łódź '' ' ")),
        };
        RecordList passed = first;
        QVERIFY2(bFunSqlTemplateWriteData(m_err, path, kTable, passed), qPrintable(m_err.text()));
        QCOMPARE(rows(passed), rows(first));
        QCOMPARE(rows(read(path)), rows(first));

        const RecordList second{record(QStringLiteral("ZMIENNA_SzkolaNr_DATA_EDIT"), QStringLiteral("2"))};
        QVERIFY2(bFunSqlTemplateWriteData(m_err, path, kTable, second), qPrintable(m_err.text()));
        QCOMPARE(rows(read(path)), rows(second));
    }

    // The disk fills up in the middle of the write: the previous template is still there, whole.
    void failedWriteKeepsThePreviousTemplate() {
        TestEnvironment env(false);
        const QString path = strFunGetTemplateFilePath(m_err);
        const RecordList previous{
            record(QStringLiteral("ZMIENNA_NazwaSzkolyPodstawowej1_DATA_EDIT"), QStringLiteral("Szkoła Podstawowa")),
            record(QStringLiteral("ZMIENNA_SzkolaNr_DATA_EDIT"), QStringLiteral("12")),
        };
        QVERIFY2(bFunSqlTemplateWriteData(m_err, path, kTable, previous), qPrintable(m_err.text()));

        RecordList large;
        for (int i = 0; i < 60; ++i)
            large << record(QStringLiteral("ZMIENNA_Pole%1_DATA_EDIT").arg(i), QString(2000, QLatin1Char('x')));
        bool written = true;
        {
            const FileSizeLimit limit(QFileInfo(path).size() + 16 * 1024);
            written = bFunSqlTemplateWriteData(m_err, path, kTable, large);
        }
        QVERIFY(!written);
        QVERIFY2(m_err.text().startsWith(QStringLiteral("SqlException\nSQLITE_")), qPrintable(m_err.text()));
        QCOMPARE(lastLoggedFun(), QStringLiteral("bFunSqlWriteTemplateData()"));
        QCOMPARE(rows(read(path)), rows(previous));
    }

    void missingFileIsReported_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("lead");
        QTest::addColumn<QString>("fun");
        QTest::newRow("write") << true << QStringLiteral("Plik nie istnieje.\n\n")
                               << QStringLiteral("bFunSqlTemplateWriteData()");
        QTest::newRow("read") << false << QStringLiteral("Plik nie istnieje.\n")
                              << QStringLiteral("bFunSqlTemplateReadData()");
    }

    void missingFileIsReported() {
        QFETCH(bool, write);
        QFETCH(QString, lead);
        QFETCH(QString, fun);
        TestEnvironment env(false);
        const QString path = env.mainDir() + QStringLiteral("/brak.sqset");
        RecordList records{record(QStringLiteral("ZMIENNA_SzkolaNr_DATA_EDIT"), QStringLiteral("1"))};
        const bool ok = write ? bFunSqlTemplateWriteData(m_err, path, kTable, records)
                              : bFunSqlTemplateReadData(m_err, path, kTable, records);
        QVERIFY(!ok);
        QCOMPARE(m_err.text(), lead + path);
        QCOMPARE(lastLoggedFun(), fun);
        QVERIFY(!QFileInfo::exists(path));
    }

    // A file that is no database is reported, not read as an empty template.
    void unreadableFileIsReported() {
        TestEnvironment env(false);
        const QString path = strFunGetTemplateFilePath(m_err);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'z'));
        file.close();
        RecordList records;
        QVERIFY(!bFunSqlTemplateReadData(m_err, path, kTable, records));
        QCOMPARE(m_err.text(), QStringLiteral("SqlException\nSQLITE_NOTADB"));
        QVERIFY(records.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSchoolTemplate)
#include "tst_school_template.moc"
