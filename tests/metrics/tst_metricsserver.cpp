#include "metrics/metricsserver.h"

#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

namespace {

// Short limits, so that a test waits for them only briefly.
MetricsServer::Limits smallLimits()
{
    MetricsServer::Limits limits;
    limits.headBytes = 2048;
    limits.timeout = 300ms;
    limits.connections = 4;
    return limits;
}

QByteArray scrapeRequest(const QByteArray &extraHeaders = {})
{
    return "GET /metrics HTTP/1.1\r\nHost: test\r\n" + extraHeaders + "\r\n";
}

} // namespace

// What one peer may cost the metrics endpoint: the limits hold against raw sockets that
// send what no scraper would, and a scrape is still answered beside them.
class TestMetricsServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<MetricsServer> m_server;

    std::unique_ptr<QTcpSocket> connectToServer()
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, m_server->port());
        if (!socket->waitForConnected(5000))
            return nullptr;
        return socket;
    }

    // The status of the next answer that arrives, 0 when none does; what is left of the body
    // of an answer before is skipped.
    static int status(QTcpSocket &socket)
    {
        QByteArray received;
        qsizetype start = -1;
        const bool answered = QTest::qWaitFor(
            [&] {
                received += socket.readAll();
                start = received.indexOf("HTTP/1.1 ");
                return start >= 0 && received.indexOf("\r\n\r\n", start) > 0;
            },
            5000);
        // "HTTP/1.1 200 OK"
        return answered ? received.mid(start + 9, 3).toInt() : 0;
    }

    static bool closedByServer(QTcpSocket &socket)
    {
        return QTest::qWaitFor(
            [&] {
                socket.readAll();
                return socket.state() == QAbstractSocket::UnconnectedState;
            },
            5000);
    }

    static bool takesAnotherRequest(QTcpSocket &socket)
    {
        socket.write(scrapeRequest());
        return status(socket) == 200;
    }

    // Whether the connection ends after a refusal rather than taking another request.
    static bool takesNoOtherRequest(QTcpSocket &socket)
    {
        socket.write(scrapeRequest());
        QByteArray received;
        const bool closed = QTest::qWaitFor(
            [&] {
                received += socket.readAll();
                return socket.state() == QAbstractSocket::UnconnectedState;
            },
            5000);
        return closed && !received.contains("HTTP/1.1 200");
    }

    bool startServer(const MetricsServer::Limits &limits)
    {
        m_server = std::make_unique<MetricsServer>([](MetricsFormat) { return QByteArray("glinter_services 0\n"); },
                                                   limits);
        ListenAddress address;
        address.address = QHostAddress(QHostAddress::LocalHost);
        return !m_server->start(address);
    }

