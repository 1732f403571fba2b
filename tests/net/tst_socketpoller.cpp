#include "net/socketpoller.h"

#include <QTest>

#include <array>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Pair {
    std::array<int, 2> ends{-1, -1};
    Pair() { (void)::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends.data()); }
    ~Pair()
    {
        for (const int end : ends) {
            if (end >= 0)
                ::close(end);
        }
    }
    Pair(const Pair &) = delete;
    Pair &operator=(const Pair &) = delete;
    void closeEnd(int index) { ::close(std::exchange(ends.at(std::size_t(index)), -1)); }
};

} // namespace

class TestSocketPoller : public QObject
{
    Q_OBJECT

    QHash<qintptr, int> m_seen;

    SocketPoller::Ready recorder()
    {
        return [this](qintptr socket, int events) { m_seen[socket] |= events; };
    }

    // A few turns of the event loop, for what would be reported.
    static void settle() { QTest::qWait(50); }

private Q_SLOTS:
    void init() { m_seen.clear(); }

    void reportsWhatIsWatchedFor()
    {
        SocketPoller poller(recorder());
        Pair pair;
        const int reader = pair.ends[0];
        const int writer = pair.ends[1];
        poller.watch(reader, SocketPoller::Readable);
        poller.watch(writer, SocketPoller::Writable);
        QTRY_VERIFY(m_seen.value(writer) & SocketPoller::Writable);
        settle();
        QCOMPARE(m_seen.value(reader), 0);

        // Watching for nothing keeps the socket quiet, however ready it is.
        poller.watch(writer, 0);
        QCOMPARE(::write(writer, "x", 1), 1);
        QTRY_VERIFY(m_seen.value(reader) & SocketPoller::Readable);
        m_seen.clear();
        settle();
        m_seen.clear();
        settle();
        QCOMPARE(m_seen.value(writer), 0);

        // A peer that hangs up makes the other end readable (to read the end).
        poller.forget(reader);
        m_seen.clear();
        settle();
        QCOMPARE(m_seen.value(reader), 0);
        poller.watch(reader, SocketPoller::Readable);
        char byte = 0;
        QCOMPARE(::read(reader, &byte, 1), 1);
        pair.closeEnd(1);
        poller.forget(writer);
        QTRY_VERIFY(m_seen.value(reader) & SocketPoller::Readable);
    }

    // Sockets are numbers that come back: one closed without a word and the next under its
    // number are told apart by the system, and the new one is watched as asked.
    void numbersComeBack()
    {
        SocketPoller poller(recorder());
        int reused = -1;
        {
            Pair first;
            reused = first.ends[0];
            poller.watch(reused, SocketPoller::Readable);
        }
        Pair second;
        QCOMPARE(second.ends[0], reused);
        poller.watch(second.ends[0], SocketPoller::Writable);
        QTRY_VERIFY(m_seen.value(reused) & SocketPoller::Writable);
        poller.forget(reused);
    }
};

QTEST_GUILESS_MAIN(TestSocketPoller)
#include "tst_socketpoller.moc"
