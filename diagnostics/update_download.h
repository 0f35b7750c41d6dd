#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// The status texts the update window shows.
namespace update_status {
inline constexpr const char* kConnectionFailed = "Błąd połączenia...";
inline constexpr const char* kReadFailed = "Błąd podczas próby czytania pliku...";
inline constexpr const char* kWriteFailed = "Błąd zapisu do pliku";
inline constexpr const char* kDownloading = "Pobieranie nowej wersji programu";
inline constexpr const char* kChecksumUnreadable = "Błąd podczas próby czytania sumy kontrolnej pliku...";
inline constexpr const char* kChecksumMismatch =
    "Pobrany plik nie zgadza się z sumą kontrolną opublikowaną na serwerze. Plik usunięto.";
}  // namespace update_status

// Downloads the installer into a local file, asynchronously: start() returns at once, the
// signals report the status text, the announced length and the bytes written, and finished()
// comes once. A download succeeds only when exactly the announced number of bytes arrived and,
// when the server publishes the installer's SHA-256 sum, the file matches it; a failed or
// refused download leaves no file behind.
class UpdateDownload : public QObject {
    Q_OBJECT

public:
    explicit UpdateDownload(QObject* parent = nullptr);
    ~UpdateDownload() override;

    // `checksum` is the address of the published sum; an answer "not found" there means the
    // server publishes none. An older file at `localPath` is deleted first; "" as `localPath`
    // fails as a write error.
    void start(const QUrl& installer, const QUrl& checksum, const QString& localPath);

    bool succeeded() const { return m_succeeded; }
    QString localPath() const { return m_localPath; }

signals:
    void statusChanged(const QString& text);
    void lengthKnown(qint64 length);
    void progressed(qint64 received);
    void finished(bool success);

private:
    QNetworkReply* get(const QUrl& url);
    void checksumFinished();
    void startInstaller();
    bool openTarget();
    void installerData();
    void installerFinished();
    void fail(const char* status, const QString& detail);

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QUrl m_installer;
    QString m_localPath;
    QFile m_file;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QByteArray m_expectedSum;  // empty: the server publishes none
    qint64 m_length = -1;      // announced by the server; -1 until the answer's head is read
    qint64 m_received = 0;
    bool m_fileOpened = false;
    bool m_over = false;
    bool m_succeeded = false;
};
