#include "providers/httpsession.h"
#include "providers/networkenvironment.h"

#include "fakeserver.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

using namespace std::chrono_literals;

class TestHttpSession : public QObject
{
    Q_OBJECT

private:
    static QByteArray gzipped(const QByteArray &data)
    {
        QProcess gzip;
        gzip.start(QStringLiteral("gzip"), {QStringLiteral("-c")});
        gzip.write(data);
        gzip.closeWriteChannel();
        gzip.waitForFinished(60000);
        return gzip.readAllStandardOutput();
    }

    static HttpResponse get(const HttpSession &session, const QUrl &url, HttpHeaders headers = {})
    {
        return QCoro::waitFor(session.get(url, std::move(headers)));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
    }

    void statusCodesAndBodies_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("failure");
        QTest::newRow("200") << 200 << true << QString();
        QTest::newRow("204") << 204 << true << QString();
        // 404 and 503 are plain; the others Qt reports as errors of other kinds. All are
        // still answers, graded by status.
        for (int status : {301, 400, 404, 418, 451, 503, 520, 521, 522, 523, 524, 525, 526, 527, 599}) {
            const QByteArray name = QByteArray::number(status);
            QTest::newRow(name.constData()) << status << false << QStringLiteral("HTTP ") + QString::number(status);
        }
    }

    void statusCodesAndBodies()
    {
        QFETCH(int, status);
        QFETCH(bool, success);
        QFETCH(QString, failure);
        FakeServer server;
        server.setRoute("/x", FakeRoute::json(status == 204 ? QByteArray() : QByteArray("{\"a\":1}"), status));
        const HttpResponse response = get(HttpSession(), server.httpsUrl(QStringLiteral("/x")));
        QVERIFY(!response.isTransportError());
        QCOMPARE(response.statusCode, status);
        QCOMPARE(response.isSuccess(), success);
        if (!success)
            QCOMPARE(response.failureText(), failure);
        else if (status == 200)
            QCOMPARE(response.body, QByteArray("{\"a\":1}"));
    }

    void followsRedirectsAndSendsHeaders()
    {
        FakeServer server;
        server.setRoute("/old", FakeRoute::redirect("/new", 301));
        server.setRoute("/new", FakeRoute::json("{}"));
        const HttpResponse response =
            get(HttpSession(), server.httpsUrl(QStringLiteral("/old")), {{"Accept", "application/json"}});
        QVERIFY(response.isSuccess());
        QCOMPARE(server.requestCount("/new"), 1);
        QCOMPARE(server.requests().last().headers.value("accept"), QByteArray("application/json"));
    }

    void neverKeepsCookiesOrCachedAnswers()
    {
        FakeServer server;
        FakeRoute route = FakeRoute::json("{}");
        route.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc; Path=/")));
        route.headers.append(qMakePair(QByteArray("Cache-Control"), QByteArray("max-age=3600")));
        server.setRoute("/feed", route);
        const HttpSession session;
        QVERIFY(get(session, server.httpsUrl(QStringLiteral("/feed"))).isSuccess());
        QVERIFY(get(HttpSession(), server.httpsUrl(QStringLiteral("/feed"))).isSuccess());
        QCOMPARE(server.requestCount("/feed"), 2);
        QVERIFY(!server.requests().last().headers.contains("cookie"));
    }

    void refusesAddressesThatAreNotWebAddresses_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::newRow("file") << QUrl(QStringLiteral("file:///etc/passwd"));
        QTest::newRow("ftp") << QUrl(QStringLiteral("ftp://127.0.0.1/feed"));
        QTest::newRow("data") << QUrl(QStringLiteral("data:text/plain,hello"));
        QTest::newRow("no host") << QUrl(QStringLiteral("https:///path"));
    }

    void refusesAddressesThatAreNotWebAddresses()
    {
        QFETCH(QUrl, url);
        const HttpResponse response = get(HttpSession(), url);
        QVERIFY(response.isTransportError());
        QCOMPARE(response.error, QNetworkReply::ProtocolUnknownError);
        QVERIFY(!response.errorText.isEmpty());
    }

    void transportFailures()
    {
        FakeServer untrusted(FakeServer::Certificate::Untrusted);
        const HttpResponse tls = get(HttpSession(), untrusted.httpsUrl(QStringLiteral("/")));
        QCOMPARE(tls.error, QNetworkReply::SslHandshakeFailedError);
        QVERIFY(!tls.errorText.isEmpty());

    }

    // A small compressed body that expands past the body limit (a "zip bomb") is refused
    // as too large, not handed on half-decoded.
    void expandingBodiesAreRefusedAsTooLarge()
    {
        FakeServer server;
        QByteArray zeros(HttpSession::maxBodySize + 1, '\0');
        FakeRoute bomb = FakeRoute::json(gzipped(zeros));
        zeros.clear();
        bomb.headers.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("gzip")));
        server.setRoute("/bomb", bomb);
        FakeRoute small = FakeRoute::json(gzipped("{\"a\":1}"));
        small.headers.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("gzip")));
        server.setRoute("/small", small);

        const HttpResponse expanded = get(HttpSession(), server.httpsUrl(QStringLiteral("/bomb")));
        QVERIFY(expanded.isTransportError());
        QCOMPARE(expanded.errorText, QStringLiteral("The response is too large."));
        QCOMPARE(get(HttpSession(), server.httpsUrl(QStringLiteral("/small"))).body, QByteArray("{\"a\":1}"));
    }

    // Qt drops every field of a head it cannot parse (here: too many) and then waits for the
    // connection to close, as if no length had been given.
    void aHeadQtCannotReadIsMalformedNotSlow()
    {
        FakeServer server;
        FakeRoute route = FakeRoute::json("{}");
        for (int i = 0; i < 5000; ++i)
            route.headers.append(qMakePair("X-Filler-" + QByteArray::number(i), QByteArray("x")));
        route.keepOpen = true;
        server.setRoute("/many", route);
        const HttpSession session({300ms, 5s});
        const HttpResponse response = get(session, server.httpUrl(QStringLiteral("/many")));
        QCOMPARE(response.errorText, QStringLiteral("Malformed response"));
        route.headers.resize(3);
        server.setRoute("/few", route);
        QVERIFY(get(session, server.httpUrl(QStringLiteral("/few"))).isSuccess());
    }

    // Exchanges that end by a limit or a dropped connection resume the waiting coroutine from
    // inside the reply's (or the deadline timer's) own signals; nothing the coroutine owns may
    // die there. Repeated because the fault shows only when the frame is freed at that moment.
    // A stall ends by the idle limit well before the total one; a trickle that is never
    // silent for long ends by the total limit.
    void endingsInsideSignalsLeaveNothingFreedBehind_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("idleMs");
        QTest::addColumn<int>("totalMs");
        QTest::newRow("stall, idle limit") << QByteArray("/stall") << 60 << 5000;
        QTest::newRow("stall, total limit") << QByteArray("/stall") << 5000 << 80;
        QTest::newRow("trickle past the total limit") << QByteArray("/trickle") << 5000 << 120;
        QTest::newRow("closed mid-body") << QByteArray("/half") << 5000 << 5000;
    }

    void endingsInsideSignalsLeaveNothingFreedBehind()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, idleMs);
        QFETCH(int, totalMs);
        FakeServer server;
        FakeRoute stall;
        stall.stall = true;
        server.setRoute("/stall", stall);
        FakeRoute trickle = FakeRoute::json(QByteArray(60, 'x'));
        trickle.trickle = 20ms;
        server.setRoute("/trickle", trickle);
        FakeRoute half = FakeRoute::json(QByteArray(4000, 'x'));
        half.closeMidBody = true;
        server.setRoute("/half", half);

        const HttpSession session({std::chrono::milliseconds(idleMs), std::chrono::milliseconds(totalMs)});
        const QUrl url = server.httpsUrl(QString::fromLatin1(path));
        const bool limited = path != "/half";
        for (int round = 0; round < 12; ++round) {
            QElapsedTimer clock;
            clock.start();
            const HttpResponse response = get(session, url);
            QVERIFY(response.isTransportError());
            QVERIFY(!response.isSuccess());
            if (limited) {
                QCOMPARE(response.error, QNetworkReply::TimeoutError);
                QCOMPARE(response.errorText, HttpSession::timedOutText());
                QVERIFY2(clock.elapsed() < 4000, "the shorter limit ended the exchange");
            }
        }
        // Let the replies' deferred deletions run while the server is still there.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void feedOriginMovesFixedEndpointsOnly()
    {
        const QUrl endpoint(QStringLiteral("https://health.aws.amazon.com/public/currentevents?x=1"));
        NetworkEnvironment::setFeedOrigin(std::nullopt);
        QCOMPARE(NetworkEnvironment::fixedFeed(endpoint), endpoint);
        NetworkEnvironment::setFeedOrigin(QUrl(QStringLiteral("http://127.0.0.1:8443")));
        QCOMPARE(NetworkEnvironment::fixedFeed(endpoint), QUrl(QStringLiteral("http://127.0.0.1:8443/public/currentevents?x=1")));
        NetworkEnvironment::setFeedOrigin(std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestHttpSession)
#include "tst_httpsession.moc"
