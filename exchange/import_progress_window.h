#pragma once

#include <QDialog>

#include "srk_import.h"

class QLabel;
class QProgressBar;

// "Import danych": the small window that shows what a running import of an old class file is
// doing. The import runs without an event loop, so every change is painted at once.
class TFSQLImport : public QDialog, public ImportProgress {
    Q_OBJECT

public:
    explicit TFSQLImport(QWidget* parent = nullptr);

    // Shows the window and paints it before the import starts.
    void showNow();

    void step(const QString& text, int total) override;
    void advance() override;

private:
    QLabel* m_label1;
    QLabel* m_infoLabel;
    QProgressBar* m_progressBar;
};
