#pragma once

#include "metrics/metricsexposition.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QString>

#include <functional>
#include <optional>

class QTcpServer;

// Where the metrics endpoint listens.
struct ListenAddress {
    QHostAddress address;
    quint16 port = 0; // 0: any free port

    // Reads "ADDRESS:PORT" with a numeric IPv4 address, a bracketed IPv6 address
    // ("[::1]:9842") or "localhost"; absent for anything else.
    static std::optional<ListenAddress> parse(const QString &text);

    // "127.0.0.1:9842", "[::1]:9842".
    QString toString() const;
};

// Serves GET and HEAD of /metrics over HTTP. Every other path answers 404, every other
// method 405. Each scrape asks `render` for the text in the format the client prefers;
// everything runs on the thread that owns the server.
class MetricsServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    using Render = std::function<QByteArray(MetricsFormat)>;

    explicit MetricsServer(Render render, QObject *parent = nullptr);
    ~MetricsServer() override;

    // Starts listening; the reason when the address cannot be used.
    std::optional<QString> start(const ListenAddress &address);
    // The port listened on once started.
    quint16 port() const;

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    Render m_render;
    QTcpServer *m_listener = nullptr;
};
