#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QUrl>

// A small HTTP server on 127.0.0.1 for tests of the network code: each path gets a canned
// answer; every other path answers 404. Each answer closes its connection.
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    LoopbackHttpServer();

    // "127.0.0.1:<port>", the form of the update host setting.
    QString hostAndPort() const;
    QUrl url(const QByteArray& path) const;

    // `status` with `body`, announcing its length (announcedLength -1: the body's own length;
    // -2: no length, the closed connection ends the body).
    void answer(const QByteArray& path, int status, const QByteArray& body, qint64 announcedLength = -1);
    // The body in several writes, the next one after the previous one has left: a slow server.
    void answerInParts(const QByteArray& path, int status, const QList<QByteArray>& parts);
    // Accepts the connection, reads the request and never answers.
    void keepSilent(const QByteArray& path);

    // The request heads received so far, in order.
    QList<QByteArray> requests() const { return m_requests; }
    // The paths asked for so far, in order.
    QList<QByteArray> requestedPaths() const;

private:
    struct Route {
        bool silent = false;
        QByteArray head;
        QList<QByteArray> parts;
    };
    void accept();

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QList<QByteArray> m_requests;
};
