#include "recording_print_sink.h"

#include <QPainter>

#include "recording_device.h"
#include "render/page_picture.h"

RecordingPrintSink::RecordingPrintSink(std::shared_ptr<PrintRecord> record)
    : m_record(std::move(record)) {}

bool RecordingPrintSink::startJob(const QString& jobName) {
    m_record->calls << QStringLiteral("job ") + jobName;
    return ++m_record->jobs != m_record->failJob;
}

bool RecordingPrintSink::startPage() {
    m_record->calls << QStringLiteral("page");
    return ++m_record->startedPages != m_record->failPage;
}

void RecordingPrintSink::drawPage(const QPicture& page, const MarginRect& margins) {
    m_record->calls << QStringLiteral("draw");
    m_record->pages << page;
    m_record->margins << margins;
}

void RecordingPrintSink::endPage() {
    m_record->calls << QStringLiteral("end page");
}

void RecordingPrintSink::endJob() {
    m_record->calls << QStringLiteral("end job");
}

void RecordingPrintSink::abortJob() {
    m_record->calls << QStringLiteral("abort");
}

int RecordingPrintSink::lastErrorCode() const {
    return m_record->errorCode;
}

QPicture pageWithLine(QLineF line) {
    QPicture page;
    QPainter painter(&page);
    painter.drawLine(line);
    painter.end();
    page.setBoundingRect(QRect(0, 0, kPageWidth, kPageHeight));
    return page;
}

QLineF firstLineOf(const QPicture& page) {
    RecordingDevice device(96);
    {
        QPainter painter(&device);
        vFunDrawPagePicture(painter, page, QRectF(0, 0, kPageWidth, kPageHeight));
    }
    return device.drawing().lines.value(0);
}
