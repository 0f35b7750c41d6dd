#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "storage/cp1250.h"
#include "support/file_contents.h"
#include "support/headless_process.h"
#include "support/test_environment.h"

namespace {

using Run = HeadlessRun;

// The built program as the user runs it: no display, and a platform that would need one.
Run runSemrik(const QStringList& arguments) {
    return runHeadless(QStringLiteral(SEMRIK_EXECUTABLE), arguments);
}

// A pupil block of the old text file; without a PESEL the block has no PESEL line at all.
QString pupilBlock(const QString& surname, const QString& pesel) {
    QString block = "<DANE SWIADECTW DLA: " + surname +
                    ">\r\n<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>\r\n" + "<Nazwisko_DATA_EDIT>" +
                    surname + "\r\n<Imie_DATA_EDIT>Jan\r\n";
    if (!pesel.isEmpty()) block += "<NrPesel_DATA_EDIT>" + pesel + "\r\n";
    return block +
           "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>\r\n<DOK>\r\n<A_DATA_EDIT>1\r\n</DOK>\r\n" +
           "</KONIEC DANYCH SWIADECTW>\r\n";
}

const QString kAbsent = "(absent)";
const QString kUntouched = "(untouched)";

}  // namespace

// `semrik --import-srk PLIK.srk WYNIK.smrk [--force]` run as the user runs it: what it lists,
// what it writes and what it refuses.
class ImportSrkCommandTest : public QObject {
    Q_OBJECT

private slots:
    void converts_data() {
        QTest::addColumn<QString>("input");  // the text file's content; kAbsent: no such file
        QTest::addColumn<bool>("outputExists");
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");     // %1 the text file, %2 the class file
        QTest::addColumn<QString>("listed");  // `--list` of the class file, kAbsent, kUntouched

        const QString two = pupilBlock("Zet", "2") + pupilBlock("Alfa", "1");
        const QString listing = "Alfa Jan\tPESEL1\nZet Jan\tPESEL2\n";
        QTest::newRow("good file") << two << false << false << 0 << listing << "" << listing;
        QTest::newRow("existing output refused")
            << two << true << false << 1 << ""
            << "Nie można zapisać pliku: %2\nPlik już istnieje; aby go zastąpić, podaj --force.\n"
            << kUntouched;
        QTest::newRow("existing output replaced with --force")
            << two << true << true << 0 << listing << "" << listing;
        QTest::newRow("missing input") << kAbsent << false << false << 1 << ""
                                       << "Plik źródłowy nie istnieje: \n%1\n"
                                       << kAbsent;
        QTest::newRow("pupil without PESEL: the others written, failure")
            << pupilBlock("Zet", "2") + pupilBlock("Bez", "") << false << false << 1
            << "Zet Jan\tPESEL2\n"
            << "Pominięci uczniowie bez numeru PESEL: 1\nWiersz 11: uczeń Bez Jan nie ma numeru "
               "PESEL (wiersza NrPesel_DATA_EDIT), więc go nie zaimportowano.\n"
            << "Zet Jan\tPESEL2\n";
        QTest::newRow("no pupils: nothing written")
            << "tylko tekst\r\n"
            << false << false << 1 << ""
            << "W pliku nie ma danych żadnego ucznia (wiersza „<DANE SWIADECTW DLA:”).\nPlik: %1\n"
            << kAbsent;
    }

    void converts() {
        QFETCH(QString, input);
        QFETCH(bool, outputExists);
        QFETCH(bool, force);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, listed);
        TestEnvironment env;
        QTemporaryDir dir;
        const QString source = dir.filePath("klasa.srk");
        const QString target = dir.filePath("klasa.smrk");
        if (input != kAbsent) writeFile(source, cp1250::fromUnicode(input));
        const QByteArray before = "earlier class file";
        if (outputExists) writeFile(target, before);
        const QByteArray sourceBytes = readFile(source);

        QStringList arguments{"--import-srk", source, target};
        if (force) arguments << "--force";
        const Run run = runSemrik(arguments);
        QCOMPARE(run.err, QString(err).replace("%1", source).replace("%2", target));
        QCOMPARE(run.out, out);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(readFile(source), sourceBytes);
        QCOMPARE(QDir(dir.path()).entryList({"*.tmp*"}, QDir::Files | QDir::Hidden), QStringList());
        if (listed == kAbsent) {
            QVERIFY(!QFile::exists(target));
        } else if (listed == kUntouched) {
            QCOMPARE(readFile(target), before);
        } else {
            const Run list = runSemrik({"--list", target});
            QCOMPARE(list.err, QString());
            QCOMPARE(list.out, listed);
        }
    }

    void helpDescribesIt() {
        const Run run = runSemrik({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains("  semrik --import-srk PLIK.srk WYNIK.smrk [--force]\n"),
                 qPrintable(run.out));
        QVERIFY(run.out.contains(
            "      --force                 zastępuje istniejący plik WYNIK.smrk\n"));
    }
};

QTEST_GUILESS_MAIN(ImportSrkCommandTest)
#include "tst_import_srk_command.moc"
