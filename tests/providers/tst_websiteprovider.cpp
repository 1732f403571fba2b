#include "providers/websiteprovider.h"

#include "readertesting.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>

using namespace ReaderTesting;
using namespace std::chrono_literals;

class TestWebsiteProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void classify_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("text");
        QTest::newRow("199") << 199 << Indicator::Major << u"Unexpected"_qs;
        QTest::newRow("200") << 200 << Indicator::None << u"Online"_qs;
        QTest::newRow("399") << 399 << Indicator::None << u"Online"_qs;
        QTest::newRow("401") << 401 << Indicator::Minor << u"Restricted"_qs;
        QTest::newRow("404") << 404 << Indicator::Major << u"Client error"_qs;
        QTest::newRow("429") << 429 << Indicator::Minor << u"Rate limited"_qs;
        QTest::newRow("499") << 499 << Indicator::Major << u"Client error"_qs;
        QTest::newRow("500") << 500 << Indicator::Critical << u"Server error"_qs;
        QTest::newRow("599") << 599 << Indicator::Critical << u"Server error"_qs;
        QTest::newRow("600") << 600 << Indicator::Major << u"Unexpected"_qs;
    }

    void classify()
    {
        QFETCH(int, code);
        QFETCH(Indicator, indicator);
        QFETCH(QString, text);
        QCOMPARE(WebsiteProvider::classify(code), (WebsiteProvider::Classification{indicator, text}));
    }

    void answered_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("ok") << 200 << Indicator::None << u"Online \u00B7 HTTP 200 \u00B7 "_qs;
        QTest::newRow("forbidden") << 403 << Indicator::Minor << u"Restricted \u00B7 HTTP 403 \u00B7 "_qs;
        QTest::newRow("server error") << 503 << Indicator::Critical << u"Server error \u00B7 HTTP 503 \u00B7 "_qs;
    }

    void answered()
    {
        QFETCH(int, status);
        QFETCH(QString, prefix);
        FakeServer server;
        FakeRoute route = FakeRoute::text("<html>hello</html>", status);
        route.delay = 30ms;
        server.setRoute("/", route);
        WebsiteProvider reader{HttpSession()};
        const ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Website, server.httpsUrl())));
        QTEST(result.indicator, "indicator");
        QVERIFY2(result.description.startsWith(prefix), qPrintable(result.description));
        const QRegularExpressionMatch latency =
            QRegularExpression(u"^(\\d+) ms$"_qs).match(result.description.mid(prefix.size()));
        QVERIFY2(latency.hasMatch(), qPrintable(result.description));
        QVERIFY(latency.captured(1).toInt() >= 30);
        QCOMPARE(result.incidentTitle, std::nullopt);
        QCOMPARE(server.requests().first().headers.value("user-agent"), QByteArray("Mozilla/5.0 (Macintosh) Glinter/1.0"));
    }

    void followsRedirects()
    {
        FakeServer server;
        server.setRoute("/old", FakeRoute::redirect("/new", 301));
        server.setRoute("/new", FakeRoute::text("moved here"));
        WebsiteProvider reader{HttpSession()};
        const ServiceStatusResult result =
            QCoro::waitFor(reader.fetch(service(ProviderKind::Website, server.httpsUrl(u"/old"_qs))));
        QCOMPARE(result.indicator, Indicator::None);
        QVERIFY(result.description.startsWith(u"Online \u00B7 HTTP 200"_qs));
    }

    void refusedConnection()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        WebsiteProvider reader{HttpSession()};
        const ServiceStatusResult result = QCoro::waitFor(
            reader.fetch(service(ProviderKind::Website, QUrl(u"http://127.0.0.1:%1/"_qs.arg(port)))));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Offline \u00B7 Connection refused"_qs);
    }

    void stall()
    {
        FakeServer server;
        FakeRoute route;
        route.stall = true;
        server.setRoute("/", route);
        WebsiteProvider reader{HttpSession(HttpLimits{300ms, 600ms})};
        const ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Website, server.httpsUrl())));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Offline \u00B7 Timed out"_qs);
    }

    void untrustedCertificate()
    {
        FakeServer server(FakeServer::Certificate::Untrusted);
        server.setRoute("/", FakeRoute::text("hello"));
        WebsiteProvider reader{HttpSession()};
        const ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Website, server.httpsUrl())));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Offline \u00B7 TLS error"_qs);
    }

    void notAWebAddress()
    {
        WebsiteProvider reader{HttpSession()};
        const ServiceStatusResult result =
            QCoro::waitFor(reader.fetch(service(ProviderKind::Website, QUrl(u"ftp://127.0.0.1/file"_qs))));
        QCOMPARE(result.indicator, Indicator::Critical);
        QVERIFY(result.description.startsWith(u"Offline \u00B7 "_qs));
        QVERIFY(result.description.size() > u"Offline \u00B7 "_qs.size());
    }

    void errorTexts_data()
    {
        QTest::addColumn<QNetworkReply::NetworkError>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("host") << QNetworkReply::HostNotFoundError << u"Host not found"_qs;
        QTest::newRow("no network") << QNetworkReply::NetworkSessionFailedError << u"No internet"_qs;
        QTest::newRow("closed") << QNetworkReply::RemoteHostClosedError << u"Connection lost"_qs;
        QTest::newRow("other") << QNetworkReply::ProtocolUnknownError << u"client text"_qs;
    }

    void errorTexts()
    {
        QFETCH(QNetworkReply::NetworkError, error);
        QTEST(WebsiteProvider::errorText(error, u"client text"_qs), "text");
    }
};

QTEST_GUILESS_MAIN(TestWebsiteProvider)
#include "tst_websiteprovider.moc"
