#include "document_page_view.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <utility>

DocumentPageView::DocumentPageView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidthPixels, int(std::lround(kDocumentPageHeight * kScale)));
}

void DocumentPageView::setPage(const QPicture& picture,
                               std::function<void(QPainter&, const QPicture&, const QRectF&)> drawPage) {
    m_picture = picture;
    m_drawPage = std::move(drawPage);
    m_cache = QPixmap();
    update();
}

QRect DocumentPageView::toView(const QRectF& pageRect) {
    const auto px = [](qreal units) { return int(std::lround(units * kScale)); };
    const int left = px(pageRect.left());
    const int top = px(pageRect.top());
    return QRect(left, top, px(pageRect.right()) - left, px(pageRect.bottom()) - top);
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

void DocumentPageView::drawInto(QPainter& painter) {
    const QRectF target(0, 0, width(), height());
    if (m_drawPage) {
        m_drawPage(painter, m_picture, target);
        return;
    }
    painter.scale(target.width() / kDocumentPageWidth, target.height() / kDocumentPageHeight);
    painter.drawPicture(0, 0, m_picture);
}
