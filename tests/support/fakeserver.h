#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

#include <chrono>
#include <memory>

class QSslServer;
class QTcpServer;
class QTcpSocket;

// A canned answer for one path.
struct FakeRoute {
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    std::chrono::milliseconds delay{0}; // wait before answering
    bool stall = false; // accept the request and never answer
    bool closeMidBody = false; // announce the whole body, send half, close
    std::chrono::milliseconds trickle{0}; // send the body one byte per interval
    QByteArray location; // redirect target
    bool keepOpen = false; // answer without "Connection: close", never close, take further requests
    qint64 streamed = 0; // instead of `body`, this many bytes made up as the client takes them
    bool unannounced = false; // no Content-Length: the body ends when the connection closes

    static FakeRoute json(const QByteArray &body, int status = 200);
    static FakeRoute text(const QByteArray &body, int status = 200);
};

// A request the server received.
struct FakeRequest {
    QByteArray method;
    QByteArray target; // as sent: path and query
    QByteArray path; // without query
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    bool tls = false;
};

// An HTTP/1.1 server on loopback for tests: one listener over TLS (a certificate for
// 127.0.0.1 and localhost, signed by the test authority in tests/data/tls) and one in
// plain text, each on an ephemeral port, answering every route the test sets up and
// recording what it received. Unknown paths answer 404.
class FakeServer : public QObject
{
    Q_OBJECT

public:
    enum class Certificate { Trusted, Untrusted };

    explicit FakeServer(Certificate certificate = Certificate::Trusted, QObject *parent = nullptr);
    ~FakeServer() override;

    // Routes match the request as sent (path and query) first, then the path without the
    // query; "*" answers every path without a route.
    void setRoute(const QByteArray &path, const FakeRoute &route) { m_routes.insert(path, route); }
    void clearRoutes() { m_routes.clear(); }

    QUrl httpsUrl(const QString &path = QStringLiteral("/")) const;
    QUrl httpUrl(const QString &path = QStringLiteral("/")) const;
    QUrl httpsOrigin() const { return httpsUrl(QString()); }

    QList<FakeRequest> requests() const { return m_requests; }
    int requestCount(const QByteArray &path) const;
    // Connections accepted so far.
    int connectionCount() const { return m_connections; }
    void clearRequests() { m_requests.clear(); }

    // The bytes of streamed bodies handed to the connections so far (at most some hundred KiB
    // more than the clients took).
    qint64 streamedBytes() const { return m_streamedBytes; }

    // The PEM file of the test certificate authority.
    static QString caCertificatePath();

Q_SIGNALS:
    void requestReceived(const FakeRequest &request);

private:
    struct Connection;

    void accept(QTcpSocket *socket, bool tls);
    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const FakeRoute &route);
    void trickle(QPointer<QTcpSocket> socket, QByteArray rest, std::chrono::milliseconds interval);
    void stream(QTcpSocket *socket, qint64 size);

    std::unique_ptr<QSslServer> m_https;
    std::unique_ptr<QTcpServer> m_http;
    QHash<QByteArray, FakeRoute> m_routes;
    QList<FakeRequest> m_requests;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    qint64 m_streamedBytes = 0;
    int m_connections = 0;
};
