#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include "render/page_picture.h"
#include "render/print_output.h"
#include "storage/error_stream.h"
#include "support/recording_print_sink.h"
#include "support/test_environment.h"

namespace {

const MarginRect kPage1{5, 0, 205, 297};
const MarginRect kPage2{6, 1, 204, 296};

QPicture pageWithText(const QString& text, QPoint at) {
    QPicture page;
    QPainter painter(&page);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(iFunPointsToUnits(14));
    painter.setFont(font);
    painter.drawText(at, text);
    painter.end();
    page.setBoundingRect(QRect(0, 0, kPageWidth, kPageHeight));
    return page;
}

// Which test page a drawn picture is, and whether it came turned.
QString label(const QPicture& page, const MarginRect& m) {
    const QLineF l = firstLineOf(page);
    const auto near = [&l](QLineF expected) {
        return QLineF(l.p1(), expected.p1()).length() < 0.5 &&
               QLineF(l.p2(), expected.p2()).length() < 0.5;
    };
    QString name;
    if (near({100, 200, 300, 250})) {
        name = QStringLiteral("p1");
    } else if (near({100, 400, 300, 450})) {
        name = QStringLiteral("p2");
    } else if (near({779, 899, 579, 849})) {
        name = QStringLiteral("p2 turned");
    } else {
        name = QStringLiteral("line %1,%2-%3,%4").arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2());
    }
    return name + QStringLiteral("@%1,%2,%3,%4").arg(m.x1).arg(m.y1).arg(m.x2).arg(m.y2);
}

PrintRequest request(int pageCount, int duplex, bool duplexEnabled, bool rotate) {
    PrintRequest r;
    r.pages = {pageWithLine({100, 200, 300, 250}), pageWithLine({100, 400, 300, 450})};
    r.pageCount = pageCount;
    r.page1 = kPage1;
    r.page2 = kPage2;
    r.duplex = static_cast<DuplexMode>(duplex);
    r.duplexEnabled = duplexEnabled;
    r.rotateSecondPage = rotate;
    return r;
}

const QStringList kOnePageJob = {"page", "draw", "end page"};

QStringList job(const QString& name, int pages) {
    QStringList calls{QStringLiteral("job ") + name};
    for (int i = 0; i < pages; ++i) calls << kOnePageJob;
    return calls << QStringLiteral("end job");
}

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

// The print engine: where a page lands on the sheet, the jobs of a print, and the PDF target.
class TestPrintOutput : public QObject {
    Q_OBJECT

private:
    TestEnvironment m_env{false};  // the failure log goes to a private data folder

private slots:
    void rectOnPrinter_data() {
        QTest::addColumn<MarginRect>("margins");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QRect>("expected");
        // 10 mm at 600 dpi is 236.2 px: left 236 - 100, width 4724 - 136.
        QTest::newRow("printer offset") << MarginRect{10, 20, 200, 280} << 600 << QPoint(100, 50)
                                        << QRect(136, 422, 4588, 6192);
        QTest::newRow("standard preset, whole sheet")
            << MarginRect{5, 0, 205, 297} << 1200 << QPoint() << QRect(236, 0, 9449, 14031);
        QTest::newRow("negative truncates toward zero")
            << MarginRect{-1, -1, 1, 1} << 600 << QPoint() << QRect(-23, -23, 46, 46);
    }
    void rectOnPrinter() {
        QFETCH(MarginRect, margins);
        QFETCH(int, dpi);
        QFETCH(QPoint, offset);
        QFETCH(QRect, expected);
        QCOMPARE(::rectOnPrinter(margins, dpi, offset), expected);
    }

    void pictureTurned180MapsEveryPoint() {
        const QPicture turned = pictureTurned180(pageWithLine({100, 400, 300, 450}));
        QCOMPARE(label(turned, kPage2), QStringLiteral("p2 turned@6,1,204,296"));
        QCOMPARE(turned.boundingRect(), QRect(0, 0, kPageWidth, kPageHeight));
    }

