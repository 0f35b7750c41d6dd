#include "preview_pages.h"

#include <QPainter>
#include <QPicture>

#include "page_drawing.h"
#include "page_picture.h"

void PreviewPages::takeBackgrounds(const PreviewRequests& requests) {
    for (int i = 0; i < 2; ++i) {
        if (requests.background[i].isEmpty()) continue;
        const QImage loaded(requests.background[i]);
        if (!loaded.isNull()) m_background[i] = loaded;
    }
}

QImage PreviewPages::composed(int page, const QPicture& picture) const {
    const QImage& background = m_background[page == 2 ? 1 : 0];
    QImage image;
    if (background.isNull()) {
        image = QImage(kImageSize, QImage::Format_RGB32);
        image.fill(Qt::white);
    } else {
        image = background.convertToFormat(QImage::Format_RGB32);
    }
    // A bitmap may carry no resolution at all; replaying needs one.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    vFunDrawPagePicture(painter, picture, kPageRect);
    return image;
}
