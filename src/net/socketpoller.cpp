#include "net/socketpoller.h"

#include <QSocketNotifier>

#include <algorithm>
#include <array>

#if __has_include(<sys/epoll.h>)
#include <cerrno>
#include <sys/epoll.h>
#include <unistd.h>
#define GLINTER_HAVE_EPOLL 1
#endif

// The notifiers of one socket, without epoll.
struct SocketPoller::Notifiers {
    QSocketNotifier *read = nullptr;
    QSocketNotifier *write = nullptr;

    // Later, not now: a socket is let go of from inside the ready callback, which may run
    // inside one of these notifiers' own activated().
    ~Notifiers()
    {
        for (QSocketNotifier *notifier : {read, write}) {
            if (notifier) {
                notifier->setEnabled(false);
                notifier->deleteLater();
            }
        }
    }
};

SocketPoller::SocketPoller(Ready ready, QObject *parent)
    : QObject(parent)
    , m_ready(std::move(ready))
{
#ifdef GLINTER_HAVE_EPOLL
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    if (m_epoll >= 0) {
        m_epollNotifier = new QSocketNotifier(m_epoll, QSocketNotifier::Read, this);
        connect(m_epollNotifier, &QSocketNotifier::activated, this, &SocketPoller::onEpollReady);
        m_rest.setSingleShot(true);
        m_rest.setTimerType(Qt::PreciseTimer);
        m_rest.setInterval(std::chrono::milliseconds(1));
        connect(&m_rest, &QTimer::timeout, this, &SocketPoller::afterRest);
    }
#endif
}

SocketPoller::~SocketPoller()
{
    qDeleteAll(m_notifiers);
    delete m_epollNotifier;
#ifdef GLINTER_HAVE_EPOLL
    if (m_epoll >= 0)
        ::close(m_epoll);
#endif
}

namespace {

// Kept in the epoll set, but not reported: the socket of a connection kept for the next
// exchange, which is most likely watched again in a moment.
constexpr int parked = 0x100;

} // namespace

void SocketPoller::watch(qintptr socket, int wanted)
{
    if (!usesEpoll()) {
        watchWithNotifiers(socket, wanted);
        return;
    }
#ifdef GLINTER_HAVE_EPOLL
    const auto known = m_wanted.find(socket);
    if (known != m_wanted.end() && *known == (wanted | parked)) {
        *known = wanted;
        return;
    }
    epoll_event event{};
    event.events = ((wanted & Readable) ? EPOLLIN : 0u) | ((wanted & Writable) ? EPOLLOUT : 0u);
    event.data.fd = int(socket);
    const bool inSet = known != m_wanted.end();
    int done = ::epoll_ctl(m_epoll, inSet ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, int(socket), &event);
    // A number closed and opened again without our hearing of it in between.
    if (done < 0 && errno == (inSet ? ENOENT : EEXIST))
        done = ::epoll_ctl(m_epoll, inSet ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, int(socket), &event);
    if (done == 0)
        m_wanted.insert(socket, wanted);
#endif
}

void SocketPoller::forget(qintptr socket)
{
    if (Notifiers *notifiers = m_notifiers.take(socket))
        delete notifiers;
#ifdef GLINTER_HAVE_EPOLL
    const auto known = m_wanted.find(socket);
    if (known != m_wanted.end())
        *known |= parked;
#endif
}

void SocketPoller::closing(qintptr socket)
{
    if (Notifiers *notifiers = m_notifiers.take(socket))
        delete notifiers;
#ifdef GLINTER_HAVE_EPOLL
    if (m_wanted.remove(socket) > 0)
        (void)::epoll_ctl(m_epoll, EPOLL_CTL_DEL, int(socket), nullptr);
#endif
}

void SocketPoller::onEpollReady()
{
    m_epollNotifier->setEnabled(false);
    readEpoll();
    m_rest.start();
}

void SocketPoller::afterRest()
{
    // What came in meanwhile is taken now; once nothing did, the next answer is read as soon
    // as it comes.
    if (readEpoll() > 0)
        m_rest.start();
    else
        m_epollNotifier->setEnabled(true);
}

int SocketPoller::readEpoll()
{
#ifdef GLINTER_HAVE_EPOLL
    // Level-triggered: what is not taken now is reported again at the next read. Room for
    // more sockets than a refresh keeps on the wire.
    std::array<epoll_event, 256> events{};
    const int count = ::epoll_wait(m_epoll, events.data(), int(events.size()), 0);
    for (int i = 0; i < count; ++i) {
        const qintptr socket = events.at(std::size_t(i)).data.fd;
        const std::uint32_t flags = events.at(std::size_t(i)).events;
        // Let go of by an earlier one in this batch, or parked: a kept connection that turns
        // ready was closed by its server, and leaves the set until it is watched again.
        const auto known = m_wanted.constFind(socket);
        if (known == m_wanted.cend())
            continue;
        if (*known & parked) {
            closing(socket);
            continue;
        }
        int ready = 0;
        if (flags & (EPOLLIN | EPOLLHUP))
            ready |= Readable;
        if (flags & EPOLLOUT)
            ready |= Writable;
        if (flags & (EPOLLERR | EPOLLHUP))
            ready |= Failed;
        m_ready(socket, ready);
    }
    return std::max(count, 0);
#else
    return 0;
#endif
}

void SocketPoller::watchWithNotifiers(qintptr socket, int wanted)
{
    Notifiers *&notifiers = m_notifiers[socket];
    if (!notifiers)
        notifiers = new Notifiers;
    const auto want = [&](QSocketNotifier *&notifier, QSocketNotifier::Type type, int event) {
        const bool wantedNow = (wanted & event) != 0;
        if (wantedNow && !notifier) {
            notifier = new QSocketNotifier(socket, type, this);
            connect(notifier, &QSocketNotifier::activated, this, [this, socket, event] { m_ready(socket, event); });
        }
        if (notifier)
            notifier->setEnabled(wantedNow);
    };
    want(notifiers->read, QSocketNotifier::Read, Readable);
    want(notifiers->write, QSocketNotifier::Write, Writable);
}
