#include "import_progress_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

TFSQLImport::TFSQLImport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FSQLImport"));
    setWindowTitle(QStringLiteral("Import danych"));
    setFixedSize(504, 60);

    m_label1 = new QLabel(QStringLiteral("Operacja:"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(8, 8, 60, 16);

    m_infoLabel = new QLabel(this);
    m_infoLabel->setObjectName(QStringLiteral("InfoLabel"));
    m_infoLabel->setGeometry(72, 8, 424, 16);

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar"));
    m_progressBar->setGeometry(8, 32, 488, 20);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
}

void TFSQLImport::showNow() {
    show();
    // Once, so the window is mapped and can be painted; user input waits until the import ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

void TFSQLImport::step(const QString& text, int total) {
    m_infoLabel->setText(text);
    m_label1->repaint();
    m_infoLabel->repaint();
    // A range of 0..0 would turn the bar into a busy indicator.
    m_progressBar->setRange(0, qMax(total, 1));
    m_progressBar->setValue(0);
    m_progressBar->repaint();
}

void TFSQLImport::advance() {
    // setValue paints at once whenever the bar visibly moves.
    m_progressBar->setValue(m_progressBar->value() + 1);
}
