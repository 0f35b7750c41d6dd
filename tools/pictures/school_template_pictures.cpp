#include "school_template_pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <iterator>

#include "forms/school_template_layout.h"

namespace pictures {

namespace {

using school_template_layout::Item;
using school_template_layout::ItemKind;

QFont formFont(int pixels) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    return font;
}

QImage drawItems(const Item* begin, const Item* end, int height, QColor paper) {
    QImage image(school_template_layout::kPictureWidth, height, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The edge of the sheet, so the picture reads as a piece of the form.
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.drawRect(QRect(0, 0, image.width() - 1, image.height() - 1));

    for (const Item* item = begin; item != end; ++item) {
        const QString text = QString::fromUtf8(item->text);
        switch (item->kind) {
        case ItemKind::Label:
            painter.setPen(Qt::black);
            painter.setFont(formFont(school_template_layout::kLabelPixels));
            painter.drawText(QPointF(item->x, item->y - 5), text);
            break;
        case ItemKind::Caption:
            painter.setPen(Qt::black);
            painter.setFont(formFont(school_template_layout::kCaptionPixels));
            painter.drawText(QRectF(item->x, item->y - 2, item->width, 16),
                             Qt::AlignHCenter | Qt::AlignTop, text);
            break;
        case ItemKind::Field:
            painter.setPen(QPen(Qt::black, 1.2, Qt::DotLine));
            painter.drawLine(QPointF(item->x, item->y), QPointF(item->x + item->width, item->y));
            break;
        case ItemKind::Rule:
            painter.setPen(QPen(QColor(120, 120, 120), 1));
            painter.drawLine(QPointF(item->x, item->y), QPointF(item->x + item->width, item->y));
            break;
        }
    }
    return image;
}

}  // namespace

QImage schoolTemplateCertificate() {
    using namespace school_template_layout;
    // The certificate's pale security paper.
    return drawItems(std::begin(kCertificateItems), std::end(kCertificateItems), kCertificateHeight,
                     QColor(250, 248, 238));
}

QImage schoolTemplateGradeSheet() {
    using namespace school_template_layout;
    return drawItems(std::begin(kGradeSheetItems), std::end(kGradeSheetItems), kGradeSheetHeight,
                     Qt::white);
}

}  // namespace pictures
