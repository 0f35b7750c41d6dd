#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "forms/document_types.h"
#include "forms/form_registry.h"
#include "pupil_fixture.h"
#include "render/page_picture.h"
#include "render/print_dialog.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "support/file_contents.h"
#include "support/recording_device.h"
#include "support/recording_print_sink.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kCertificate = QStringLiteral("MEN-I/3a/2 świad. klasa IV");
const QString kMeetingReport = QStringLiteral("wywiadówka");

// One printer that prints on one side only: a certificate goes out in two jobs.
class SimplexPrinter : public PrinterCatalogue {
public:
    QStringList printerNames() const override { return {QStringLiteral("Testowa")}; }
    QString defaultPrinterName() const override { return QStringLiteral("Testowa"); }
    bool canDuplex(const QString&) const override { return false; }
};

// The stamp place's "m.p." is drawn only on pages made for paper.
bool carriesTheStamp(const QPicture& page) {
    RecordingDevice device(96);
    {
        QPainter painter(&device);
        vFunDrawPagePicture(painter, page, QRectF(0, 0, kPageWidth, kPageHeight));
    }
    for (const DrawnText& text : device.drawing().words()) {
        if (text.text == QLatin1String("m.p.")) return true;
    }
    return false;
}

// One dotted line in `table` of the working calibration: enough for a document to be drawn.
void addCalibrationRow(const QString& table) {
    ErrorStream err;
    CppSQLite3DB db;
    db.open(strFunGetCalibFilePath(err, false));
    db.execute(QStringLiteral("insert into `%1` values('ZMIENNA_Klasa_LINIA_Z_KROPEK', 100, 0, "
                              "200, 400, 'Times New Roman', 12, 0, 0, 0, 0, 0)")
                   .arg(table));
    db.close();
}

}  // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT

private slots:
    void printsThroughTheDialogAndClearsTheFlag_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("confirm");  // "Drukuj", or "Anuluj"
        QTest::addColumn<QStringList>("jobs");
        QTest::addColumn<bool>("stamp");

        QTest::newRow("certificate by hand, two jobs")
            << kCertificate << true << QStringList{"job ORVENTO 1", "job ORVENTO 2"} << true;
        QTest::newRow("one-page document")
            << kMeetingReport << true << QStringList{"job ORVENTO"} << false;
        QTest::newRow("cancelled") << kCertificate << false << QStringList{} << false;
    }

    void printsThroughTheDialogAndClearsTheFlag() {
        QFETCH(QString, caption);
        QFETCH(bool, confirm);
        QFETCH(QStringList, jobs);
        QFETCH(bool, stamp);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        // Created once at start-up and kept: the command shows this very instance.
        auto* dialog = main->programWindow<TFDrukuj>();
        QVERIFY(dialog);
        dialog->setPrinterCatalogue(std::make_unique<SimplexPrinter>());
        const auto record = std::make_shared<PrintRecord>();
        dialog->setSinkFactory(
            [record](const PrintTarget&) { return std::make_unique<RecordingPrintSink>(record); });
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1"));
        QVERIFY(main->bFunReloadStudentList());
        // The shipped calibration has no rows for the report yet: give it one.
        if (caption == kMeetingReport) addCalibrationRow(QStringLiteral("wywiadowka"));
        QTreeWidgetItem* node = documentNode(*main->treeView(), 0, caption);
        clickNode(*main, node);

        if (jobs.size() == 2) {
            prompts.expectMessage(strFunTurnOverPromptText(), "Druk", PromptIcon::None,
                                  PromptButtons::Ok);
        }
        bool shownModally = false;
        bool printFlagWhileShown = false;
        QTimer::singleShot(0, dialog, [&] {
            shownModally = dialog->isVisible() && dialog->isModal();
            printFlagWhileShown = main->state().print;
            if (confirm) {
                dialog->print();
            } else {
                dialog->reject();
            }
        });
        main->DrukujToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QVERIFY(shownModally);
        QVERIFY(printFlagWhileShown);
        QVERIFY(!main->state().print);
        QCOMPARE(record->calls.filter(QRegularExpression("^job ")), jobs);
        QCOMPARE(record->pages.size(), jobs.isEmpty() ? 0 : (caption == kCertificate ? 2 : 1));
        if (!record->pages.isEmpty()) QCOMPARE(carriesTheStamp(record->pages.first()), stamp);

        // The next preview is made for the screen again: no marks.
        clickNode(*main, node);
        QVERIFY(!carriesTheStamp(main->state().pages[0]));
    }

    // A document that could not be drawn whole has been reported; printing it would only feed
    // blank or incomplete pages to the printer as if all were well.
    void undrawableDocumentIsNotOfferedForPrinting_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("failure");  // the start of the renderer's message
        QTest::addColumn<bool>("previewFails");
        QTest::newRow("calibration table missing")
            << "table" << "Błąd podczas próby wczytania danych kalibracji" << true;
        QTest::newRow("stamp picture unreadable")
            << "stamp" << "Nie można odczytać pliku graficznego." << false;
    }

    void undrawableDocumentIsNotOfferedForPrinting() {
        QFETCH(QString, fault);
        QFETCH(QString, failure);
        QFETCH(bool, previewFails);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* dialog = main->programWindow<TFDrukuj>();
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1"));
        QVERIFY(main->bFunReloadStudentList());
        ErrorStream err;
        if (fault == "table") {
            CppSQLite3DB db;
            db.open(strFunGetCalibFilePath(err, false));
            db.execute("drop table `" + documentTypeForCaption(kCertificate)->key + "`");
            db.close();
        } else {
            writeFile(strFunGetMainDirPath(err) + "/grafika/m_p.bmp", "BM not a picture");
        }
        if (previewFails)
            prompts.expectMessageStartingWith(failure, "Błąd", PromptIcon::Error, PromptButtons::Ok);
        clickNode(*main, documentNode(*main->treeView(), 0, kCertificate));

        prompts.expectMessageStartingWith(failure, "Błąd", PromptIcon::Error, PromptButtons::Ok);
        bool dialogShown = false;
        QTimer closer;  // closes the dialog should it open, so the test fails instead of hanging
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, dialog, [&] {
            dialogShown = dialog->isVisible();
            if (dialogShown) dialog->reject();
        });
        closer.start(0);
        main->DrukujToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QVERIFY(!dialogShown);
        QVERIFY(!main->state().print);
    }
};

QTEST_MAIN(PrintCommandTest)
#include "tst_print_command.moc"