    void jobsOfAPrint_data() {
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<bool>("duplexEnabled");
        QTest::addColumn<bool>("rotate");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("pages");

        const QStringList one = job("ORVENTO", 1);
        const QStringList duplex = job("ORVENTO", 2);
        const QStringList byHand = job("ORVENTO 1", 1) << "prompt" << job("ORVENTO 2", 1);
        const QString p1 = "p1@5,0,205,297";
        const QString p2 = "p2@6,1,204,296";
        const QString turned = "p2 turned@6,1,204,296";
        QTest::newRow("one page") << 1 << 0 << false << false << one << QStringList{p1};
        QTest::newRow("one page, duplex chosen")
            << 1 << 1 << true << true << one << QStringList{p1};
        QTest::newRow("duplex") << 2 << 1 << true << false << duplex << QStringList{p1, p2};
        QTest::newRow("duplex, turned")
            << 2 << 2 << true << true << duplex << QStringList{p1, turned};
        QTest::newRow("printer without duplex")
            << 2 << 1 << false << true << byHand << QStringList{p1, p2};
        QTest::newRow("duplex off: by hand, never turned")
            << 2 << 0 << true << true << byHand << QStringList{p1, p2};
    }
    void jobsOfAPrint() {
        QFETCH(int, pageCount);
        QFETCH(int, duplex);
        QFETCH(bool, duplexEnabled);
        QFETCH(bool, rotate);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, pages);

