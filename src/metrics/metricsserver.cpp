#include "metrics/metricsserver.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <microhttpd.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>

namespace {

Q_LOGGING_CATEGORY(lcMetrics, "glinter.metrics", QtWarningMsg)

using namespace std::chrono_literals;

// A connection's memory holds its request head, the parsed header fields and the head of its
// answer. Twice the longest head leaves room for all three, so that a head a little over the
// limit is read whole and refused with its own answer; a longer one overflows the memory and
// libmicrohttpd refuses it by itself.
std::size_t connectionMemory(std::size_t headBytes)
{
    return 2 * headBytes + 1024;
}

struct Reply {
    unsigned status = MHD_HTTP_OK;
    QByteArray body;
    QByteArray contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    QByteArray allow;
};

// The Accept header, its repeated fields joined as one list.
QByteArray acceptHeader(MHD_Connection *connection)
{
    QByteArray accept;
    MHD_get_connection_values(
        connection, MHD_HEADER_KIND,
        [](void *cls, MHD_ValueKind, const char *key, const char *value) {
            if (::strcasecmp(key, MHD_HTTP_HEADER_ACCEPT) == 0) {
                auto *joined = static_cast<QByteArray *>(cls);
                if (!joined->isEmpty())
                    joined->append(", ");
                joined->append(value);
            }
            return MHD_YES;
        },
        &accept);
    return accept;
}

// Whether the request announces a body, which would have to be read past its head.
bool carriesBody(MHD_Connection *connection)
{
    const char *length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
    return (length && std::strcmp(length, "0") != 0)
           || MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_TRANSFER_ENCODING);
}

// The answer's bytes, handed over without a copy; libmicrohttpd frees them when it is done.
MHD_Response *responseOf(QByteArray body)
{
    auto *held = new QByteArray(std::move(body));
    MHD_Response *response = MHD_create_response_from_buffer_with_free_callback_cls(
        std::size_t(held->size()), held->data(), [](void *cls) { delete static_cast<QByteArray *>(cls); }, held);
    if (!response)
        delete held;
    return response;
}

} // namespace

struct MetricsServer::Callbacks {
    static MHD_Result accept(void *cls, const sockaddr *, socklen_t)
    {
        auto *self = static_cast<MetricsServer *>(cls);
        // Those already told to go are on their way out.
        const auto staying = std::count_if(self->m_peers.cbegin(), self->m_peers.cend(),
                                           [](const auto &entry) { return !entry.second.closing; });
        if (std::size_t(staying) >= self->m_limits.connections)
            self->evictLongestWaiting();
        return MHD_YES;
    }

    // Called once the head is in, then again at the end of the body (empty for a scrape).
    static MHD_Result access(void *cls, MHD_Connection *connection, const char *url, const char *method, const char *,
                             const char *, std::size_t *, void **request)
    {
        auto *self = static_cast<MetricsServer *>(cls);
        const bool headOnly = !*request;
        if (headOnly) {
            *request = self;
            if (const auto peer = self->m_peers.find(connection); peer != self->m_peers.end())
                peer->second.answering = true;
        }
        return self->answer(connection, url, method, headOnly) ? MHD_YES : MHD_NO;
    }

    static void completed(void *cls, MHD_Connection *connection, void **, MHD_RequestTerminationCode)
    {
        auto *self = static_cast<MetricsServer *>(cls);
        const auto peer = self->m_peers.find(connection);
        if (peer == self->m_peers.end())
            return;
        peer->second.answering = false;
        peer->second.waitingSince = Clock::now();
    }

    static void notify(void *cls, MHD_Connection *connection, void **, MHD_ConnectionNotificationCode code)
    {
        auto *self = static_cast<MetricsServer *>(cls);
        if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
            self->m_peers.erase(connection);
            return;
        }
        const MHD_ConnectionInfo *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        self->m_peers.insert_or_assign(connection, Peer{info ? info->connect_fd : -1, Clock::now()});
    }

    __attribute__((format(printf, 2, 0))) static void log(void *cls, const char *format, va_list arguments)
    {
        std::array<char, 512> text{};
        std::vsnprintf(text.data(), text.size(), format, arguments);
        auto *self = static_cast<MetricsServer *>(cls);
        self->m_lastLog = QString::fromLocal8Bit(text.data()).trimmed();
        qCDebug(lcMetrics) << self->m_lastLog;
    }
};

MetricsServer::MetricsServer(Render render, QObject *parent)
    : MetricsServer(std::move(render), Limits{}, parent)
{
}

MetricsServer::MetricsServer(Render render, Limits limits, QObject *parent)
    : QObject(parent)
    , m_render(std::move(render))
    , m_limits(limits)
{
    m_daemonTimer.setSingleShot(true);
    connect(&m_daemonTimer, &QTimer::timeout, this, &MetricsServer::drive);
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &MetricsServer::closeOverdue);
}

MetricsServer::~MetricsServer()
{
    // The notifier watches a descriptor that stopping the daemon closes.
    delete m_notifier;
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
}

