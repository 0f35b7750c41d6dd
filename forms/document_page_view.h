#pragma once

#include <QPicture>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include "document_layout.h"

// One side of a document as the editing window shows it: the side's picture drawn at a fixed
// scale, with the input widgets (its children) placed where their texts print.
class DocumentPageView : public QWidget {
    Q_OBJECT
public:
    // The page as wide as the paper form's picture in the window.
    static constexpr int kWidthPixels = 716;
    static constexpr qreal kScale = qreal(kWidthPixels) / kDocumentPageWidth;

    explicit DocumentPageView(QWidget* parent = nullptr);

    void setPage(const QPicture& picture,
                 std::function<void(QPainter&, const QPicture&, const QRectF&)> drawPage);
    // A rectangle in page units as widget pixels.
    static QRect toView(const QRectF& pageRect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawInto(QPainter& painter);

    QPicture m_picture;
    std::function<void(QPainter&, const QPicture&, const QRectF&)> m_drawPage;
    QPixmap m_cache;  // the replayed picture: a page has thousands of dots
};
