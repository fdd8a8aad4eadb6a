#include "LocalHttpServer.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

LocalHttpServer::Reply LocalHttpServer::ok(const QByteArray& body) {
    Reply reply;
    reply.body = body;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::html(const QByteArray& body) {
    Reply reply = ok(body);
    reply.contentType = "text/html; charset=utf-8";
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::status(int code) {
    Reply reply = html("<html><body>" + QByteArray::number(code) + "</body></html>");
    reply.status = code;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::redirect(const QUrl& to) {
    Reply reply = status(302);
    reply.location = to.toEncoded();
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::truncated(const QByteArray& body) {
    Reply reply = ok(body);
    reply.behaviour = Behaviour::Truncate;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::silent() {
    Reply reply;
    reply.behaviour = Behaviour::NeverAnswer;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::trickling(const QByteArray& body) {
    Reply reply = ok(body);
    reply.behaviour = Behaviour::Trickle;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::stalled(const QByteArray& body, qsizetype sentBytes,
                                                bool announceLength) {
    Reply reply = ok(body);
    reply.behaviour = Behaviour::Stall;
    reply.sentBytes = sentBytes;
    reply.announceLength = announceLength;
    return reply;
}

LocalHttpServer::LocalHttpServer() {
    connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    m_server.listen(QHostAddress::LocalHost, 0);
}

LocalHttpServer::~LocalHttpServer() {
    // Open connections go first, while the table they report to still exists.
    const QList<QTcpSocket*> sockets = m_pending.keys();
    m_pending.clear();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        delete socket;
    }
}

QUrl LocalHttpServer::baseUrl() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

void LocalHttpServer::setReply(const QString& path, const Reply& reply) {
    m_files.remove(path);
    m_replies.insert(path, reply);
}

void LocalHttpServer::serveFile(const QString& path, const QString& filePath) {
    m_replies.remove(path);
    m_files.insert(path, filePath);
}

void LocalHttpServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_pending.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void LocalHttpServer::read(QTcpSocket* socket) {
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.clear();
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QString path = QString::fromLatin1(requestLine.value(1));
    QHash<QByteArray, QByteArray> headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            headers.insert(lines[i].left(colon).trimmed().toLower(),
                           lines[i].mid(colon + 1).trimmed());
    }
    m_requests.append(path);
    m_headers.append(headers);
    if (m_onRequest)
        m_onRequest(path);
    answer(socket, path);
}

void LocalHttpServer::answer(QTcpSocket* socket, const QString& path) {
    Reply reply = m_replies.value(path, status(404));
    if (m_files.contains(path)) {
        QFile file(m_files.value(path));
        reply = file.open(QIODevice::ReadOnly) ? ok(file.readAll()) : status(404);
    }
    if (reply.behaviour == Behaviour::NeverAnswer)
        return; // the socket stays open until the client gives up
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                      reasonOf(reply.status) + "\r\nContent-Type: " + reply.contentType +
                      "\r\nConnection: close\r\n";
    if (reply.announceLength)
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (!reply.location.isEmpty())
        head += "Location: " + reply.location + "\r\n";
    socket->write(head + "\r\n");
    switch (reply.behaviour) {
    case Behaviour::Trickle:
        trickle(socket, reply.body);
        return;
    case Behaviour::Stall:
        socket->write(reply.body.left(reply.sentBytes));
        return; // open until the client gives up
    case Behaviour::Truncate:
        socket->write(reply.body.left(reply.body.size() / 2));
        break;
    default:
        socket->write(reply.body);
        break;
    }
    socket->disconnectFromHost(); // after the written bytes have left
}

void LocalHttpServer::trickle(QTcpSocket* socket, const QByteArray& body) {
    // The timer is the socket's: it ends with the connection.
    auto* timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent = qsizetype(0)]() mutable {
        if (sent < body.size())
            socket->write(body.mid(sent++, 1));
        if (sent == body.size()) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start(kTrickleMs);
}
