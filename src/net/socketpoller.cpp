#include "net/socketpoller.h"

#include <QSocketNotifier>

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
        connect(m_epollNotifier, &QSocketNotifier::activated, this, &SocketPoller::readEpoll);
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

void SocketPoller::watch(qintptr socket, int wanted)
{
    if (!usesEpoll()) {
        watchWithNotifiers(socket, wanted);
        return;
    }
#ifdef GLINTER_HAVE_EPOLL
    epoll_event event{};
    event.events = ((wanted & Readable) ? EPOLLIN : 0u) | ((wanted & Writable) ? EPOLLOUT : 0u);
    event.data.fd = int(socket);
    const bool known = m_wanted.contains(socket);
    int done = ::epoll_ctl(m_epoll, known ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, int(socket), &event);
    // A number closed and opened again without our hearing of it in between.
    if (done < 0 && errno == (known ? ENOENT : EEXIST))
        done = ::epoll_ctl(m_epoll, known ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, int(socket), &event);
    if (done == 0)
        m_wanted.insert(socket, wanted);
#endif
}

void SocketPoller::forget(qintptr socket)
{
    if (Notifiers *notifiers = m_notifiers.take(socket))
        delete notifiers;
#ifdef GLINTER_HAVE_EPOLL
    if (m_wanted.remove(socket) > 0)
        (void)::epoll_ctl(m_epoll, EPOLL_CTL_DEL, int(socket), nullptr);
#endif
}

void SocketPoller::readEpoll()
{
#ifdef GLINTER_HAVE_EPOLL
    // Level-triggered: what is not taken now is reported again at the next turn.
    std::array<epoll_event, 64> events{};
    const int count = ::epoll_wait(m_epoll, events.data(), int(events.size()), 0);
    for (int i = 0; i < count; ++i) {
        const qintptr socket = events.at(std::size_t(i)).data.fd;
        const std::uint32_t flags = events.at(std::size_t(i)).events;
        // Let go of by an earlier one in this batch.
        if (!m_wanted.contains(socket))
            continue;
        int ready = 0;
        if (flags & (EPOLLIN | EPOLLHUP))
            ready |= Readable;
        if (flags & EPOLLOUT)
            ready |= Writable;
        if (flags & (EPOLLERR | EPOLLHUP))
            ready |= Failed;
        m_ready(socket, ready);
    }
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
