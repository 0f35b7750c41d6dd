#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

class QPicture;
struct PreviewRequests;

// The main window's preview of the two pages: a picture of the blank official form under each
// page, with the page picture stretched over it. The blank forms are kept apart from the
// drawing, so a rendering never paints over the text of the one before.
class PreviewPages {
public:
    // Where a page lands on its blank-form picture (the page corner of the pictures).
    static constexpr QRectF kPageRect{74, 74, 883, 1314};
    // A page with no blank-form picture yet: a white sheet of the pictures' size.
    static constexpr QSize kImageSize{1031, 1462};

    // Loads the pictures a preview rendering named; a page without a readable one keeps its own.
    void takeBackgrounds(const PreviewRequests& requests);
    // Page 1 or 2 as the preview shows it.
    QImage composed(int page, const QPicture& picture) const;

private:
    QImage m_background[2];
};
