#include "recording_device.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QTransform>

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    Drawing drawing;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& changed) override {
        const DirtyFlags flags = changed.state();
        if (flags & DirtyTransform) m_transform = changed.transform();
        if (flags & DirtyPen) m_pen = changed.pen();
        if (flags & DirtyBrush) m_brush = changed.brush();
        if (flags & DirtyClipPath) clip(changed.clipPath().boundingRect(), changed.clipOperation());
        if (flags & DirtyClipRegion)
            clip(changed.clipRegion().boundingRect(), changed.clipOperation());
        if (flags & DirtyClipEnabled) m_clipEnabled = changed.isClipEnabled();
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        std::optional<QRectF> clipped;
        if (m_clipEnabled && m_clip) clipped = m_clip;
        drawing.texts.append(
            {item.text(), m_transform.map(p), item.font(), m_pen.color(), clipped});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) drawing.lines.append(m_transform.map(lines[i]));
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            drawing.rects.append({m_transform.mapRect(rects[i]), m_pen.color()});
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override {
        drawing.images.append(m_transform.mapRect(r));
    }
    void drawImage(const QRectF& r, const QImage&, const QRectF&,
                   Qt::ImageConversionFlags) override {
        drawing.images.append(m_transform.mapRect(r));
    }
    // An outlined rectangle may come back as a path; filled shapes stay shapes.
    void drawPath(const QPainterPath& path) override {
        const QPolygonF outline = m_transform.map(path).toFillPolygon();
        if (m_brush.style() == Qt::NoBrush && outline.size() == 5 && outline.isClosed() &&
            isAxisAligned(outline)) {
            drawing.rects.append({outline.boundingRect(), m_pen.color()});
        } else {
            drawing.paths.append(outline.boundingRect());
        }
    }
    // A picture keeps lines and rectangles as polylines and polygons; they come back as such.
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        const QPolygonF polygon =
            m_transform.map(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode == PolylineMode && count == 2) {
            drawing.lines.append(QLineF(polygon.at(0), polygon.at(1)));
        } else if (count == 4 && isAxisAligned(polygon)) {
            drawing.rects.append({polygon.boundingRect(), m_pen.color()});
        } else {
            drawing.paths.append(polygon.boundingRect());
        }
    }

private:
    static bool isAxisAligned(const QPolygonF& p) {
        return p[0].y() == p[1].y() && p[1].x() == p[2].x() && p[2].y() == p[3].y() &&
               p[3].x() == p[0].x();
    }

    void clip(const QRectF& logical, Qt::ClipOperation operation) {
        const QRectF rect = m_transform.mapRect(logical);
        if (operation == Qt::NoClip) {
            m_clip.reset();
        } else if (operation == Qt::IntersectClip && m_clip) {
            m_clip = m_clip->intersected(rect);
        } else {
            m_clip = rect;
        }
    }

    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    std::optional<QRectF> m_clip;
    bool m_clipEnabled = false;
};

QList<DrawnText> Drawing::words() const {
    QList<DrawnText> out;
    for (const DrawnText& t : texts)
        if (!t.text.trimmed().isEmpty()) out.append(t);
    return out;
}

bool Drawing::isEmpty() const {
    return texts.isEmpty() && lines.isEmpty() && rects.isEmpty() && images.isEmpty() &&
           paths.isEmpty();
}

RecordingDevice::RecordingDevice(int dpi)
    : m_dpi(dpi), m_engine(std::make_unique<RecordingEngine>()) {}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const {
    return m_engine.get();
}

const Drawing& RecordingDevice::drawing() const {
    return m_engine->drawing;
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    // Room for a page at 300 dpi.
    const int width = 4000;
    const int height = 6000;
    switch (metric) {
        case PdmWidth:
            return width;
        case PdmHeight:
            return height;
        case PdmWidthMM:
            return width * 254 / (m_dpi * 10);
        case PdmHeightMM:
            return height * 254 / (m_dpi * 10);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmNumColors:
            return 0xffffff;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}