private Q_SLOTS:
    void init() { QVERIFY(startServer(smallLimits())); }

    void cleanup() { m_server.reset(); }

    // A head past the limit is refused and its connection goes, whether it ends or not; one
    // at the limit is answered on a connection that stays.
    void headSize_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("closed");
        const qsizetype limit = qsizetype(smallLimits().headBytes);
        // A scrape whose head is `size` bytes long, made up by one field.
        const auto head = [](qsizetype size) {
            const QByteArray bare = scrapeRequest("X-Filler: \r\n");
            return scrapeRequest("X-Filler: " + QByteArray(size - bare.size(), 'a') + "\r\n");
        };
        QTest::newRow("at the limit") << head(limit) << 200 << false;
        QTest::newRow("one byte over") << head(limit + 1) << 431 << true;
        QByteArray many;
        for (int i = 0; many.size() < 2 * limit; ++i)
            many += "X-Filler-" + QByteArray::number(i) + ": a\r\n";
        QTest::newRow("many fields") << scrapeRequest(many) << 431 << true;
        QTest::newRow("unfinished") << QByteArray("GET /metrics HTTP/1.1\r\nX-Filler: " + QByteArray(64 * 1024, 'a'))
                                    << 431 << true;
        QTest::newRow("request line") << QByteArray("GET /metrics?" + QByteArray(64 * 1024, 'a')) << 414 << true;
    }

    void headSize()
    {
        QFETCH(QByteArray, request);
        // Only the size is tried here: on a busy machine a short deadline could end the
        // connection before the head grew past the limit.
        m_server.reset();
        MetricsServer::Limits limits = smallLimits();
        limits.timeout = 5s;
        QVERIFY(startServer(limits));
        const std::unique_ptr<QTcpSocket> socket = connectToServer();
        QVERIFY(socket);
        socket->write(request);
        QTEST(status(*socket), "status");
        QFETCH(bool, closed);
        if (closed)
            QVERIFY(takesNoOtherRequest(*socket));
        else
            QVERIFY(takesAnotherRequest(*socket));
    }

    // A scrape has no body: one announced is never read, whatever its size or framing.
    void bodyIsRefused_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("length") << scrapeRequest("Content-Length: 100000000\r\n") + QByteArray(4096, 'b');
        QTest::newRow("chunked") << scrapeRequest("Transfer-Encoding: chunked\r\n") + "1000\r\n"
                                        + QByteArray(4096, 'b');
    }

    void bodyIsRefused()
    {
        QFETCH(QByteArray, request);
        const std::unique_ptr<QTcpSocket> socket = connectToServer();
        QVERIFY(socket);
        socket->write(request);
        QCOMPARE(status(*socket), 413);
        QVERIFY(takesNoOtherRequest(*socket));
    }

    // A connection without a whole request head goes after the time-out, whether it is
    // silent, idle after an answer, or sends its head a byte at a time.
    void waitingConnectionsAreClosed_data()
    {
        QTest::addColumn<bool>("scrapeFirst");
        QTest::addColumn<bool>("trickle");
        QTest::newRow("silent") << false << false;
        QTest::newRow("idle after an answer") << true << false;
        QTest::newRow("trickling") << false << true;
    }

    void waitingConnectionsAreClosed()
    {
        QFETCH(bool, scrapeFirst);
        QFETCH(bool, trickle);
        const std::unique_ptr<QTcpSocket> socket = connectToServer();
        QVERIFY(socket);
        if (scrapeFirst) {
            socket->write(scrapeRequest());
            QCOMPARE(status(*socket), 200);
        }
        QTimer trickler;
        QObject::connect(&trickler, &QTimer::timeout, socket.get(), [&socket] { socket->write("X"); });
        if (trickle) {
            socket->write("GET /metrics HTTP/1.1\r\nX-Slow: ");
            trickler.start(50ms);
        }
        QVERIFY(closedByServer(*socket));
        QTRY_COMPARE(m_server->connectionCount(), std::size_t(0));
    }

    // Past the limit a new connection takes the place of the one waiting longest, and is
    // answered.
    void connectionsPastTheLimit()
    {
        MetricsServer::Limits patient = smallLimits();
        patient.timeout = 1h;
        QVERIFY(startServer(patient));
        std::vector<std::unique_ptr<QTcpSocket>> waiting;
        for (unsigned i = 0; i < smallLimits().connections; ++i) {
            waiting.push_back(connectToServer());
            QVERIFY(waiting.back());
            // Each one arrives after the one before, so that the oldest is known.
            QTRY_COMPARE(m_server->connectionCount(), std::size_t(i + 1));
        }
        const std::unique_ptr<QTcpSocket> scraper = connectToServer();
        QVERIFY(scraper);
        scraper->write(scrapeRequest());
        QCOMPARE(status(*scraper), 200);
        QVERIFY(closedByServer(*waiting.front()));
        for (std::size_t i = 1; i < waiting.size(); ++i)
            QCOMPARE(waiting.at(i)->state(), QAbstractSocket::ConnectedState);
    }
};

QTEST_GUILESS_MAIN(TestMetricsServer)
#include "tst_metricsserver.moc"
