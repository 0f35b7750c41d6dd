#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "render/print_dialog.h"
#include "render/print_output.h"
#include "render/test_sheet.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "support/scripted_prompter.h"
#include "support/sheet_marks.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(MarginRect)

namespace {

const MarginRect kStandard{5, 0, 205, 297};

// One printer that prints on both sides, so no turn-over prompt comes between the sides.
class DuplexPrinter : public PrinterCatalogue {
public:
    QStringList printerNames() const override { return {QStringLiteral("Sekretariat")}; }
    QString defaultPrinterName() const override { return QStringLiteral("Sekretariat"); }
    bool canDuplex(const QString&) const override { return true; }
};

// Every label of both sides lies where it says, to 0.3 mm, and each kind of label is there.
void verifySheet(const QString& pdf, const std::array<MarginRect, 2>& margins) {
    for (int side = 1; side <= 2; ++side) {
        const QList<SheetWord> words = sheetWords(pdf, side);
        const SheetMarks marks = sheetMarks(words, 0.3);
        QVERIFY2(marks.misplaced.isEmpty(), qPrintable(marks.misplaced.join(QLatin1Char('\n'))));
        QCOMPARE(marks.acrossLabels, 5);
        QCOMPARE(marks.downLabels, 5);
        // Ten-millimetre numbers of the paper that fall on the page and within its ends.
        QVERIFY2(marks.acrossRuler >= 15, qPrintable(QString::number(marks.acrossRuler)));
        QVERIFY2(marks.downRuler >= 22, qPrintable(QString::number(marks.downRuler)));
        // The sheet says which margins it was drawn for.
        const MarginRect& m = margins[side - 1];
        const QString stated = QStringLiteral("X1=%1 mm, Y1=%2 mm, X2=%3 mm, Y2=%4 mm.")
                                   .arg(m.x1).arg(m.y1).arg(m.x2).arg(m.y2);
        QStringList texts;
        for (const SheetWord& word : words) texts << word.text;
        QVERIFY2(texts.join(QLatin1Char(' ')).contains(stated), qPrintable(stated));
    }
}

}  // namespace

// The calibration test sheet printed through the same placement as every document: its
// crosshairs and rulers land where their labels say, for the margins it is printed with.
class TestTestSheet : public QObject {
    Q_OBJECT

private slots:
    void marksLandWhereLabelled_data() {
        QTest::addColumn<MarginRect>("page1");
        QTest::addColumn<MarginRect>("page2");
        QTest::newRow("standard") << kStandard << kStandard;
        // Shifted and scaled differently per axis and per side, one side partly off the paper.
        QTest::newRow("shifted, scaled") << MarginRect{12, 7, 190, 280} << MarginRect{-3, 4, 215, 305};
    }

    void marksLandWhereLabelled() {
        if (!havePdfToText()) QSKIP("pdftotext (poppler-utils) is not installed");
        QFETCH(MarginRect, page1);
        QFETCH(MarginRect, page2);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("arkusz.pdf"));
        PrintRequest request;
        request.pages = testSheetPages(page1, page2);
        request.pageCount = 2;
        request.page1 = page1;
        request.page2 = page2;
        request.duplex = DuplexMode::LongEdge;
        request.duplexEnabled = true;
        ErrorStream err;
        {
            const std::unique_ptr<PrintSink> sink = makePdfSink(pdf);
            QVERIFY2(printDocument(*sink, request, {}, err), qPrintable(err.text()));
        }
        verifySheet(pdf, {page1, page2});
    }

    // Margins no preset should hold draw a sheet all the same, without looping for long.
    void absurdMarginsStillDraw() {
        for (const MarginRect& m : {MarginRect{0, 0, 0, 0}, MarginRect{205, 297, 5, 0},
                                    MarginRect{-2000000000, -2000000000, 2000000000, 2000000000}}) {
            const QPicture page = testSheetPage(1, m);
            QVERIFY(page.size() > 0);
        }
    }

    // The window's entry: the labels follow the margins the print dialog holds when "Drukuj" is
    // pressed, not those it opened with.
    void printDialogDrawsTheSheetForItsFields() {
        if (!havePdfToText()) QSKIP("pdftotext (poppler-utils) is not installed");
        TestEnvironment env;
        ScriptedPrompter prompts;
        ErrorStream err;
        QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("z_okna.pdf"));
        TFDrukuj dialog;
        dialog.setPrinterCatalogue(std::make_unique<DuplexPrinter>());
        dialog.setSinkFactory([&pdf](const PrintTarget&) { return makePdfSink(pdf); });
        const MarginRect page1{9, 3, 201, 293};
        const MarginRect page2{4, 2, 206, 299};
        // Once the dialog is up: change the fields as the arrows would, then print.
        QMetaObject::invokeMethod(
            &dialog,
            [&] {
                dialog.findChild<QComboBox*>(QStringLiteral("DuplexComboBox"))->setCurrentIndex(1);
                dialog.setPageMargins(1, page1);
                dialog.setPageMargins(2, page2);
                dialog.findChild<QPushButton*>(QStringLiteral("DrukujButton"))->click();
            },
            Qt::QueuedConnection);
        QCOMPARE(iFunPrintTestSheet(dialog), int(QDialog::Accepted));
        verifySheet(pdf, {page1, page2});
    }
};

QTEST_MAIN(TestTestSheet)
#include "tst_test_sheet.moc"
