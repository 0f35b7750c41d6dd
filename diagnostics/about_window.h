#pragma once

#include <QDialog>

class QLabel;

// "O programie": the program's name, version and the maker's contact data. The contact text is
// configuration (the text setting "about_contact_text"), read each time the window opens.
class TFOProgramie : public QDialog {
    Q_OBJECT

public:
    TFOProgramie(const QString& programName, const QString& version, QWidget* parent = nullptr);

    QString contactText() const;

public slots:
    void ZamknijButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_icon = nullptr;  // the program's icon, as the application shows it
    QLabel* m_contact = nullptr;
};
