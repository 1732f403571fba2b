#pragma once

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

class QSocketNotifier;

// Tells which of the sockets it watches are ready, on this thread's event loop. Where the
// system has epoll, the sockets form one epoll set that a single notifier watches, so each
// turn of the event loop polls one descriptor however many transfers are on the wire (the
// loop's own poll() otherwise walks every socket at every turn, the largest cost of a refresh
// of thousands of services). Elsewhere, or when no epoll set can be made, a notifier per
// socket and direction.
//
// The epoll set is read at once when it becomes ready, then rests a millisecond before it is
// read again: a refresh of thousands of services takes the answers that came in meanwhile
// in one turn instead of waking for each, and a lone answer waits for nothing.
class SocketPoller : public QObject
{
    Q_OBJECT

public:
    enum Event {
        Readable = 1,
        Writable = 2,
        // The socket failed or the peer hung up.
        Failed = 4,
    };
    // `socket` became ready for `events` (a combination of Event).
    using Ready = std::function<void(qintptr socket, int events)>;

    explicit SocketPoller(Ready ready, QObject *parent = nullptr);
    ~SocketPoller() override;

    // Whether the sockets share one epoll set.
    bool usesEpoll() const { return m_epoll >= 0; }

    // Watches `socket` for `wanted` (Readable, Writable or both), replacing what it was
    // watched for; none waits quietly.
    void watch(qintptr socket, int wanted);
    // Stops reporting `socket`, which stays open and may be watched again soon (a connection
    // kept for the next exchange).
    void forget(qintptr socket);
    // `socket` is about to be closed: no trace of it is kept. A socket let go of with forget()
    // must come through here before it closes, or another socket given its number and watched
    // for the same events would never be reported.
    void closing(qintptr socket);

private:
    struct Notifiers;

    void onEpollReady();
    void afterRest();
    // Reports what the epoll set has ready; how many sockets that was.
    int readEpoll();
    void watchWithNotifiers(qintptr socket, int wanted);

    Ready m_ready;
    int m_epoll = -1;
    QSocketNotifier *m_epollNotifier = nullptr;
    QTimer m_rest;
    // What each socket is watched for (epoll), or its notifiers (without).
    QHash<qintptr, int> m_wanted;
    QHash<qintptr, Notifiers *> m_notifiers;
};
