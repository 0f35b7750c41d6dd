#pragma once

#include <QDialog>

#include "storage/error_stream.h"

class QTreeWidget;

// "Logi programu": the rows of the error log, oldest first, and a button that mails the log to
// support. Created once; the list is read anew each time the window is shown.
class TFLogi : public QDialog {
    Q_OBJECT

public:
    // `err` is the main window's shared error stream.
    explicit TFLogi(ErrorStream& err, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    ErrorStream& m_err;
    QTreeWidget* m_list = nullptr;
};
