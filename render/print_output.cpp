#include "print_output.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

#include "page_picture.h"
#include "storage/error_log.h"

namespace {

const char* const kPrintFun = "DrukujButtonClick()";

// Millimetres to device pixels in single precision, truncated toward zero. Absurd values from a
// foreign preset are held far inside the int range so the sums below cannot overflow.
int millimetresToPixels(int millimetres, int dpi) {
    const float pixels = static_cast<float>(millimetres) * 10 / 254 * static_cast<float>(dpi);
    return static_cast<int>(std::clamp(pixels, -1.0e8f, 1.0e8f));
}

void reportStartFailure(ErrorStream& err, const char* text, int code) {
    err.clear();
    err << text << code;
    vFunWriteLog(err, QString::fromLatin1(kPrintFun), kLogError);
}

QPrinter::DuplexMode qtDuplex(DuplexMode mode) {
    switch (mode) {
        case DuplexMode::LongEdge:
            return QPrinter::DuplexLongSide;
        case DuplexMode::ShortEdge:
            return QPrinter::DuplexShortSide;
        case DuplexMode::Off:
            break;
    }
    return QPrinter::DuplexNone;
}

// The Qt printer. Each job begins a painter on the printer; the first page comes with it.
class PrinterSink : public PrintSink {
public:
    PrinterSink(std::unique_ptr<QPrinter> owned, QPrinter* printer, DuplexMode duplex)
        : m_owned(std::move(owned)), m_printer(printer), m_duplex(duplex) {}
    ~PrinterSink() override {
        if (m_painter.isActive()) m_painter.end();
    }

    bool startJob(const QString& jobName) override {
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setPageOrientation(QPageLayout::Portrait);
        m_printer->setDuplex(qtDuplex(m_duplex));
        m_printer->setDocName(jobName);
        m_pagesInJob = 0;
        if (m_painter.begin(m_printer)) return true;
        m_error = stateCode();
        return false;
    }

    bool startPage() override {
        if (m_pagesInJob++ == 0) return true;
        if (m_printer->newPage()) return true;
        m_error = stateCode();
        return false;
    }

    void drawPage(const QPicture& page, const MarginRect& margins) override {
        // The painter's origin is the corner of the printable area, as the offset assumes.
        const int dpi = m_printer->resolution();
        const QPoint offset = m_printer->pageLayout().paintRectPixels(dpi).topLeft();
        vFunDrawPagePicture(m_painter, page, rectOnPrinter(margins, dpi, offset));
    }

    void endPage() override {}
    void endJob() override { m_painter.end(); }

    void abortJob() override {
        m_printer->abort();
        if (m_painter.isActive()) m_painter.end();
    }

    // Qt gives no system error number: the printer's state (3: error) stands in for it.
    int lastErrorCode() const override { return m_error; }

private:
    int stateCode() const { return static_cast<int>(m_printer->printerState()); }

    std::unique_ptr<QPrinter> m_owned;
    QPrinter* m_printer;
    DuplexMode m_duplex;
    QPainter m_painter;
    int m_pagesInJob = 0;
    int m_error = 0;
};

// One PDF for every job; the file is complete when the sink is destroyed.
class PdfSink : public PrintSink {
public:
    explicit PdfSink(const QString& path) : m_path(path) {}
    ~PdfSink() override {
        if (m_painter.isActive()) m_painter.end();
    }

    bool startJob(const QString& jobName) override {
        if (m_painter.isActive()) return true;  // later jobs continue the same file
        m_writer = std::make_unique<QPdfWriter>(m_path);
        m_writer->setTitle(jobName);
        m_writer->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (m_painter.begin(m_writer.get())) return true;
        m_writer.reset();
        m_error = fileErrorCode();
        return false;
    }

    bool startPage() override {
        if (m_pages++ == 0) return true;
        return m_writer->newPage();
    }

    void drawPage(const QPicture& page, const MarginRect& margins) override {
        // Zero margins: the device is the whole sheet, as a printer's paper is.
        vFunDrawPagePicture(m_painter, page, rectOnPrinter(margins, m_writer->resolution(), {}));
    }

