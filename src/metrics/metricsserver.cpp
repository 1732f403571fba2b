#include "metrics/metricsserver.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>

std::optional<ListenAddress> ListenAddress::parse(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    QString host = text.first(colon);
    const QString portText = text.sliced(colon + 1);
    // Digits only: toUInt would take a sign or surrounding spaces.
    if (portText.isEmpty() || portText.size() > 5
        || !std::all_of(portText.cbegin(), portText.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const uint port = portText.toUInt();
    if (port > 65535)
        return std::nullopt;

    const bool bracketed = host.startsWith(u'[') && host.endsWith(u']');
    if (bracketed)
        host = host.sliced(1, host.size() - 2);
    ListenAddress result;
    result.port = quint16(port);
    if (!bracketed && host == QLatin1String("localhost")) {
        result.address = QHostAddress(QHostAddress::LocalHost);
        return result;
    }
    // An IPv6 address needs its brackets, so that the port cannot be mistaken for a group.
    if (!bracketed && host.contains(u':'))
        return std::nullopt;
    if (!result.address.setAddress(host))
        return std::nullopt;
    const bool ipv6 = result.address.protocol() == QAbstractSocket::IPv6Protocol;
    if (bracketed != ipv6 || !result.address.scopeId().isEmpty())
        return std::nullopt;
    return result;
}

QString ListenAddress::toString() const
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + address.toString() + u']'
                                                                             : address.toString();
    return host + u':' + QString::number(port);
}

MetricsServer::MetricsServer(Render render, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_render(std::move(render))
{
}

MetricsServer::~MetricsServer() = default;

std::optional<QString> MetricsServer::start(const ListenAddress &address)
{
    // A listener of our own rather than QAbstractHttpServer::listen(), which keeps the
    // reason of a failure to itself.
    auto *listener = new QTcpServer(this);
    if (!listener->listen(address.address, address.port)) {
        const QString reason = listener->errorString();
        listener->deleteLater();
        return reason;
    }
    m_listener = listener;
    bind(listener);
    return std::nullopt;
}

quint16 MetricsServer::port() const
{
    return m_listener ? m_listener->serverPort() : 0;
}

bool MetricsServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    if (request.url().path() != QLatin1String("/metrics"))
        return false;
    QHttpServerResponder responder = makeResponder(request, socket);
    const QHttpServerRequest::Method method = request.method();
    if (method != QHttpServerRequest::Method::Get && method != QHttpServerRequest::Method::Head) {
        responder.write(QByteArrayLiteral("only GET and HEAD are allowed\n"),
                        {{QByteArrayLiteral("Content-Type"), QByteArrayLiteral("text/plain; charset=utf-8")},
                         {QByteArrayLiteral("Allow"), QByteArrayLiteral("GET, HEAD")}},
                        QHttpServerResponder::StatusCode::MethodNotAllowed);
        return true;
    }

    const MetricsFormat format = negotiateMetricsFormat(request.value(QByteArrayLiteral("Accept")));
    const QByteArray body = m_render(format);
    if (method == QHttpServerRequest::Method::Get) {
        responder.write(body, metricsContentType(format));
        return true;
    }
    // HEAD: the headers a GET would get, and no body.
    responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
    responder.writeHeader(QByteArrayLiteral("Content-Type"), metricsContentType(format));
    responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(body.size()));
    responder.writeBody(QByteArray());
    return true;
}

void MetricsServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.write(QByteArrayLiteral("not found; the metrics are at /metrics\n"),
                    QByteArrayLiteral("text/plain; charset=utf-8"), QHttpServerResponder::StatusCode::NotFound);
}
