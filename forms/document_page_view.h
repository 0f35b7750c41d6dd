#pragma once

#include <QPicture>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include "document_layout.h"

// One side of a document as the editing window shows it: an area of the side's picture (the
// whole page, or the part a small note uses) drawn at a fixed size, with the input widgets (its
// children) placed where their texts print.
class DocumentPageView : public QWidget {
    Q_OBJECT
public:
    static QRectF wholePage() { return QRectF(0, 0, kDocumentPageWidth, kDocumentPageHeight); }
    // The whole page `widthPixels` wide, at the page's own proportions.
    static QSize sizeForWidth(int widthPixels);

    explicit DocumentPageView(QWidget* parent = nullptr);

    // Shows `area` (page units) over `size` pixels, stretched where their proportions differ.
    void setArea(const QRectF& area, const QSize& size);
    void setPage(const QPicture& picture,
                 std::function<void(QPainter&, const QPicture&, const QRectF&)> drawPage);
    // A rectangle in page units as widget pixels.
    QRect toView(const QRectF& pageRect) const;
    // Widget pixels per page unit, vertically: what a printed font's height becomes.
    qreal verticalScale() const { return height() / m_area.height(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawInto(QPainter& painter);

    QRectF m_area = wholePage();
    QPicture m_picture;
    std::function<void(QPainter&, const QPicture&, const QRectF&)> m_drawPage;
    QPixmap m_cache;  // the replayed picture: a page has thousands of dots
};
