#pragma once

#include <QPicture>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "storage/error_stream.h"

class QPrinter;

// The print engine: where a page lands on the sheet, the job plan of a print, and the targets
// the jobs go to (the Qt printer, a PDF file, or a recorder in tests).

// Where a page is drawn, in millimetres from the sheet's top-left corner.
struct MarginRect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The rectangle in device pixels for `margins` on a device of `dpiX` dots per inch whose
// printable area starts `physicalOffset` pixels from the paper's corner.
// p(v) = v * 10 / 254 * dpiX (float, truncated); left = p(X1) - offX, top = p(Y1) - offY,
// width = p(X2) - left, height = p(Y2) - top. (Only dpiX is used, for both axes.)
QRect rectOnPrinter(const MarginRect& margins, int dpiX, QPoint physicalOffset);

// Page picture 2 turned half a revolution for a duplex print: (x, y) -> (879 - x, 1299 - y).
QPicture pictureTurned180(const QPicture& page2);

// A target of print jobs.
class PrintSink {
public:
    virtual ~PrintSink() = default;
    virtual bool startJob(const QString& jobName) = 0;  // false: the job could not start
    virtual bool startPage() = 0;                       // false: the page could not start
    virtual void drawPage(const QPicture& page, const MarginRect& margins) = 0;
    virtual void endPage() = 0;
    virtual void endJob() = 0;
    // Drops a job whose page could not start, so nothing half-printed stays queued.
    virtual void abortJob() { endJob(); }
    virtual int lastErrorCode() const = 0;  // shown after "Error code: " when a start failed
};

// The dialog's duplex choices: "Wyłączony", "Duplex pionowo", "Duplex poziomo".
enum class DuplexMode { Off, LongEdge, ShortEdge };

struct PrintRequest {
    std::array<QPicture, 2> pages;
    int pageCount = 1;  // 1 or 2
    MarginRect page1, page2;
    DuplexMode duplex = DuplexMode::Off;
    bool duplexEnabled = false;     // the printer can print on both sides
    bool rotateSecondPage = false;  // turn page 2 in a duplex print
};

// One page -> job "ORVENTO"; two pages with duplex (enabled and not Off) -> job "ORVENTO" with
// two pages (page 2 turned when asked); otherwise job "ORVENTO 1", then `betweenJobs` (the
// turn-over prompt), then job "ORVENTO 2". A job or page that cannot start ends the print with
// its message in `err` (also logged) and returns false; a job whose page failed is aborted.
// The request's pictures are never changed.
bool printDocument(PrintSink& sink, const PrintRequest& request,
                   const std::function<void()>& betweenJobs, ErrorStream& err);

// The text of the turn-over prompt shown between the two jobs (caption "Druk", no icon, OK).
QString strFunTurnOverPromptText();

// The Qt printer `printerName` (empty: the default printer) in high resolution, A4 portrait,
// duplex as `duplex`; each job's name becomes the printer's document name.
std::unique_ptr<PrintSink> makePrinterSink(const QString& printerName, DuplexMode duplex);
// The same on a printer the caller keeps (with the choices of the printer set-up dialog); it
// must outlive the sink. Paper, orientation, duplex and document name are set on it.
std::unique_ptr<PrintSink> makePrinterSink(QPrinter& printer, DuplexMode duplex);

// A PDF file target: every job's pages go into one PDF at `path` (A4 portrait, zero margins),
// placed with the same margin rectangle as on paper, text kept as text with embedded fonts.
// The file is complete when the sink is destroyed.
std::unique_ptr<PrintSink> makePdfSink(const QString& path);
