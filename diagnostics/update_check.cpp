#include "update_check.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "update_server.h"

namespace {

constexpr int kStatusNotFound = 404;
constexpr int kStatusServerError = 500;

}  // namespace

UpdateCheck::UpdateCheck(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)) {
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &UpdateCheck::timedOut);
}

UpdateCheck::~UpdateCheck() {
    // Going away is no answer: nobody hears of this check any more.
    m_done = true;
    if (m_reply) {
        m_reply->disconnect(this);
        stop(m_reply);
    }
}

void UpdateCheck::start(const QUrl& versionUrl) {
    if (!versionUrl.isValid()) {
        QTimer::singleShot(0, this, [this] { finish(UpdateCheckResult{}); });
        return;
    }
    QNetworkRequest request(versionUrl);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("UPDATE_CHECK"));
    m_reply = m_network->get(request);
    // Nothing beyond the version file is kept in memory, however much the server sends.
    m_reply->setReadBufferSize(kVersionFileSize);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateCheck::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::conclude);
    m_deadline.start(updateTimeout());
}

void UpdateCheck::readBody() {
    if (!m_reply) return;
    m_body += m_reply->read(kVersionFileSize - m_body.size());
    // The version is whole: the rest of the body does not matter.
    if (m_body.size() >= kVersionFileSize) conclude();
}

void UpdateCheck::timedOut() {
    m_timedOut = true;
    conclude();
}

void UpdateCheck::conclude() {
    if (!m_reply) return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    m_deadline.stop();
    reply->disconnect(this);
    if (m_body.size() < kVersionFileSize) m_body += reply->read(kVersionFileSize - m_body.size());
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    stop(reply);

    // A server that answered nothing at all, or too late, was not reached.
    if (m_timedOut || !status.isValid()) {
        finish(UpdateCheckResult{});
        return;
    }
    const int code = status.toInt();
    if (code == kStatusNotFound || code == kStatusServerError) {
        finish(UpdateCheckResult{UpdateCheckOutcome::NotPublished, {}});
        return;
    }
    finish(UpdateCheckResult{UpdateCheckOutcome::Answered, versionFromFile(m_body)});
}

// A reply that has already failed (404, 500) must not be aborted a second time.
void UpdateCheck::stop(QNetworkReply* reply) {
    if (reply->isRunning() && reply->error() == QNetworkReply::NoError) reply->abort();
    reply->deleteLater();
}

void UpdateCheck::finish(const UpdateCheckResult& result) {
    if (m_done) return;
    m_done = true;
    emit finished(result);
}
