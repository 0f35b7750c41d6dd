#include "document_page_view.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <utility>

QSize DocumentPageView::sizeForWidth(int widthPixels) {
    return QSize(widthPixels,
                 int(std::lround(qreal(widthPixels) * kDocumentPageHeight / kDocumentPageWidth)));
}

DocumentPageView::DocumentPageView(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeForWidth(kDocumentPageWidth));
}

void DocumentPageView::setArea(const QRectF& area, const QSize& size) {
    m_area = area.isEmpty() ? wholePage() : area;
    setFixedSize(size);
    m_cache = QPixmap();
    update();
}

void DocumentPageView::setPage(const QPicture& picture,
                               std::function<void(QPainter&, const QPicture&, const QRectF&)> drawPage) {
    m_picture = picture;
    m_drawPage = std::move(drawPage);
    m_cache = QPixmap();
    update();
}

QRect DocumentPageView::toView(const QRectF& pageRect) const {
    const qreal sx = width() / m_area.width();
    const qreal sy = height() / m_area.height();
    const int left = int(std::lround((pageRect.left() - m_area.left()) * sx));
    const int top = int(std::lround((pageRect.top() - m_area.top()) * sy));
    const int right = int(std::lround((pageRect.right() - m_area.left()) * sx));
    const int bottom = int(std::lround((pageRect.bottom() - m_area.top()) * sy));
    return QRect(left, top, right - left, bottom - top);
}

void DocumentPageView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_cache.size() != pixels) {
        m_cache = QPixmap(pixels);
        m_cache.setDevicePixelRatio(ratio);
        m_cache.fill(Qt::white);
        QPainter cachePainter(&m_cache);
        cachePainter.setRenderHint(QPainter::Antialiasing);
        cachePainter.setRenderHint(QPainter::TextAntialiasing);
        drawInto(cachePainter);
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), m_cache,
                       QRectF(QPointF(event->rect().topLeft()) * ratio, QSizeF(event->rect().size()) * ratio));
}

// The whole page is replayed so that the area lands on the widget; the rest falls outside.
void DocumentPageView::drawInto(QPainter& painter) {
    const qreal sx = width() / m_area.width();
    const qreal sy = height() / m_area.height();
    const QRectF target(-m_area.left() * sx, -m_area.top() * sy, kDocumentPageWidth * sx,
                        kDocumentPageHeight * sy);
    painter.setClipRect(rect());
    if (m_drawPage) {
        m_drawPage(painter, m_picture, target);
        return;
    }
    painter.translate(target.topLeft());
    painter.scale(sx, sy);
    painter.drawPicture(0, 0, m_picture);
}
