#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"
#include "storage/sql_text.h"
#include "support/file_size_limit.h"
#include "support/fresh_paths.h"
#include "support/test_environment.h"

namespace {

const QString kPupilData = QStringLiteral("DANE UCZNIA");
const QString kMeeting = QStringLiteral("WYWIADOWKA SZKOLA PODSTAWOWA 4-6");
const QString kCertificate4 = QStringLiteral("SWIADECTWO UKONCZENIA KLASY 4 SZKOLY PODST.");

FieldRecord record(const QString& id, const QString& compName, const QString& value) {
    return FieldRecord{id, compName, value};
}

RecordList pupil(const QString& surname, const QString& firstName) {
    return {record(kPupilData, QStringLiteral("Nazwisko_DATA_EDIT"), surname),
            record(kPupilData, QStringLiteral("Imie_DATA_EDIT"), firstName)};
}

// Records as comparable text, so a failed comparison shows which record differs.
QStringList rows(const RecordList& records) {
    QStringList out;
    for (const FieldRecord& r : records)
        out << r.id + QLatin1Char('|') + r.compName + QLatin1Char('|') + r.value;
    return out;
}

QStringList rows(const StudentList& students) {
    QStringList out;
    for (const StudentListEntry& s : students)
        out << s.displayName + QLatin1Char('|') + s.tableName;
    return out;
}

enum class Operation { Check, TableList, StudentsList, Load, Delete, Save, Replace };

}  // namespace

Q_DECLARE_METATYPE(RecordList)
Q_DECLARE_METATYPE(Operation)

// The class file store: what it writes is what it reads back, in order and byte for byte, a
// failed save leaves the previous pupil where it was, and files from elsewhere (foreign tables,
// odd table names, Windows-1250 text) list and load safely.
class TestPupilStore : public QObject {
    Q_OBJECT

private:
    TestEnvironment m_env{false};
    FreshPaths m_files{QStringLiteral("klasa%1.smrk")};
    QString m_path;  // a fresh class file path per test, not yet created
    ErrorStream m_err;

    void sql(const QString& statement) {
        CppSQLite3DB db;
        db.open(m_path);
        db.execute(statement);
        db.close();
    }

    QString scalarText(const QString& statement) {
        CppSQLite3DB db;
        db.open(m_path);
        CppSQLite3Query query = db.query(statement);
        const QString text = query.columnTextOr(0);
        query.release();
        db.close();
        return text;
    }

    // As the pupil dialog does: the class file comes into being with its first pupil.
    void createPupilTable(const QString& table, const RecordList& records) {
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, table, true), 0);
        QVERIFY2(bFunSaveCertData(m_err, m_path, table, records), qPrintable(m_err.text()));
    }

    RecordList load(const QString& table) {
        RecordList records;
        ErrorStream err;
        if (!bFunLoadCertData(err, m_path, table, records)) qWarning() << err.text();
        return records;
    }

    bool exists(const QString& table) {
        ErrorStream err;
        return iFunCheckIsStudentExists(err, m_path, table, false) == 1;
    }

    StudentList list() {
        StudentList students;
        ErrorStream err;
        if (!bFunGetStudentsList(err, m_path, students)) qWarning() << err.text();
        return students;
    }

    QString lastLoggedFun() {
        ErrorStream err;
        CppSQLite3DB db;
        db.open(strFunGetLogFilePath(err));
        CppSQLite3Query query =
            db.query(QStringLiteral("select fun from error order by rowid desc limit 1"));
        const QString fun = query.columnTextOr(0);
        query.release();
        db.close();
        return fun;
    }

