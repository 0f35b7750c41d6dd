#pragma once

#include <QList>
#include <QPicture>
#include <QStringList>

#include <memory>

#include "render/print_output.h"

// What a print sent where, for tests: the calls in order ("job ORVENTO", "page", "draw",
// "end page", "end job", "abort") and the pages drawn with their margins. A job or page can be
// made to fail by its number (1-based, counted over the sink's life).
struct PrintRecord {
    QStringList calls;
    QList<QPicture> pages;
    QList<MarginRect> margins;
    int failJob = 0;
    int failPage = 0;
    int errorCode = 0;
    int jobs = 0;
    int startedPages = 0;
};

class RecordingPrintSink : public PrintSink {
public:
    // The record outlives the sink, so a test can look after the dialog dropped it.
    explicit RecordingPrintSink(std::shared_ptr<PrintRecord> record);

    bool startJob(const QString& jobName) override;
    bool startPage() override;
    void drawPage(const QPicture& page, const MarginRect& margins) override;
    void endPage() override;
    void endJob() override;
    void abortJob() override;
    int lastErrorCode() const override;

private:
    std::shared_ptr<PrintRecord> m_record;
};

// A test page: one line on an empty page of 885 x 1314.
QPicture pageWithLine(QLineF line);

// The first line a page picture draws, replayed onto a 96-dpi page of 885 x 1314: tells apart
// the test pages and whether one was turned.
QLineF firstLineOf(const QPicture& page);