    void endPage() override {}
    void endJob() override {}
    int lastErrorCode() const override { return m_error; }

private:
    // The writer does not say why it could not open its file; the file itself does.
    int fileErrorCode() const {
        QFile probe(m_path);
        if (probe.open(QIODevice::WriteOnly)) return 0;
        return static_cast<int>(probe.error());
    }

    QString m_path;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    int m_pages = 0;
    int m_error = 0;
};

}  // namespace

QRect rectOnPrinter(const MarginRect& margins, int dpiX, QPoint physicalOffset) {
    const int left = millimetresToPixels(margins.x1, dpiX) - physicalOffset.x();
    const int top = millimetresToPixels(margins.y1, dpiX) - physicalOffset.y();
    const int width = millimetresToPixels(margins.x2, dpiX) - left;
    const int height = millimetresToPixels(margins.y2, dpiX) - top;
    return QRect(left, top, width, height);
}

QPicture pictureTurned180(const QPicture& page2) {
    const QRect pageRect(0, 0, kPageWidth, kPageHeight);
    QPicture turned;
    QPainter painter(&turned);
    // A half turn that lands (x, y) on (879 - x, 1299 - y), a few units short of the page's own
    // corner: the page-2 margins of stored presets were set up against this placement.
    painter.translate(879, 1299);
    painter.rotate(180);
    vFunDrawPagePicture(painter, page2, pageRect);
    painter.end();
    turned.setBoundingRect(pageRect);
    return turned;
}

QString strFunTurnOverPromptText() {
    return QStringLiteral(
        "Gdy zakończy się drukowanie pierwszej strony obróć kartkę w drukarce a następnie "
        "naciśnij OK");
}

bool printDocument(PrintSink& sink, const PrintRequest& request,
                   const std::function<void()>& betweenJobs, ErrorStream& err) {
    const auto startJob = [&](const QString& name) {
        if (sink.startJob(name)) return true;
        reportStartFailure(
            err, "Błąd otwarcia nowego dokumentu StartDoc()\nError code: ", sink.lastErrorCode());
        return false;
    };
    const auto printPage = [&](const QPicture& page, const MarginRect& margins) {
        if (!sink.startPage()) {
            reportStartFailure(err, "Błąd otwarcia nowej strony do druku StartPage()\nError code: ",
                               sink.lastErrorCode());
            // Nothing half-printed is left waiting in the queue.
            sink.abortJob();
            return false;
        }
        sink.drawPage(page, margins);
        sink.endPage();
        return true;
    };

    if (request.pageCount < 2) {
        if (!startJob(QStringLiteral("ORVENTO"))) return false;
        if (!printPage(request.pages[0], request.page1)) return false;
        sink.endJob();
        return true;
    }

    if (request.duplexEnabled && request.duplex != DuplexMode::Off) {
        if (!startJob(QStringLiteral("ORVENTO"))) return false;
        if (!printPage(request.pages[0], request.page1)) return false;
        // The caller's picture stays as it is, so a second attempt does not turn it back.
        const QPicture second =
            request.rotateSecondPage ? pictureTurned180(request.pages[1]) : request.pages[1];
        if (!printPage(second, request.page2)) return false;
        sink.endJob();
        return true;
    }

    // By hand: the user turns the sheet over between two one-page jobs; page 2 is never turned.
    if (!startJob(QStringLiteral("ORVENTO 1"))) return false;
    if (!printPage(request.pages[0], request.page1)) return false;
    sink.endJob();
    if (betweenJobs) betweenJobs();
    if (!startJob(QStringLiteral("ORVENTO 2"))) return false;
    if (!printPage(request.pages[1], request.page2)) return false;
    sink.endJob();
    return true;
}

std::unique_ptr<PrintSink> makePrinterSink(const QString& printerName, DuplexMode duplex) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!printerName.isEmpty()) printer->setPrinterName(printerName);
    QPrinter* raw = printer.get();
    return std::make_unique<PrinterSink>(std::move(printer), raw, duplex);
}

std::unique_ptr<PrintSink> makePrinterSink(QPrinter& printer, DuplexMode duplex) {
    return std::make_unique<PrinterSink>(nullptr, &printer, duplex);
}

std::unique_ptr<PrintSink> makePdfSink(const QString& path) {
    return std::make_unique<PdfSink>(path);
}
