#include "fakeserver.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <memory>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(GLINTER_TEST_DATA "/tls/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("FakeServer: cannot read %s", qPrintable(path));
    return file.readAll();
}

} // namespace

FakeRoute FakeRoute::json(const QByteArray &body, int status)
{
    return {.status = status, .headers = {{"Content-Type", "application/json"}}, .body = body};
}

FakeRoute FakeRoute::text(const QByteArray &body, int status)
{
    return {.status = status, .headers = {{"Content-Type", "text/plain; charset=utf-8"}}, .body = body};
}

QString FakeServer::caCertificatePath()
{
    return dataPath(QStringLiteral("ca.pem"));
}

FakeServer::FakeServer(Certificate certificate, QObject *parent)
    : QObject(parent)
    , m_https(std::make_unique<QSslServer>())
    , m_http(std::make_unique<QTcpServer>())
{
    const QString base = certificate == Certificate::Trusted ? QStringLiteral("server") : QStringLiteral("untrusted");
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate(readAll(dataPath(base + QStringLiteral(".pem"))), QSsl::Pem));
    configuration.setPrivateKey(QSslKey(readAll(dataPath(base + QStringLiteral(".key"))), QSsl::Ec, QSsl::Pem));
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    m_https->setSslConfiguration(configuration);

    connect(m_https.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_https->nextPendingConnection())
            accept(socket, true);
    });
    connect(m_http.get(), &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_http->nextPendingConnection())
            accept(socket, false);
    });
    if (!m_https->listen(QHostAddress::LocalHost) || !m_http->listen(QHostAddress::LocalHost))
        qFatal("FakeServer: cannot listen on loopback");
}

FakeServer::~FakeServer() = default;

QUrl FakeServer::httpsUrl(const QString &path) const
{
    return QUrl(QStringLiteral("https://127.0.0.1:%1%2").arg(m_https->serverPort()).arg(path));
}

QUrl FakeServer::httpUrl(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_http->serverPort()).arg(path));
}

int FakeServer::requestCount(const QByteArray &path) const
{
    return int(std::count_if(m_requests.cbegin(), m_requests.cend(),
                             [&](const FakeRequest &request) { return request.path == path; }));
}

void FakeServer::accept(QTcpSocket *socket, bool tls)
{
    ++m_connections;
    socket->setParent(this);
    socket->setProperty("tls", tls);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_buffers.remove(socket);
        socket->deleteLater();
    });
    if (socket->bytesAvailable() > 0)
        readFrom(socket);
}

void FakeServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;

    FakeRequest request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    request.path = request.target.split('?').value(0);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request.headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length", "0").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    request.tls = socket->property("tls").toBool();
    buffer.clear();
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);

    m_requests.append(request);
    Q_EMIT requestReceived(request);

    FakeRoute route = m_routes.value(
        request.target, m_routes.value(request.path, m_routes.value("*", FakeRoute::text("not found", 404))));
    if (route.stall)
        return;
    if (route.delay.count() > 0) {
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(route.delay, this, [this, guarded, route] {
            if (guarded)
                answer(guarded, route);
        });
        return;
    }
    answer(socket, route);
}

void FakeServer::answer(QTcpSocket *socket, const FakeRoute &route)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + " Status\r\n";
    for (const auto &[name, value] : route.headers)
        head += name + ": " + value + "\r\n";
    if (!route.location.isEmpty())
        head += "Location: " + route.location + "\r\n";
    const bool bodyless = route.status == 204 || route.status == 304;
    if (!bodyless && !route.unannounced)
        head += "Content-Length: " + QByteArray::number(route.streamed > 0 ? route.streamed : route.body.size())
                + "\r\n";
    head += route.keepOpen ? "\r\n" : "Connection: close\r\n\r\n";
    socket->write(head);
    if (route.streamed > 0 && !bodyless) {
        stream(socket, route.streamed);
    } else if (route.keepOpen) {
        socket->write(route.body);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
    } else if (route.trickle.count() > 0 && !bodyless) {
        trickle(QPointer<QTcpSocket>(socket), route.body, route.trickle);
    } else {
        if (!bodyless)
            socket->write(route.closeMidBody ? route.body.left(route.body.size() / 2) : route.body);
        socket->disconnectFromHost();
    }
}

void FakeServer::trickle(QPointer<QTcpSocket> socket, QByteArray rest, std::chrono::milliseconds interval)
{
    if (!socket)
        return;
    if (rest.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    socket->write(rest.left(1));
    QTimer::singleShot(interval, this,
                       [this, socket, rest = rest.mid(1), interval] { trickle(socket, rest, interval); });
}

void FakeServer::stream(QTcpSocket *socket, qint64 size)
{
    // Topped up as the connection drains, so that what is made is what the client takes.
    static constexpr qint64 chunk = qint64(64) * 1024;
    const auto left = std::make_shared<qint64>(size);
    const auto topUp = [this, socket, left] {
        static const QByteArray filler(chunk, 'x');
        if (*left == 0)
            return;
        while (*left > 0 && socket->bytesToWrite() < 4 * chunk) {
            const qint64 part = std::min(chunk, *left);
            socket->write(filler.constData(), part);
            *left -= part;
            m_streamedBytes += part;
        }
        if (*left == 0)
            socket->disconnectFromHost(); // once what is written has gone
    };
    connect(socket, &QTcpSocket::bytesWritten, this, topUp);
    topUp();
}
