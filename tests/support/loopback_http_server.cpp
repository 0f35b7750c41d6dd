#include "loopback_http_server.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace {

constexpr int kPartPauseMs = 50;

QByteArray reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

QByteArray head(int status, qint64 length) {
    QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n"
                      "Content-Type: application/octet-stream\r\nConnection: close\r\n";
    if (length >= 0) text += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return text + "\r\n";
}

QByteArray pathOf(const QByteArray& request) {
    return request.left(request.indexOf("\r\n")).split(' ').value(1);
}

// Writes the parts one after another, each once the one before has left; then closes.
void sendParts(QTcpSocket* socket, QList<QByteArray> parts) {
    if (parts.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    socket->write(parts.takeFirst());
    socket->flush();
    if (parts.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    QTimer::singleShot(kPartPauseMs, socket, [socket, parts] { sendParts(socket, parts); });
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("LoopbackHttpServer: %s", qPrintable(m_server.errorString()));
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
}

QString LoopbackHttpServer::hostAndPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

QUrl LoopbackHttpServer::url(const QByteArray& path) const {
    return QUrl(QStringLiteral("http://") + hostAndPort() + QString::fromLatin1(path));
}

void LoopbackHttpServer::answer(const QByteArray& path, int status, const QByteArray& body,
                                qint64 announcedLength) {
    const qint64 length = announcedLength == -1 ? body.size() : announcedLength;
    m_routes[path] = Route{false, head(status, length), {body}};
}

void LoopbackHttpServer::answerInParts(const QByteArray& path, int status, const QList<QByteArray>& parts) {
    qint64 length = 0;
    for (const QByteArray& part : parts) length += part.size();
    m_routes[path] = Route{false, head(status, length), parts};
}

void LoopbackHttpServer::keepSilent(const QByteArray& path) {
    m_routes[path] = Route{true, {}, {}};
}

QList<QByteArray> LoopbackHttpServer::requestedPaths() const {
    QList<QByteArray> paths;
    for (const QByteArray& request : m_requests) paths << pathOf(request);
    return paths;
}

void LoopbackHttpServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
            if (received->endsWith("\r\n\r\n")) return;  // answered (or kept waiting) already
            *received += socket->readAll();
            const int end = received->indexOf("\r\n\r\n");
            if (end < 0) return;
            received->truncate(end + 4);
            m_requests << *received;
            const QByteArray path = pathOf(*received);
            const Route route = m_routes.value(path, Route{false, head(404, 9), {"Not Found"}});
            if (route.silent) return;
            QList<QByteArray> parts = route.parts;
            if (parts.isEmpty()) parts << QByteArray();
            parts.first().prepend(route.head);
            sendParts(socket, parts);
        });
    }
}
