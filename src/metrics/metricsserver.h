#pragma once

#include "metrics/listenaddress.h"
#include "metrics/metricsexposition.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <unordered_map>

class QSocketNotifier;
struct MHD_Connection;
struct MHD_Daemon;

// Serves GET and HEAD of /metrics over HTTP. Every other path answers 404, every other
// method 405, a request that carries a body 413. Each scrape asks `render` for the text in
// the format the client prefers.
//
// The HTTP side is libmicrohttpd, driven by the event loop of the thread that owns the
// server (its epoll descriptor behind a socket notifier): `render` runs on that thread, so
// it may read the monitor directly. What a peer may cost is bounded (Limits), so that no
// client, slow, idle or hostile, can hold memory or keep the endpoint from answering.
class MetricsServer : public QObject
{
    Q_OBJECT

public:
    using Render = std::function<QByteArray(MetricsFormat)>;

    struct Limits {
        // The request line and headers together; a longer head is answered 431 (414 when
        // the request line alone is too long) and the connection closed.
        std::size_t headBytes = 8192;
        // How long a connection may go without a whole request head: from its opening or
        // the end of its last answer (idle keep-alive, or a head sent a byte at a time).
        // An answer that the client stops reading is dropped after as long without progress
        // (rounded up to whole seconds).
        std::chrono::milliseconds timeout{5000};
        // Connections open at once. A new one past this closes the connection waiting the
        // longest for a request; while none waits, new ones are taken up to twice this and
        // refused beyond.
        unsigned connections = 64;
    };

    explicit MetricsServer(Render render, QObject *parent = nullptr);
    MetricsServer(Render render, Limits limits, QObject *parent = nullptr);
    ~MetricsServer() override;

    // Starts listening; the reason when the address cannot be used.
    std::optional<QString> start(const ListenAddress &address);
    // The port listened on once started.
    quint16 port() const;
    // The connections open now.
    std::size_t connectionCount() const { return m_peers.size(); }

private:
    using Clock = std::chrono::steady_clock;

    struct Peer {
        int socket = -1;
        // Since when it waits for a request head.
        Clock::time_point waitingSince;
        bool answering = false;
        bool closing = false;
    };

    // libmicrohttpd's callbacks; `self` is the server.
    struct Callbacks;
    friend struct Callbacks;

    // Lets libmicrohttpd do what its descriptors are ready for, then arms the timers.
    void drive();
    // Closes the connections that waited too long for a request head.
    void closeOverdue();
    // Makes room for a new connection past the limit.
    void evictLongestWaiting();
    void close(Peer &peer);
    // Queues the answer to a request; `headOnly` while its body (if any) is still unread.
    bool answer(MHD_Connection *connection, const char *url, const char *method, bool headOnly);

    Render m_render;
    Limits m_limits;
    MHD_Daemon *m_daemon = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    // libmicrohttpd's own time-outs.
    QTimer m_daemonTimer;
    // The deadline of the oldest waiting connection.
    QTimer m_deadlineTimer;
    std::unordered_map<MHD_Connection *, Peer> m_peers;
    QString m_lastLog;
};
