#include "update_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <limits>

#include "forms/shell_open.h"
#include "storage/error_log.h"
#include "update_download.h"
#include "update_server.h"

namespace {

constexpr int kClientWidth = 404;
constexpr int kClientHeight = 205;

QLineEdit* readOnlyField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

// The gauge counts in ints; a file beyond their range is shown in kibibytes.
int gaugeUnits(qint64 bytes, qint64 length) {
    return length > std::numeric_limits<int>::max() ? int(bytes / 1024) : int(bytes);
}

}  // namespace

TFAktualizacja::TFAktualizacja(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("FAktualizacja"));
    setWindowTitle(QStringLiteral("Aktualizacja"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    m_ownVersion = new QLabel(this);
    m_ownVersion->setObjectName(QStringLiteral("AWersjaLabel"));
    m_newVersion = new QLabel(this);
    m_newVersion->setObjectName(QStringLiteral("NWersjaLabel"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Postep"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_status = readOnlyField("editStatus", this);
    m_downloadLink = readOnlyField("editDownloadLink", this);

    m_downloadViaBrowser = new QPushButton(QStringLiteral("Pobierz przez przeglądarkę"), this);
    m_downloadViaBrowser->setObjectName(QStringLiteral("btnDownloadViaBrowser"));
    m_downloadViaBrowser->setAutoDefault(false);
    connect(m_downloadViaBrowser, &QPushButton::clicked, this, &TFAktualizacja::btnDownloadViaBrowserClick);
    m_close = new QPushButton(QStringLiteral("Zamknij"), this);
    m_close->setObjectName(QStringLiteral("btnClose"));
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &TFAktualizacja::btnCloseClick);

    auto* layout = new QGridLayout(this);
    layout->setVerticalSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("Aktualna wersja:"), this), 0, 0);
    layout->addWidget(m_ownVersion, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Nowa wersja:"), this), 1, 0);
    layout->addWidget(m_newVersion, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Postęp pobierania:"), this), 2, 0);
    layout->addWidget(m_progress, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("Status:"), this), 3, 0);
    layout->addWidget(m_status, 3, 1);
    layout->addWidget(
        new QLabel(QStringLiteral("Jeśli masz problem z pobraniem programu użyj adresu poniżej:"), this), 4, 0, 1, 2);
    layout->addWidget(m_downloadLink, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_downloadViaBrowser);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons, 6, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void TFAktualizacja::setVersions(const ProgramVersion& own, const ProgramVersion& offered) {
    m_ownVersion->setText(own.text());
    m_newVersion->setText(offered.text());
}

void TFAktualizacja::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFAktualizacja::FormShow() {
    const UpdateServer server = updateServerFromSettings();
    m_downloadLink->setText(server.installerUrl().toString());
    m_downloadLink->setCursorPosition(0);  // the address's start, not its end, in view
    m_close->setEnabled(false);
    m_close->setText(QStringLiteral("Zamknij"));
    m_status->clear();
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_downloaded = false;
    m_installerStarted = false;
    vFunDownloadUpdate();
}

void TFAktualizacja::vFunDownloadUpdate() {
    const UpdateServer server = updateServerFromSettings();
    ErrorStream err;
    m_installerPath = strFunGetUpdateFilePath(err, server.localFileName);
    if (m_installerPath.isEmpty()) vFunWriteLog(err, QStringLiteral("vFunDownloadUpdate()"), kLogError);

    if (m_download) m_download->deleteLater();
    m_download = new UpdateDownload(this);
    connect(m_download, &UpdateDownload::statusChanged, m_status, &QLineEdit::setText);
    connect(m_download, &UpdateDownload::lengthKnown, this, [this](qint64 length) {
        m_length = length;
        m_progress->setRange(0, gaugeUnits(length, length));
        m_progress->setValue(0);
    });
    connect(m_download, &UpdateDownload::progressed, this, [this](qint64 received) {
        m_progress->setValue(gaugeUnits(received, m_length));
    });
    connect(m_download, &UpdateDownload::finished, this, &TFAktualizacja::downloadFinished);
    m_download->start(server.installerUrl(), server.installerChecksumUrl(), m_installerPath);
}

void TFAktualizacja::downloadFinished(bool success) {
    m_downloaded = success;
    m_close->setText(success ? QStringLiteral("Zainstaluj") : QStringLiteral("Zamknij"));
    m_close->setEnabled(true);
}

void TFAktualizacja::btnDownloadViaBrowserClick() {
    bFunShellOpen(QUrl(m_downloadLink->text()));
}

void TFAktualizacja::btnCloseClick() {
    if (m_downloaded) {
        if (!bFunShellOpen(QUrl::fromLocalFile(m_installerPath))) {
            // Nothing took the installer: the program stays, and the window says why.
            m_status->setText(QStringLiteral("Nie udało się uruchomić instalatora: ") + m_installerPath);
            m_downloaded = false;
            m_close->setText(QStringLiteral("Zamknij"));
            return;
        }
        m_installerStarted = true;
    }
    accept();
}

// Only its button leaves the window.
void TFAktualizacja::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void TFAktualizacja::reject() {}
