#include "update_download.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include "storage/error_log.h"
#include "update_server.h"

namespace {

constexpr int kSha256HexLength = 64;
constexpr qint64 kLongestChecksumFile = 4096;

int statusOf(const QNetworkReply& reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool hasStatus(const QNetworkReply& reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
}

bool isSuccess(int status) {
    return status >= 200 && status < 300;
}

// The sum as `sha256sum` writes it: 64 hexadecimal digits, then optionally the file's name.
QByteArray sumFromChecksumFile(const QByteArray& body) {
    const QByteArray hex = body.trimmed().split(' ').value(0).trimmed().toLower();
    if (hex.size() != kSha256HexLength) return QByteArray();
    for (char c : hex) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return QByteArray();
    }
    return QByteArray::fromHex(hex);
}

}  // namespace

UpdateDownload::UpdateDownload(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)) {}

UpdateDownload::~UpdateDownload() {
    if (!m_over && m_fileOpened) {
        m_file.close();
        m_file.remove();
    }
    m_over = true;
    if (m_reply) {
        m_reply->disconnect(this);
        if (m_reply->isRunning() && m_reply->error() == QNetworkReply::NoError) m_reply->abort();
    }
}

QNetworkReply* UpdateDownload::get(const QUrl& url) {
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("UPDATE CHECK"));
    // The announced length must be the length of the file itself, not of a packed answer.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(static_cast<int>(updateTimeout().count()));
    return m_network->get(request);
}

void UpdateDownload::start(const QUrl& installer, const QUrl& checksum, const QString& localPath) {
    m_installer = installer;
    m_localPath = localPath;
    // The first report comes after start() returned, as every later one does.
    QTimer::singleShot(0, this, [this, checksum] {
        if (m_localPath.isEmpty()) return fail(update_status::kWriteFailed, QString());
        if (!m_installer.isValid()) return fail(update_status::kConnectionFailed, QString());
        if (!checksum.isValid()) return startInstaller();
        m_reply = get(checksum);
        connect(m_reply, &QNetworkReply::finished, this, &UpdateDownload::checksumFinished);
    });
}

void UpdateDownload::checksumFinished() {
    if (!m_reply || m_over) return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();

    if (!hasStatus(*reply)) return fail(update_status::kConnectionFailed, reply->errorString());
    const int status = statusOf(*reply);
    if (status == 404 || status == 410) return startInstaller();  // no sum published
    const QByteArray body = reply->read(kLongestChecksumFile);
    m_expectedSum = isSuccess(status) ? sumFromChecksumFile(body) : QByteArray();
    // A published sum that cannot be read cannot vouch for the file.
    if (m_expectedSum.isEmpty())
        return fail(update_status::kChecksumUnreadable,
                    QStringLiteral("HTTP %1: %2").arg(status).arg(QString::fromLatin1(body.left(80))));
    startInstaller();
}

void UpdateDownload::startInstaller() {
    m_reply = get(m_installer);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateDownload::installerData);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateDownload::installerFinished);
}

// Once the head of a successful answer is in: the announced length and a fresh local file.
bool UpdateDownload::openTarget() {
    if (m_fileOpened) return true;
    const int status = statusOf(*m_reply);
    if (!isSuccess(status)) {
        fail(update_status::kReadFailed, QStringLiteral("HTTP %1").arg(status));
        return false;
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (!length.isValid() || length.toLongLong() < 0) {
        fail(update_status::kReadFailed, QStringLiteral("Brak długości pliku w odpowiedzi serwera."));
        return false;
    }
    m_length = length.toLongLong();
    emit lengthKnown(m_length);

    QDir().mkpath(QFileInfo(m_localPath).absolutePath());
    if (QFileInfo::exists(m_localPath)) QFile::remove(m_localPath);
    m_file.setFileName(m_localPath);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(update_status::kWriteFailed, m_localPath + QStringLiteral(": ") + m_file.errorString());
        return false;
    }
    m_fileOpened = true;
    emit statusChanged(QString::fromUtf8(update_status::kDownloading));
    return true;
}

void UpdateDownload::installerData() {
    if (!m_reply || m_over || !openTarget()) return;
    const QByteArray chunk = m_reply->readAll();
    if (chunk.isEmpty()) return;
    if (m_received + chunk.size() > m_length)
        return fail(update_status::kReadFailed,
                    QStringLiteral("Serwer przysłał więcej niż zapowiedziane %1 bajtów.").arg(m_length));
    if (m_file.write(chunk) != chunk.size())
        return fail(update_status::kWriteFailed, m_localPath + QStringLiteral(": ") + m_file.errorString());
    m_hash.addData(chunk);
    m_received += chunk.size();
    emit progressed(m_received);
}

void UpdateDownload::installerFinished() {
    if (!m_reply || m_over) return;
    if (!hasStatus(*m_reply)) return fail(update_status::kConnectionFailed, m_reply->errorString());
    installerData();  // the last bytes, and the file for an empty answer
    if (m_over) return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();

    if (reply->error() != QNetworkReply::NoError || m_received != m_length)
        return fail(update_status::kReadFailed,
                    QStringLiteral("%1 z %2 bajtów: %3").arg(m_received).arg(m_length).arg(reply->errorString()));
    if (!m_file.flush()) return fail(update_status::kWriteFailed, m_localPath + QStringLiteral(": ") + m_file.errorString());
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return fail(update_status::kWriteFailed, m_localPath + QStringLiteral(": ") + m_file.errorString());
    if (!m_expectedSum.isEmpty() && m_hash.result() != m_expectedSum)
        return fail(update_status::kChecksumMismatch, m_localPath);

    m_over = true;
    m_succeeded = true;
    emit finished(true);
}

void UpdateDownload::fail(const char* status, const QString& detail) {
    m_over = true;
    if (m_fileOpened) {
        m_file.close();
        m_file.remove();
    }
    if (m_reply) {
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        // A reply that has already failed (404, 500) must not be aborted a second time.
        if (reply->isRunning() && reply->error() == QNetworkReply::NoError) reply->abort();
        reply->deleteLater();
    }
    ErrorStream err;
    err << status << "\n" << m_installer.toString();
    if (!detail.isEmpty()) err << "\n" << detail;
    vFunWriteLog(err, QStringLiteral("vFunDownloadUpdate()"), kLogError);
    emit statusChanged(QString::fromUtf8(status));
    emit finished(false);
}
