#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include "program_version.h"

class QNetworkAccessManager;
class QNetworkReply;

// What the update server said about the version file.
enum class UpdateCheckOutcome {
    NoConnection,  // no server configured, unreachable, refused, silent beyond the time-out
    NotPublished,  // status 404 or 500: nothing to say, in either mode
    Answered,      // any other answer: its body read as a version (a short body gives zeros)
};

struct UpdateCheckResult {
    UpdateCheckOutcome outcome = UpdateCheckOutcome::NoConnection;
    ProgramVersion offered;
};
Q_DECLARE_METATYPE(UpdateCheckResult)

// One asking of the version file, asynchronous: start() returns at once, finished() comes once.
// The first 12 bytes of the whole body are read, however the server splits them; a server that
// sends nothing within updateTimeout() counts as no connection.
class UpdateCheck : public QObject {
    Q_OBJECT

public:
    explicit UpdateCheck(QObject* parent = nullptr);
    ~UpdateCheck() override;

    // An invalid address finishes (on the next turn of the event loop) as no connection.
    void start(const QUrl& versionUrl);

signals:
    void finished(const UpdateCheckResult& result);

private:
    void readBody();
    void timedOut();
    // Reads the answer as far as it came and reports it; the reply is let go.
    void conclude();
    static void stop(QNetworkReply* reply);
    void finish(const UpdateCheckResult& result);

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    bool m_timedOut = false;
    bool m_done = false;
};
