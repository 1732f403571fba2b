#include "net/socketpoller.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

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

    // Answers come in bursts during a refresh: more ready sockets than one read takes, and more
    // becoming ready while the poller waits before reading again. Every one is reported, and
    // after the burst a lone answer still is.
    void burstsAreReportedWhole()
    {
        SocketPoller poller(recorder());
        std::vector<std::unique_ptr<Pair>> pairs;
        for (int i = 0; i < 300; ++i) {
            pairs.push_back(std::make_unique<Pair>());
            poller.watch(pairs.back()->ends[0], SocketPoller::Readable);
        }
        const auto write = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i)
                QCOMPARE(::write(pairs.at(i)->ends[1], "x", 1), 1);
        };
        const auto reported = [&](std::size_t from, std::size_t to) {
            return std::all_of(pairs.begin() + qsizetype(from), pairs.begin() + qsizetype(to),
                               [&](const auto &pair) { return m_seen.value(pair->ends[0]) & SocketPoller::Readable; });
        };
        write(0, 280);
        QTRY_VERIFY(reported(0, 280));
        // Taken in hand: a socket read to its end is quiet again.
        for (std::size_t i = 0; i < 280; ++i) {
            char byte = 0;
            QCOMPARE(::read(pairs.at(i)->ends[0], &byte, 1), 1);
        }
        m_seen.clear();
        write(280, 290);
        QTRY_VERIFY(reported(280, 290));
        settle();
        write(290, 291);
        QTRY_VERIFY(reported(290, 291));
        for (const auto &pair : pairs)
            poller.forget(pair->ends[0]);
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

        // Let go of between exchanges, then closed as it should be: the next socket under its
        // number, watched as the last one was, is watched anew.
        poller.forget(reused);
        poller.closing(reused);
        second.closeEnd(0);
        Pair third;
        QCOMPARE(third.ends[0], reused);
        poller.watch(reused, SocketPoller::Writable);
        m_seen.clear();
        QTRY_VERIFY(m_seen.value(reused) & SocketPoller::Writable);
        poller.closing(reused);
    }

    // A socket let go of between exchanges is quiet, and reported again once watched; one whose
    // peer hangs up meanwhile stays quiet.
    void keptSocketsWaitQuietly()
    {
        SocketPoller poller(recorder());
        Pair kept;
        Pair dropped;
        poller.watch(kept.ends[0], SocketPoller::Readable);
        poller.watch(dropped.ends[0], SocketPoller::Readable);
        poller.forget(kept.ends[0]);
        poller.forget(dropped.ends[0]);
        QCOMPARE(::write(kept.ends[1], "x", 1), 1);
        dropped.closeEnd(1);
        settle();
        QCOMPARE(m_seen.value(kept.ends[0]), 0);
        QCOMPARE(m_seen.value(dropped.ends[0]), 0);
        poller.watch(kept.ends[0], SocketPoller::Readable);
        QTRY_VERIFY(m_seen.value(kept.ends[0]) & SocketPoller::Readable);
        poller.watch(dropped.ends[0], SocketPoller::Readable);
        QTRY_VERIFY(m_seen.value(dropped.ends[0]) & SocketPoller::Readable);
        poller.closing(kept.ends[0]);
        poller.closing(dropped.ends[0]);
    }
};

QTEST_GUILESS_MAIN(TestSocketPoller)
#include "tst_socketpoller.moc"
