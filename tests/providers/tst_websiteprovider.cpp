#include "providers/websiteprovider.h"

#include "readertesting.h"

#include <QRegularExpression>
#include <QTcpServer>

using namespace ReaderTesting;

class TestWebsiteProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Statuses Qt reports as errors are still answers, graded by status; every answer carries
    // the time it took. Failures to connect read as offline, with the reason.
    void throughTheServer()
    {
        FeedServer server;
        WebsiteProvider reader{HttpSession()};
        const QRegularExpression answered(u"^(.*) \u00B7 \\d+ ms$"_qs);
        const QList<QPair<int, QString>> codes{{403, u"minor: Restricted \u00B7 HTTP 403"_qs},
                                               {301, u"none: Online \u00B7 HTTP 301"_qs},
                                               {418, u"major: Client error \u00B7 HTTP 418"_qs},
                                               {526, u"critical: Server error \u00B7 HTTP 526"_qs}};
        for (const auto &[code, expected] : codes) {
            server.setRoute("/", FakeRoute::text("<html>no</html>", code));
            QCOMPARE(answered.match(check(reader, ProviderKind::Website, server.httpsUrl())).captured(1), expected);
        }
        QCOMPARE(server.requests().last().headers.value("user-agent"), QByteArray("Mozilla/5.0 (Macintosh) Glinter/1.0"));

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl refused(u"http://127.0.0.1:%1/"_qs.arg(closed.serverPort()));
        closed.close();
        QCOMPARE(check(reader, ProviderKind::Website, refused), u"critical: Offline \u00B7 Connection refused"_qs);
    }
};

QTEST_GUILESS_MAIN(TestWebsiteProvider)
#include "tst_websiteprovider.moc"
