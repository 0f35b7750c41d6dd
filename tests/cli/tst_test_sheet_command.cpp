#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/headless_process.h"
#include "support/sheet_marks.h"
#include "support/test_environment.h"

namespace {

using Run = HeadlessRun;

// The built program as the user runs it: no display, and a platform that would need one.
Run runSemrik(const QStringList& arguments) {
    return runHeadless(QStringLiteral(SEMRIK_EXECUTABLE), arguments);
}

QStringList leftovers(const QString& directory) {
    return QDir(directory).entryList({"*.tmp*"}, QDir::Files | QDir::Hidden | QDir::System);
}

}  // namespace

// `semrik --pdf-test-sheet WYNIK.pdf`: the test sheet without a window, labelled for the first
// margin preset of the working settings.
class TestTestSheetCommand : public QObject {
    Q_OBJECT

private slots:
    void writesTheSheetForTheFirstPreset() {
        if (!havePdfToText()) QSKIP("pdftotext (poppler-utils) is not installed");
        TestEnvironment env;
        ErrorStream err;
        QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
        // The user's own first preset, not the shipped standard one.
        CppSQLite3DB db;
        db.open(strFunGetSettingsFilePath(err, false));
        db.execute(QStringLiteral(
            "update `margin` set `Page1X1`=11, `Page1Y1`=6, `Page1X2`=199, `Page1Y2`=288, "
            "`Page2X1`=3, `Page2Y1`=2, `Page2X2`=207, `Page2Y2`=300 "
            "where rowid = (select min(rowid) from `margin`)"));
        db.close();

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("arkusz.pdf"));
        const Run run = runSemrik({QStringLiteral("--pdf-test-sheet"), pdf});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(leftovers(dir.path()).isEmpty());
        QVERIFY(sheetWords(pdf, 3).isEmpty());  // two sides, nothing more
        const QStringList stated = {QStringLiteral("X1=11 mm, Y1=6 mm, X2=199 mm, Y2=288 mm."),
                                    QStringLiteral("X1=3 mm, Y1=2 mm, X2=207 mm, Y2=300 mm.")};
        for (int side = 1; side <= 2; ++side) {
            const QList<SheetWord> words = sheetWords(pdf, side);
            const SheetMarks marks = sheetMarks(words, 0.3);
            QVERIFY2(marks.misplaced.isEmpty(), qPrintable(marks.misplaced.join('\n')));
            QCOMPARE(marks.acrossLabels + marks.downLabels, 10);
            QStringList texts;
            for (const SheetWord& word : words) texts << word.text;
            QVERIFY2(texts.join(' ').contains(stated.at(side - 1)), qPrintable(texts.join(' ')));
        }
    }

    void refusesWhatItCannotWrite_data() {
        QTest::addColumn<QString>("target");  // within the test's directory
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing directory") << "brak/arkusz.pdf" << 1;
        QTest::newRow("directory") << "katalog" << 1;
        QTest::newRow("read-only file") << "stary.pdf" << 1;
        QTest::newRow("no file named") << QString() << 2;
    }

    void refusesWhatItCannotWrite() {
        QFETCH(QString, target);
        QFETCH(int, exitCode);
        TestEnvironment env;
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("katalog")));
        const QString readOnly = dir.filePath(QStringLiteral("stary.pdf"));
        writeFile(readOnly, "earlier PDF");
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner));

        QStringList arguments{QStringLiteral("--pdf-test-sheet")};
        if (!target.isEmpty()) arguments << dir.filePath(target);
        const Run run = runSemrik(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(!run.err.trimmed().isEmpty());
        QCOMPARE(readFile(readOnly), QByteArray("earlier PDF"));
        QVERIFY(leftovers(dir.path()).isEmpty());
    }
};

QTEST_MAIN(TestTestSheetCommand)
#include "tst_test_sheet_command.moc"