        auto record = std::make_shared<PrintRecord>();
        RecordingPrintSink sink(record);
        const PrintRequest r = request(pageCount, duplex, duplexEnabled, rotate);
        ErrorStream err;
        QVERIFY(printDocument(
            sink, r, [&] { record->calls << "prompt"; }, err));
        QCOMPARE(record->calls, calls);
        QStringList drawn;
        for (int i = 0; i < record->pages.size(); ++i)
            drawn << label(record->pages.at(i), record->margins.at(i));
        QCOMPARE(drawn, pages);
        QCOMPARE(label(r.pages[1], kPage2),
                 QStringLiteral("p2@6,1,204,296"));  // caller's page kept
    }

    // A job or page that cannot start stops the print with its message; a job whose page
    // failed is dropped rather than left open.
    void startFailures_data() {
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<int>("failJob");
        QTest::addColumn<int>("failPage");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("message");
        const QString doc = "Błąd otwarcia nowego dokumentu StartDoc()\nError code: 42";
        const QString page = "Błąd otwarcia nowej strony do druku StartPage()\nError code: 42";
        QTest::newRow("job") << 1 << false << 1 << 0 << QStringList{"job ORVENTO"} << doc;
        QTest::newRow("page") << 1 << false << 0 << 1 << QStringList{"job ORVENTO", "page", "abort"}
                              << page;
        QTest::newRow("second duplex page") << 2 << true << 0 << 2
                                            << (QStringList{"job ORVENTO"} << kOnePageJob << "page"
                                                                           << "abort")
                                            << page;
        QTest::newRow("second job by hand") << 2 << false << 2 << 0
                                            << (job("ORVENTO 1", 1) << "prompt"
                                                                    << "job ORVENTO 2")
                                            << doc;
    }
    void startFailures() {
        QFETCH(int, pageCount);
        QFETCH(bool, duplex);
        QFETCH(int, failJob);
        QFETCH(int, failPage);
        QFETCH(QStringList, calls);
        QFETCH(QString, message);

        auto record = std::make_shared<PrintRecord>();
        record->failJob = failJob;
        record->failPage = failPage;
        record->errorCode = 42;
        RecordingPrintSink sink(record);
        ErrorStream err;
        err << "old text";
        QVERIFY(!printDocument(
            sink, request(pageCount, duplex ? 1 : 0, true, false),
            [&] { record->calls << "prompt"; }, err));
        QCOMPARE(record->calls, calls);
        QCOMPARE(err.text(), message);
    }

    // Two jobs go into one A4 PDF whose text stays text, Polish letters included, placed where
    // the margins put it on the sheet.
    void pdfHoldsEveryJobAsText() {
        const QString pdftotext = tool("pdftotext");
        const QString pdfinfo = tool("pdfinfo");
        const QString pdffonts = tool("pdffonts");
        if (pdftotext.isEmpty() || pdfinfo.isEmpty() || pdffonts.isEmpty())
            QSKIP("poppler-utils (pdftotext, pdfinfo, pdffonts) are not installed");

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("druk.pdf"));
        PrintRequest r;
        r.pages = {pageWithText(QStringLiteral("Zażółć gęślą jaźń"), {100, 300}),
                   pageWithText(QStringLiteral("Świadectwo"), {200, 600})};
        r.pageCount = 2;
        r.page1 = kPage1;
        r.page2 = kPage1;
        ErrorStream err;
        {
            const std::unique_ptr<PrintSink> sink = makePdfSink(path);
            QVERIFY2(printDocument(*sink, r, {}, err), qPrintable(err.text()));
        }

        const QString info = run(pdfinfo, {path});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\n")), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
        QCOMPARE(run(pdftotext, {"-f", "1", "-l", "1", path, "-"}).trimmed(),
                 QStringLiteral("Zażółć gęślą jaźń"));
        QCOMPARE(run(pdftotext, {"-f", "2", "-l", "2", path, "-"}).trimmed(),
                 QStringLiteral("Świadectwo"));
        const QStringList fonts = run(pdffonts, {path}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts) QVERIFY2(font.contains(" yes "), qPrintable(font));

        // Unit 100 of 885 across 5..205 mm is 27.6 mm from the sheet's left edge.
        const QString boxes = run(pdftotext, {"-bbox", "-f", "1", "-l", "1", path, "-"});
        const QRegularExpressionMatch word =
            QRegularExpression("xMin=\"([0-9.]+)\"[^>]*>Zażółć<").match(boxes);
        QVERIFY2(word.hasMatch(), qPrintable(boxes));
        const double leftMm = word.captured(1).toDouble() * 25.4 / 72;
        QVERIFY2(qAbs(leftMm - (5 + 100 * 200.0 / 885)) < 0.5, qPrintable(QString::number(leftMm)));
    }

    // On a printer the picture's left edge lands X1 mm from the paper's edge, whatever margin
    // the printer cannot print; a duplex job keeps both pages in one document.
    void printerSinkPlacesFromThePaperEdge() {
        const QString pdftotext = tool("pdftotext");
        const QString pdfinfo = tool("pdfinfo");
        if (pdftotext.isEmpty() || pdfinfo.isEmpty())
            QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed");

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("drukarka.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);  // a printer that writes what it prints
        printer.setOutputFileName(path);
        printer.setPageMargins(QMarginsF(12, 15, 3, 4), QPageLayout::Millimeter);
        PrintRequest r;
        r.pages = {pageWithText(QStringLiteral("Lewa"), {0, 300}),
                   pageWithText(QStringLiteral("Druga"), {0, 300})};
        r.pageCount = 2;
        r.page1 = kPage1;
        r.page2 = kPage1;
        r.duplex = DuplexMode::LongEdge;
        r.duplexEnabled = true;
        ErrorStream err;
        QVERIFY2(printDocument(*makePrinterSink(printer, r.duplex), r, {}, err),
                 qPrintable(err.text()));

        const QString info = run(pdfinfo, {path});
        QVERIFY2(info.contains(QRegularExpression("Title:\\s+ORVENTO\\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\n")), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
        const QString boxes = run(pdftotext, {"-bbox", "-f", "1", "-l", "1", path, "-"});
        const QRegularExpressionMatch word =
            QRegularExpression("xMin=\"([0-9.]+)\"[^>]*>Lewa<").match(boxes);
        QVERIFY2(word.hasMatch(), qPrintable(boxes));
        const double leftMm = word.captured(1).toDouble() * 25.4 / 72;
        QVERIFY2(qAbs(leftMm - kPage1.x1) < 0.5, qPrintable(QString::number(leftMm)));
    }

    void pdfThatCannotBeWrittenFailsToStart() {
        const std::unique_ptr<PrintSink> sink = makePdfSink(QStringLiteral("/nonexistent/x.pdf"));
        ErrorStream err;
        QVERIFY(!printDocument(*sink, request(1, 0, false, false), {}, err));
        QVERIFY2(err.text().startsWith(
                     QStringLiteral("Błąd otwarcia nowego dokumentu StartDoc()\nError code: ")),
                 qPrintable(err.text()));
    }
};

QTEST_MAIN(TestPrintOutput)
#include "tst_print_output.moc"
