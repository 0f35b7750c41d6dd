#pragma once

#include <QDialog>
#include <QPointer>

#include "program_version.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class UpdateDownload;

// "Aktualizacja": downloads the new release's installer each time it is shown. While the
// download runs the window cannot be left; afterwards "Zamknij" closes it, or, when the file is
// complete, "Zainstaluj" hands it to the desktop's default handler and the program ends.
class TFAktualizacja : public QDialog {
    Q_OBJECT

public:
    explicit TFAktualizacja(QWidget* parent = nullptr);

    // The two versions, as the check found them.
    void setVersions(const ProgramVersion& own, const ProgramVersion& offered);

    bool downloadedSuccessfully() const { return m_downloaded; }
    QString installerPath() const { return m_installerPath; }
    // True once "Zainstaluj" handed the installer over: the program has to end.
    bool installerStarted() const { return m_installerStarted; }

public slots:
    void btnDownloadViaBrowserClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FormShow();
    void vFunDownloadUpdate();
    void downloadFinished(bool success);

    QLabel* m_ownVersion = nullptr;
    QLabel* m_newVersion = nullptr;
    QProgressBar* m_progress = nullptr;
    QLineEdit* m_status = nullptr;
    QLineEdit* m_downloadLink = nullptr;
    QPushButton* m_downloadViaBrowser = nullptr;
    QPushButton* m_close = nullptr;
    QPointer<UpdateDownload> m_download;
    QString m_installerPath;
    qint64 m_length = 0;  // announced by the server
    bool m_downloaded = false;
    bool m_installerStarted = false;
};
