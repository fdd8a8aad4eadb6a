#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

#include <functional>

class QTcpSocket;

// A small HTTP server on a loopback port for the download tests: it answers
// GET requests from fixed bodies or files, and can misbehave on purpose.
// It runs in the test's own thread, answering from the event loop.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    enum class Behaviour {
        Answer,      // status, headers and the whole body
        Truncate,    // announces the whole body, sends half and closes
        NeverAnswer, // reads the request and keeps silent
        Trickle,     // sends the body one byte at a time, kTrickleMs apart
        Stall,       // sends the first `sentBytes` of the body, then keeps silent
    };
    static constexpr int kTrickleMs = 20;
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/csv";
        QByteArray location; // for a redirect
        Behaviour behaviour = Behaviour::Answer;
        qsizetype sentBytes = 0;    // for Stall
        bool announceLength = true; // a Content-Length header
    };
    static Reply ok(const QByteArray& body);
    static Reply html(const QByteArray& body);
    static Reply status(int code);
    static Reply redirect(const QUrl& to);
    static Reply truncated(const QByteArray& body);
    static Reply silent();
    static Reply trickling(const QByteArray& body);
    static Reply stalled(const QByteArray& body, qsizetype sentBytes, bool announceLength);

    LocalHttpServer();
    ~LocalHttpServer() override;
    bool isListening() const { return m_server.isListening(); }
    QUrl baseUrl() const;

    // What a path answers; unknown paths answer 404.
    void setReply(const QString& path, const Reply& reply);
    // A path answered with the file's content as it is at request time.
    void serveFile(const QString& path, const QString& filePath);

    // Paths requested so far, in order, and the headers of each request
    // (names in lower case).
    const QStringList& requests() const { return m_requests; }
    const QList<QHash<QByteArray, QByteArray>>& requestHeaders() const { return m_headers; }

    // Called with the path as each request arrives, before it is answered.
    void onRequest(std::function<void(const QString&)> callback) {
        m_onRequest = std::move(callback);
    }

private:
    void accept();
    void read(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);
    static void trickle(QTcpSocket* socket, const QByteArray& body);

    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
    QHash<QString, QString> m_files;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QStringList m_requests;
    QList<QHash<QByteArray, QByteArray>> m_headers;
    std::function<void(const QString&)> m_onRequest;
};

Q_DECLARE_METATYPE(LocalHttpServer::Reply)
