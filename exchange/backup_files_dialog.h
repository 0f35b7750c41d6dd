#pragma once

#include <QDialog>
#include <QString>

class QShowEvent;
class QTreeWidget;

// "Kopie bezpieczeństwa": lists the backup folder, newest name first, and lets the user choose
// one copy to recover. Reused for the whole run; every showing lists the folder anew.
class TFBackupFiles : public QDialog {
    Q_OBJECT
public:
    explicit TFBackupFiles(QWidget* parent = nullptr);

    // Set by "Wczytaj z wybranego pliku"; cleared each time the dialog is shown.
    bool backupChosen() const { return m_chosen; }
    // The full path of the chosen copy.
    QString chosenBackupPath() const { return m_chosenPath; }

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void btnRecoverFromBackupFileClick();
    void BitBtn2Click();

private:
    void FormShow();

    QTreeWidget* m_files;
    QString m_dir;
    bool m_chosen = false;
    QString m_chosenPath;
};