std::optional<QString> MetricsServer::start(const ListenAddress &address)
{
    sockaddr_storage storage{};
    const bool ipv6 = address.address.protocol() == QAbstractSocket::IPv6Protocol;
    if (ipv6) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(address.port);
        const Q_IPV6ADDR bytes = address.address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
    } else {
        auto *in4 = reinterpret_cast<sockaddr_in *>(&storage);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(address.port);
        in4->sin_addr.s_addr = htonl(address.address.toIPv4Address());
    }
    const auto seconds = unsigned(std::max<qint64>(1, (m_limits.timeout.count() + 999) / 1000));
    m_lastLog.clear();
    // Its own epoll descriptor, watched by this thread's event loop, rather than a thread of
    // its own: answers are rendered from the monitor, which lives on this thread.
    m_daemon = MHD_start_daemon(
        MHD_USE_EPOLL | MHD_USE_ERROR_LOG | (ipv6 ? MHD_USE_IPv6 : 0), address.port, &Callbacks::accept, this,
        &Callbacks::access, this, MHD_OPTION_EXTERNAL_LOGGER, &Callbacks::log, this, MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<const sockaddr *>(&storage), MHD_OPTION_CONNECTION_MEMORY_LIMIT,
        connectionMemory(m_limits.headBytes), MHD_OPTION_CONNECTION_LIMIT, 2 * m_limits.connections,
        MHD_OPTION_CONNECTION_TIMEOUT, seconds, MHD_OPTION_NOTIFY_CONNECTION, &Callbacks::notify, this,
        MHD_OPTION_NOTIFY_COMPLETED, &Callbacks::completed, this, MHD_OPTION_END);
    if (!m_daemon)
        return m_lastLog.isEmpty() ? QStringLiteral("the HTTP server did not start") : m_lastLog;
    const MHD_DaemonInfo *epoll = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_EPOLL_FD);
    m_notifier = new QSocketNotifier(epoll->epoll_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MetricsServer::drive);
    drive();
    return std::nullopt;
}

quint16 MetricsServer::port() const
{
    if (!m_daemon)
        return 0;
    const MHD_DaemonInfo *info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    return info ? info->port : 0;
}

void MetricsServer::drive()
{
    MHD_run(m_daemon);
    // Work left over (more ready connections than one turn takes) or a connection's time-out.
    MHD_UNSIGNED_LONG_LONG wait = 0;
    if (MHD_get_timeout(m_daemon, &wait) == MHD_YES)
        m_daemonTimer.start(std::chrono::milliseconds(std::min<MHD_UNSIGNED_LONG_LONG>(wait, 60'000)));
    else
        m_daemonTimer.stop();
    closeOverdue();
}

void MetricsServer::closeOverdue()
{
    const Clock::time_point now = Clock::now();
    std::optional<Clock::time_point> next;
    for (auto &[connection, peer] : m_peers) {
        if (peer.answering || peer.closing)
            continue;
        const Clock::time_point deadline = peer.waitingSince + m_limits.timeout;
        if (deadline <= now)
            close(peer);
        else if (!next || deadline < *next)
            next = deadline;
    }
    if (next)
        m_deadlineTimer.start(std::chrono::ceil<std::chrono::milliseconds>(*next - now));
    else
        m_deadlineTimer.stop();
}

void MetricsServer::evictLongestWaiting()
{
    Peer *longest = nullptr;
    for (auto &[connection, peer] : m_peers) {
        if (!peer.answering && !peer.closing && (!longest || peer.waitingSince < longest->waitingSince))
            longest = &peer;
    }
    if (longest)
        close(*longest);
}

void MetricsServer::close(Peer &peer)
{
    // libmicrohttpd offers no way to drop a connection from outside its callbacks; a socket
    // shut down both ways reads as the peer's end at its next turn, and it closes the
    // connection as it would any other.
    peer.closing = true;
    if (peer.socket >= 0)
        ::shutdown(peer.socket, SHUT_RDWR);
}

bool MetricsServer::answer(MHD_Connection *connection, const char *url, const char *method, bool headOnly)
{
    const bool get = std::strcmp(method, MHD_HTTP_METHOD_GET) == 0;
    const bool head = std::strcmp(method, MHD_HTTP_METHOD_HEAD) == 0;
    const bool body = carriesBody(connection);
    const MHD_ConnectionInfo *size = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
    const bool headTooLarge = size && size->header_size > m_limits.headBytes;
    // An answer queued as soon as the head is in ends the connection, its body unread; one
    // queued after the (empty) body leaves the connection open for the next request.
    const bool refused = body || headTooLarge;
    if (headOnly && !refused)
        return true;
    Reply reply;
    if (headTooLarge) {
        reply = {MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE, QByteArrayLiteral("the request head is too large\n")};
    } else if (std::strcmp(url, "/metrics") != 0) {
        reply = {MHD_HTTP_NOT_FOUND, QByteArrayLiteral("not found; the metrics are at /metrics\n")};
    } else if (!get && !head) {
        reply = {MHD_HTTP_METHOD_NOT_ALLOWED, QByteArrayLiteral("only GET and HEAD are allowed\n")};
        reply.allow = QByteArrayLiteral("GET, HEAD");
    } else if (body) {
        reply = {MHD_HTTP_CONTENT_TOO_LARGE, QByteArrayLiteral("a scrape carries no body\n")};
    } else {
        const MetricsFormat format = negotiateMetricsFormat(acceptHeader(connection));
        reply = {MHD_HTTP_OK, m_render(format), metricsContentType(format)};
    }

    MHD_Response *response = responseOf(std::move(reply.body));
    if (!response)
        return false;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.constData());
    if (!reply.allow.isEmpty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, reply.allow.constData());
    // Said, although libmicrohttpd closes the connection anyway: a client that sent too much
    // once is not heard again.
    if (refused)
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    const MHD_Result queued = MHD_queue_response(connection, reply.status, response);
    MHD_destroy_response(response);
    return queued == MHD_YES;
}
