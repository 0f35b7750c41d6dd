#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// "Proszę czekać..." with a progress bar, shown while the user-interface thread is busy with
// a long operation. Created once and hidden between uses.
class TFWait : public QWidget {
    Q_OBJECT

public:
    explicit TFWait(QWidget* parent = nullptr);

    // Shows the window and paints it at once: the caller is about to block the thread.
    void showNow();
    // Range 0 .. itemCount, position 0.
    void setItemCount(int itemCount);
    void setPosition(int position);
    void advance();

    QProgressBar* progressBar() const { return m_progressBar; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    QLabel* m_image = nullptr;
    QProgressBar* m_progressBar = nullptr;
};