private slots:
    void init() {
        m_path = m_files.next();
        m_err.clear();
    }

    void emptyDatabaseListsNothing() {
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, QStringLiteral("PESEL1"), true), 0);
        QStringList tables;
        StudentList students;
        QVERIFY(bFunGetTableList(m_err, m_path, tables));
        QVERIFY(bFunGetStudentsList(m_err, m_path, students));
        QVERIFY(tables.isEmpty());
        QVERIFY(students.isEmpty());
        QVERIFY(m_err.isEmpty());
    }

    void checkCreatesTheDatabaseOnlyWhenAsked() {
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, QStringLiteral("PESEL1"), false), -1);
        QVERIFY(!QFile::exists(m_path));
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, QStringLiteral("PESEL1"), true), 0);
        QVERIFY(QFile::exists(m_path));
        createPupilTable(QStringLiteral("PESEL1"),
                         pupil(QStringLiteral("Nowak"), QStringLiteral("Jan")));
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, QStringLiteral("PESEL1"), true), 1);
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, QStringLiteral("PESEL2"), false), 0);
    }

    void saveAndLoadRoundTrip_data() {
        QTest::addColumn<RecordList>("records");
        RecordList documents = pupil(QStringLiteral("Nowak"), QStringLiteral("Jan"));
        documents << record(kMeeting, QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO01"),
                            QStringLiteral("pierwsza"))
                  << record(kMeeting, QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO02"),
                            QStringLiteral(""))
                  << record(kMeeting, QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO03"),
                            QStringLiteral("trzecia"))
                  << record(kCertificate4, QStringLiteral("ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"),
                            QStringLiteral("Jan Nowak"))
                  << record(kPupilData, QStringLiteral("NrDziennika_DATA_EDIT"),
                            QStringLiteral("12"));
        QTest::newRow("documents and memo lines in list order") << documents;
        RecordList apostrophes = pupil(QStringLiteral("O'Brien"), QStringLiteral("Ann"));
        apostrophes << record(kPupilData, QStringLiteral("UrodzonyMiasto_DATA_COMBOBOX"),
                              QStringLiteral("O'Hara''s '"))
                    << record(QStringLiteral("it's"), QStringLiteral("Pole'_DATA_EDIT"),
                              QStringLiteral("'"));
        QTest::newRow("apostrophes in values, ids and names") << apostrophes;
        RecordList polish = pupil(QStringLiteral("Żółć"), QStringLiteral("Łukasz"));
        polish << record(kPupilData, QStringLiteral("UrodzonyMiasto_DATA_COMBOBOX"),
                         QStringLiteral("Kędzierzyn-Koźle"));
        QTest::newRow("Polish letters") << polish;
        QTest::newRow("no records") << RecordList();
    }
    void saveAndLoadRoundTrip() {
        QFETCH(RecordList, records);
        const QStringList original = rows(records);
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, QStringLiteral("PESEL1"), true), 0);

        int written = 0;
        QVERIFY2(
            bFunSaveCertData(m_err, m_path, QStringLiteral("PESEL1"), records, [&] { ++written; }),
            qPrintable(m_err.text()));
        QCOMPARE(written, records.size());
        QCOMPARE(rows(records), original);  // the caller's list is not escaped in place
        QCOMPARE(rows(load(QStringLiteral("PESEL1"))), original);

        // The whole-pupil save of the same list again: still stored once, not doubled.
        written = 0;
        QVERIFY2(bFunReplaceCertData(m_err, m_path, QStringLiteral("PESEL1"),
                                     QStringLiteral("PESEL1"), records, [&] { ++written; }),
                 qPrintable(m_err.text()));
        QCOMPARE(written, records.size());
        QCOMPARE(rows(records), original);
        QCOMPARE(rows(load(QStringLiteral("PESEL1"))), original);
    }

    void saveOntoExistingTableFails() {
        const RecordList first = pupil(QStringLiteral("Nowak"), QStringLiteral("Jan"));
        createPupilTable(QStringLiteral("PESEL1"), first);
        QVERIFY(!bFunSaveCertData(m_err, m_path, QStringLiteral("PESEL1"),
                                  pupil(QStringLiteral("Lis"), QStringLiteral("Ewa"))));
        QCOMPARE(m_err.text(), QStringLiteral("Tablica już istnieje: PESEL1"));
        QCOMPARE(lastLoggedFun(), QStringLiteral("bFunSaveCertData()"));
        QCOMPARE(rows(load(QStringLiteral("PESEL1"))), rows(first));
    }

    void overlongTextsAreCut() {
        const QString longId(600, QLatin1Char('i'));
        const QString longName(600, QLatin1Char('n'));
        const QString longValue(3000, QLatin1Char('v'));
        createPupilTable(QStringLiteral("PESEL1"), {record(longId, longName, longValue)});
        // Written by another program: longer than any record field.
        sql(QStringLiteral("insert into `PESEL1` values( '%1', '%2', '%3' )")
                .arg(longId, longName, longValue));

        const RecordList loaded = load(QStringLiteral("PESEL1"));
        QCOMPARE(loaded.size(), 2);
        for (const FieldRecord& r : loaded) {
            QCOMPARE(r.id, longId.left(FieldRecord::kMaxIdLength));
            QCOMPARE(r.compName, longName.left(FieldRecord::kMaxNameLength));
            QCOMPARE(r.value, longValue.left(FieldRecord::kMaxValueLength));
        }
        // What we write ourselves fits the fields of programs that read it into fixed buffers.
        QCOMPARE(scalarText(QStringLiteral("select length(value) from `PESEL1` where rowid = 1")),
                 QStringLiteral("2047"));
    }

    void replaceMovesThePupilInOneStep_data() {
        QTest::addColumn<QString>("oldTable");
        QTest::addColumn<QString>("newTable");
        QTest::addColumn<QStringList>("listed");
        const QString one = QStringLiteral("PESEL1");
        const QString two = QStringLiteral("PESEL2");
        const QString three = QStringLiteral("PESEL3");
        // A recreated table joins the end of the catalogue; the tree sorts by name anyway.
        QTest::newRow("same PESEL")
            << one << one << QStringList{"Kos Ewa|PESEL2", "Nowak Jan|PESEL1"};
        QTest::newRow("new PESEL")
            << one << three << QStringList{"Kos Ewa|PESEL2", "Nowak Jan|PESEL3"};
        QTest::newRow("onto another pupil's PESEL")
            << one << two << QStringList{"Nowak Jan|PESEL2"};
        QTest::newRow("new pupil")
            << QString() << three
            << QStringList{"Stary Adam|PESEL1", "Kos Ewa|PESEL2", "Nowak Jan|PESEL3"};
    }
    void replaceMovesThePupilInOneStep() {
        QFETCH(QString, oldTable);
        QFETCH(QString, newTable);
        QFETCH(QStringList, listed);
        createPupilTable(QStringLiteral("PESEL1"),
                         pupil(QStringLiteral("Stary"), QStringLiteral("Adam")));
        createPupilTable(QStringLiteral("PESEL2"),
                         pupil(QStringLiteral("Kos"), QStringLiteral("Ewa")));

        const RecordList edited = pupil(QStringLiteral("Nowak"), QStringLiteral("Jan"));
        QVERIFY2(bFunReplaceCertData(m_err, m_path, oldTable, newTable, edited),
                 qPrintable(m_err.text()));
        QCOMPARE(rows(list()), listed);
        QCOMPARE(rows(load(newTable)), rows(edited));
    }

    void failedSaveKeepsThePreviousTables_data() {
        QTest::addColumn<QString>("oldTable");  // empty: a plain save
        QTest::addColumn<QString>("newTable");
        QTest::addColumn<bool>("diskFull");
        const QString one = QStringLiteral("PESEL1");
        const QString two = QStringLiteral("PESEL2");
        QTest::newRow("replace, same PESEL, disk full") << one << one << true;
        QTest::newRow("replace, new PESEL, disk full") << one << two << true;
        QTest::newRow("replace onto a name an index holds") << one << two << false;
        QTest::newRow("save, disk full") << QString() << two << true;
    }
    void failedSaveKeepsThePreviousTables() {
        QFETCH(QString, oldTable);
        QFETCH(QString, newTable);
        QFETCH(bool, diskFull);
        const RecordList previous = pupil(QStringLiteral("Nowak"), QStringLiteral("Jan"));
        createPupilTable(QStringLiteral("PESEL1"), previous);
        // A damaged file: an index of a foreign table carries the name the pupil moves to.
        if (!diskFull) {
            sql(QStringLiteral(
                "create table notatki( tekst TEXT ); create index PESEL2 on notatki( tekst )"));
        }

        RecordList edited = pupil(QStringLiteral("Kowalski"), QStringLiteral("Piotr"));
        for (int i = 0; i < 600; ++i) {
            edited << record(kMeeting, QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO%1").arg(i),
                             QString(2000, QLatin1Char('x')));
        }
        bool saved = false;
        {
            const FileSizeLimit limit(diskFull ? QFileInfo(m_path).size() + 64 * 1024
                                               : RLIM_INFINITY);
            saved = oldTable.isEmpty()
                        ? bFunSaveCertData(m_err, m_path, newTable, edited)
                        : bFunReplaceCertData(m_err, m_path, oldTable, newTable, edited);
        }
        QVERIFY(!saved);
        QVERIFY2(m_err.text().startsWith(QStringLiteral("SQLite exception: SQLITE_")),
                 qPrintable(m_err.text()));
        QCOMPARE(lastLoggedFun(), QStringLiteral("bFunSqlSaveCertData()"));
        QCOMPARE(rows(load(QStringLiteral("PESEL1"))), rows(previous));
        QCOMPARE(rows(list()), QStringList{QStringLiteral("Nowak Jan|PESEL1")});
        QVERIFY(!exists(QStringLiteral("PESEL2")));
    }

    void listingSkipsWhatIsNotAPupil() {
        createPupilTable(QStringLiteral("PESEL1"),
                         pupil(QStringLiteral("Adamek"), QStringLiteral("Ola")));
        sql(
            QStringLiteral("create table notatki( tekst TEXT );"
                           "create index notatki_tekst on notatki( tekst );"
                           "create view widok as select * from PESEL1;"
                           "create trigger wyzwalacz after insert on notatki begin select 1; end;"
                           "create table licznik( n integer primary key autoincrement );"
                           "insert into licznik default values;"
                           "create table bez_wartosci( id TEXT, comp_name TEXT );"
                           "create table PESEL9( id TEXT, comp_name TEXT );"));
        createPupilTable(QStringLiteral("PESEL2"),
                         pupil(QStringLiteral("Zając"), QStringLiteral("Piotr")));
        createPupilTable(QStringLiteral("PESEL3"),
                         pupil(QStringLiteral("Zając"), QStringLiteral("Piotr")));

        QStringList tables;
        QVERIFY(bFunGetTableList(m_err, m_path, tables));
        QCOMPARE(tables,
                 (QStringList{"PESEL1", "notatki", "notatki_tekst", "widok", "wyzwalacz", "licznik",
                              "sqlite_sequence", "bez_wartosci", "PESEL9", "PESEL2", "PESEL3"}));

        StudentList students;
        UnreadablePupilList unreadable;
        QVERIFY(bFunGetStudentsList(m_err, m_path, students, &unreadable));
        // One display name, two pupils: both listed, told apart by their tables.
        QCOMPARE(rows(students),
                 (QStringList{"Adamek Ola|PESEL1", "Zając Piotr|PESEL2", "Zając Piotr|PESEL3"}));
        // A table named as a pupil's that cannot be read is reported; foreign ones are not.
        QCOMPARE(unreadable.size(), 1);
        QCOMPARE(unreadable.first().tableName, QStringLiteral("PESEL9"));
        QCOMPARE(unreadable.first().reason, QStringLiteral("CPPSQLITE_ERROR"));
        QCOMPARE(m_err.text(), QStringLiteral("SQL exception: \nCPPSQLITE_ERROR"));
        QCOMPARE(lastLoggedFun(), QStringLiteral("bFunGetStudentsList"));
    }

    void oddTableNamesNeitherBreakNorInject_data() {
        QTest::addColumn<QString>("table");
        QTest::newRow("backquote") << "PESEL9`; drop table `PESEL2";
        QTest::newRow("apostrophe") << "PESEL9'; drop table PESEL2; --";
        QTest::newRow("both") << "PESEL`9'x";
    }
    void oddTableNamesNeitherBreakNorInject() {
        QFETCH(QString, table);
        // As a damaged or foreign file would hold it.
        sql(QStringLiteral("create table `%1`( id TEXT, comp_name TEXT, value TEXT );"
                           "insert into `%1` values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Obcy' );"
                           "insert into `%1` values( 'DANE UCZNIA', 'Imie_DATA_EDIT', 'Jan' );")
                .arg(sql::identifier(table)));
        createPupilTable(QStringLiteral("PESEL2"),
                         pupil(QStringLiteral("Kos"), QStringLiteral("Ewa")));

        QCOMPARE(rows(list()), (QStringList{"Obcy Jan|" + table, "Kos Ewa|PESEL2"}));
        QCOMPARE(load(table).size(), 2);
        QCOMPARE(iFunCheckIsStudentExists(m_err, m_path, table, false), 1);

        const RecordList edited = pupil(QStringLiteral("Obcy"), QStringLiteral("Adam"));
        QVERIFY2(bFunReplaceCertData(m_err, m_path, table, table, edited),
                 qPrintable(m_err.text()));
        QCOMPARE(rows(load(table)), rows(edited));

        QVERIFY2(bFunDeleteTable(m_err, m_path, table), qPrintable(m_err.text()));
        QCOMPARE(rows(list()), QStringList{QStringLiteral("Kos Ewa|PESEL2")});
    }

    void reportedFailures_data() {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("fileContent");  // null: no file at all
        QTest::addColumn<QString>("message");      // "%1" stands for the path
        QTest::addColumn<QString>("loggedAs");
        const QString missing = QStringLiteral("Plik nie istnieje: \n%1");
        QTest::newRow("check, no file")
            << Operation::Check << QString() << missing << "iFunCheckIsStudentExists";
        QTest::newRow("table list, no file")
            << Operation::TableList << QString() << "Plik nie istnieje: \n:%1"
            << "bFunGetTableList";
        QTest::newRow("listing, no file")
            << Operation::StudentsList << QString() << "Plik nie istnieje: \n:%1"
            << "bFunGetTableList";
        QTest::newRow("load, no file")
            << Operation::Load << QString() << missing << "bFunLoadCertData";
        QTest::newRow("delete, no file")
            << Operation::Delete << QString() << missing << "bFunDeleteTable";
        QTest::newRow("save, no file")
            << Operation::Save << QString() << missing << "bFunSaveCertData()";
        QTest::newRow("replace, no file")
            << Operation::Replace << QString() << missing << "bFunSaveCertData()";
        QTest::newRow("load, no such pupil") << Operation::Load << ""
                                             << "Tablica nie istnieje: \nPESEL1"
                                             << "bFunLoadCertData";
        // Not an SQLite file at all: the listing must not show it as an empty class.
        const QString damaged = QStringLiteral("to nie jest baza danych, tylko tekst");
        QTest::newRow("listing, damaged file")
            << Operation::StudentsList << damaged << "SQLite exception: \nSQLITE_NOTADB"
            << "bFunSqlGetTableList()";
        QTest::newRow("load, damaged file")
            << Operation::Load << damaged << "SQL exception: \nSQLITE_NOTADB"
            << "bFunLoadCertData()";
    }
    void reportedFailures() {
        QFETCH(Operation, operation);
        QFETCH(QString, fileContent);
        QFETCH(QString, message);
        QFETCH(QString, loggedAs);
        if (!fileContent.isNull()) {
            QFile file(m_path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(fileContent.toUtf8());
        }
        const QString table = QStringLiteral("PESEL1");
        QStringList tables;
        StudentList students;
        RecordList records;
        bool ok = true;
        switch (operation) {
            case Operation::Check:
                ok = iFunCheckIsStudentExists(m_err, m_path, table, false) != -1;
                break;
            case Operation::TableList:
                ok = bFunGetTableList(m_err, m_path, tables);
                break;
            case Operation::StudentsList:
                ok = bFunGetStudentsList(m_err, m_path, students);
                break;
            case Operation::Load:
                ok = bFunLoadCertData(m_err, m_path, table, records);
                break;
            case Operation::Delete:
                ok = bFunDeleteTable(m_err, m_path, table);
                break;
            case Operation::Save:
                ok = bFunSaveCertData(m_err, m_path, table, pupil("A", "B"));
                break;
            case Operation::Replace:
                ok = bFunReplaceCertData(m_err, m_path, table, table, pupil("A", "B"));
                break;
        }
        QVERIFY(!ok);
        QCOMPARE(m_err.text(), message.replace(QStringLiteral("%1"), m_path));
        QCOMPARE(lastLoggedFun(), loggedAs);
        QVERIFY(students.isEmpty() && records.isEmpty());
    }

    void readsAFileWrittenInWindows1250ByAnotherTool() {
        m_path = m_env.fixture(QStringLiteral("klasa_cp1250.smrk"));
        QCOMPARE(rows(list()),
                 (QStringList{"Żółć Łukasz|PESEL02270803628", "Gęślą Jaźmina|PESEL03311204561"}));

        const RecordList records = load(QStringLiteral("PESEL02270803628"));
        QCOMPARE(records.size(), 7);
        QCOMPARE(records[3].value, QStringLiteral("Kędzierzyn-Koźle"));
        QCOMPARE(records[5].value, QStringLiteral("Zachowanie wzorowe, ćwiczy grę na skrzypcach"));
        QCOMPARE(records[6].compName, QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO02"));

        // Saved back, the bytes are the same Windows-1250 the other tool wrote.
        const QString townHex = QStringLiteral(
            "select hex(value) from `PESEL02270803628` where comp_name = "
            "'UrodzonyMiasto_DATA_COMBOBOX'");
        const QString before = scalarText(townHex);
        QCOMPARE(before, QStringLiteral("4BEA647A6965727A796E2D4B6F9F6C65"));
        QVERIFY2(bFunReplaceCertData(m_err, m_path, QStringLiteral("PESEL02270803628"),
                                     QStringLiteral("PESEL02270803628"), records),
                 qPrintable(m_err.text()));
        QCOMPARE(scalarText(townHex), before);
    }
};

QTEST_GUILESS_MAIN(TestPupilStore)
#include "tst_pupil_store.moc"
