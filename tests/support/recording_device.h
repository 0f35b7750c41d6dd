#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>

// A paint device that draws nothing and remembers what was drawn where, in device coordinates:
// the tests replay page pictures into it.
struct DrawnText {
    QString text;
    QPointF baseline;  // the start of the text's baseline
    QFont font;
    QColor color;
    std::optional<QRectF> clip;
};

struct DrawnShape {
    QRectF rect;  // a rectangle's outline, a line's box, a picture's target
    QColor color;
};

struct Drawing {
    QList<DrawnText> texts;
    QList<QLineF> lines;
    QList<DrawnShape> rects;
    QList<QRectF> images;
    QList<QRectF> paths;  // filled or stroked shapes (the eagle)

    // Texts other than the blank cells of justified text.
    QList<DrawnText> words() const;
    bool isEmpty() const;
};

class RecordingEngine;

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(int dpi = 96);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;
    const Drawing& drawing() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_dpi;
    std::unique_ptr<RecordingEngine> m_engine;
};
