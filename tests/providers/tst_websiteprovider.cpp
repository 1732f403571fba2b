#include "providers/websiteprovider.h"

#include "readertesting.h"

#include <QRegularExpression>
#include <QTcpServer>

using namespace ReaderTesting;
using namespace std::chrono_literals;

class TestWebsiteProvider : public QObject
{
    Q_OBJECT

    FeedServer m_server;
    FakeServer m_untrusted{FakeServer::Certificate::Untrusted};

private Q_SLOTS:
    void classify_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("199") << 199 << u"major: Unexpected"_qs;
        QTest::newRow("399") << 399 << u"none: Online"_qs;
        QTest::newRow("429") << 429 << u"minor: Rate limited"_qs;
        QTest::newRow("499") << 499 << u"major: Client error"_qs;
        QTest::newRow("500") << 500 << u"critical: Server error"_qs;
        QTest::newRow("600") << 600 << u"major: Unexpected"_qs;
    }

    void classify()
    {
        QFETCH(int, code);
        const WebsiteProvider::Classification graded = WebsiteProvider::classify(code);
        QTEST(QString(indicatorName(graded.indicator) + u": "_qs + graded.text), "expected");
    }

    void statusesQtTakesForErrorsAreStillAnswers_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("bare 301") << 301 << u"none: Online \u00B7 HTTP 301 \u00B7 "_qs;
        QTest::newRow("400") << 400 << u"major: Client error \u00B7 HTTP 400 \u00B7 "_qs;
        QTest::newRow("418") << 418 << u"major: Client error \u00B7 HTTP 418 \u00B7 "_qs;
        QTest::newRow("526") << 526 << u"critical: Server error \u00B7 HTTP 526 \u00B7 "_qs;
    }

    void statusesQtTakesForErrorsAreStillAnswers()
    {
        QFETCH(int, code);
        QFETCH(QString, prefix);
        m_server.setRoute("/", FakeRoute::text("<html>no</html>", code));
        WebsiteProvider reader{HttpSession()};
        const QString result = check(reader, ProviderKind::Website, m_server.httpsUrl());
        QVERIFY2(result.startsWith(prefix), qPrintable(result));
    }

    void answeredWithCodeAndLatency()
    {
        FakeRoute route = FakeRoute::text("<html>hello</html>", 403);
        route.delay = 30ms;
        m_server.setRoute("/", route);
        WebsiteProvider reader{HttpSession()};
        const QString prefix = u"minor: Restricted \u00B7 HTTP 403 \u00B7 "_qs;
        const QString result = check(reader, ProviderKind::Website, m_server.httpsUrl());
        QVERIFY2(result.startsWith(prefix), qPrintable(result));
        const QRegularExpressionMatch latency = QRegularExpression(u"^(\\d+) ms$"_qs).match(result.mid(prefix.size()));
        QVERIFY2(latency.hasMatch() && latency.captured(1).toInt() >= 30, qPrintable(result));
        QCOMPARE(m_server.requests().last().headers.value("user-agent"), QByteArray("Mozilla/5.0 (Macintosh) Glinter/1.0"));
    }

    void offline_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("reason");
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl refused(u"http://127.0.0.1:%1/"_qs.arg(closed.serverPort()));
        closed.close();
        FakeRoute stall;
        stall.stall = true;
        m_server.setRoute("/stall", stall);
        QTest::newRow("refused") << refused << u"Connection refused"_qs;
        QTest::newRow("stall") << m_server.httpsUrl(u"/stall"_qs) << u"Timed out"_qs;
        QTest::newRow("untrusted certificate") << m_untrusted.httpsUrl() << u"TLS error"_qs;
        QTest::newRow("not a web address") << QUrl(u"ftp://127.0.0.1/file"_qs) << u"Unsupported URL"_qs;
    }

    void offline()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, reason);
        // Short limits, so that the stalled server gives up quickly.
        WebsiteProvider reader{HttpSession(HttpLimits{2s, 3s})};
        QCOMPARE(check(reader, ProviderKind::Website, url), u"critical: Offline \u00B7 "_qs + reason);
    }
};

QTEST_GUILESS_MAIN(TestWebsiteProvider)
#include "tst_websiteprovider.moc"
