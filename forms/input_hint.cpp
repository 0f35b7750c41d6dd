#include "input_hint.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int kShownMs = 5000;

class InputHint : public QLabel {
public:
    explicit InputHint(QWidget* window) : QLabel(window, Qt::ToolTip), m_window(window) {
        setObjectName(QStringLiteral("InputHint"));
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setAutoFillBackground(true);
        setFrameShape(QFrame::Box);
        setMargin(4);
        m_timer.setSingleShot(true);
        m_timer.setInterval(kShownMs);
        connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
        // A window does not hide the windows it owns, so the note watches its window.
        window->installEventFilter(this);
    }

    void showUnder(QWidget* field, const QString& message) {
        setText(message);
        adjustSize();
        move(field->mapToGlobal(QPoint(0, field->height() + 2)));
        show();
        raise();
        m_timer.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Also when a question box takes over the window.
        if (watched == m_window &&
            (event->type() == QEvent::Hide || event->type() == QEvent::Move ||
             event->type() == QEvent::WindowDeactivate)) {
            hide();
        }
        return false;
    }

private:
    QWidget* m_window;
    QTimer m_timer;
};

}  // namespace

void showInputHint(QWidget* field, const QString& message) {
    QWidget* window = field->window();
    // Only this file makes labels of that name.
    auto* hint = static_cast<InputHint*>(
        window->findChild<QLabel*>(QStringLiteral("InputHint"), Qt::FindDirectChildrenOnly));
    if (!hint) hint = new InputHint(window);
    hint->showUnder(field, message);
}
