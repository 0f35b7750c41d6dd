#include "wait_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QScreen>

namespace {

constexpr int kWidth = 186;
constexpr int kHeight = 51;
constexpr int kBarHeight = 12;

QPixmap waitPicture() {
    QPixmap picture(kWidth, kHeight);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, 0, kHeight);
    gradient.setColorAt(0.0, QColor(0x3a, 0x6e, 0xd8));
    gradient.setColorAt(1.0, QColor(0x0a, 0x24, 0x7a));
    p.fillRect(picture.rect(), gradient);
    QFont font = p.font();
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawText(QRect(0, 0, kWidth, kHeight - kBarHeight), Qt::AlignCenter,
               QStringLiteral("Proszę czekać..."));
    return picture;
}

}  // namespace

TFWait::TFWait(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FWait"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette blue = palette();
    blue.setColor(QPalette::Window, QColor(0x0a, 0x24, 0x7a));
    setPalette(blue);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(0, 0, kWidth, kHeight);
    m_image->setPixmap(waitPicture());

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar"));
    m_progressBar->setGeometry(0, kHeight - kBarHeight, kWidth, kBarHeight);
    m_progressBar->setTextVisible(false);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
}

void TFWait::showNow() {
    show();
    raise();
    // Let the window system map the window; user input stays queued so nothing re-enters
    // the caller's work.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    FormShow();
}

void TFWait::setItemCount(int itemCount) {
    m_progressBar->setRange(0, itemCount);
    m_progressBar->setValue(0);
    m_progressBar->repaint();
}

void TFWait::setPosition(int position) {
    m_progressBar->setValue(position);
    m_progressBar->repaint();
}

void TFWait::advance() {
    setPosition(m_progressBar->value() + 1);
}

void TFWait::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* current = screen()) {
        move(current->availableGeometry().center() - rect().center());
    }
}

void TFWait::FormShow() {
    repaint();
}
