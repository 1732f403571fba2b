#include "fakeserver.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

// `glinter --headless --metrics-listen 127.0.0.1:0` as a user service runs it, in a home of
// its own, checking website entries against the fake server: scraped over HTTP, its
// services.json edited by hand while it runs, and stopped with SIGTERM. The monitor, the
// store and the exposition have tests of their own; this one holds the wiring between them.
class TestHeadless : public QObject
{
    Q_OBJECT

    FakeServer m_server;
    QTemporaryDir m_home;
    // Where the instance lock goes, not the runtime folder of whoever runs the tests.
    QTemporaryDir m_runtime;
    QProcess m_glinter;
    QByteArray m_output;
    quint16 m_port = 0;
    QNetworkAccessManager m_client;

    struct Answer {
        int status = 0;
        QByteArray contentType;
        QByteArray allow;
        QByteArray body;
    };

    QString servicesPath() const { return m_home.filePath(u"data/Glinter/services.json"_s); }

    QJsonArray records() const { return QJsonDocument::fromJson(readFile(servicesPath())).array(); }
    void writeServices(const QByteArray &content) const { (void)writeFile(servicesPath(), content); }

    QJsonObject entry(const QString &name, const QString &path) const
    {
        return QJsonObject{
            {u"name"_s, name}, {u"url"_s, m_server.httpsUrl(path).toString()}, {u"provider"_s, u"website"_s}};
    }

    QProcessEnvironment environment(const QString &runtime = {}) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.isEmpty() ? m_runtime.path() : runtime);
        environment.insert(u"GLINTER_EXTRA_CA_CERTS"_s, FakeServer::caCertificatePath());
        environment.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent"_s);
        environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
        return environment;
    }

    QByteArray output()
    {
        m_output += m_glinter.readAllStandardOutput();
        return m_output;
    }

    Answer fetch(const QByteArray &method, const QString &path, const QByteArray &accept = {})
    {
        QNetworkRequest request(QUrl(u"http://127.0.0.1:%1%2"_s.arg(m_port).arg(path)));
        if (!accept.isEmpty())
            request.setRawHeader("Accept", accept);
        // A HEAD sent as a custom verb would wait for the body that Content-Length announces.
        // Replies stay with m_client until the end; there are a handful.
        QNetworkReply *reply = method == "HEAD" ? m_client.head(request) : m_client.sendCustomRequest(request, method);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished() && !finished.wait(20000))
            return {};
        return Answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                      reply->rawHeader("Content-Type"), reply->rawHeader("Allow"), reply->readAll()};
    }

    QByteArray metrics() { return fetch("GET", u"/metrics"_s).body; }

private Q_SLOTS:
    void initTestCase()
    {
        m_server.setRoute("/up", FakeRoute::text("ok"));
        m_server.setRoute("/down", FakeRoute::text("broken", 503));
        QVERIFY(QDir().mkpath(QFileInfo(servicesPath()).path()));
        writeServices(QJsonDocument(QJsonArray{entry(u"Down"_s, u"/down"_s)}).toJson());
        // A damaged uptime record is set aside; the program starts all the same.
        (void)writeFile(m_home.filePath(u"data/Glinter/uptime.json"_s), "{\"kind\":");

        m_glinter.setProcessEnvironment(environment());
        m_glinter.start(QStringLiteral(GLINTER_BINARY), {u"--headless"_s, u"--metrics-listen"_s, u"127.0.0.1:0"_s});
        QVERIFY(m_glinter.waitForStarted());
        static const QRegularExpression printed(u"metrics at http://127\\.0\\.0\\.1:(\\d+)/metrics"_s);
        QRegularExpressionMatch match;
        QTRY_VERIFY_WITH_TIMEOUT((match = printed.match(QString::fromUtf8(output()))).hasMatch(), 20000);
        m_port = quint16(match.captured(1).toUInt());
    }

    void firstRefreshIsScrapedAndLogged()
    {
        QTRY_VERIFY_WITH_TIMEOUT(metrics().contains("glinter_refreshes_total 1\n"), 30000);
        const QByteArray scraped = metrics();
        const QByteArray down = "name=\"Down\",provider=\"website\",url=\"" + m_server.httpsUrl(u"/down"_s).toEncoded()
                                + "\"} 3\n";
        QVERIFY(scraped.contains(down));
        QVERIFY(scraped.contains("\nglinter_refresh_interval_seconds 300\n"));
        QVERIFY(output().contains("Down: - \xe2\x86\x92 critical"));
    }

    void answersByMethodPathAndAccept()
    {
        // The refusals first: the connection they leave behind still serves the scrapes.
        const Answer post = fetch("POST", u"/metrics"_s);
        QCOMPARE(post.status, 405);
        QCOMPARE(post.allow, QByteArray("GET, HEAD"));
        QCOMPARE(fetch("GET", u"/metrics/extra"_s).status, 404);
        const Answer head = fetch("HEAD", u"/metrics"_s);
        QCOMPARE(head.status, 200);
        QCOMPARE(head.contentType, QByteArray("text/plain; version=0.0.4; charset=utf-8"));
        QVERIFY(head.body.isEmpty());
        const Answer open = fetch("GET", u"/metrics"_s, "application/openmetrics-text;version=1.0.0,text/plain;q=0.5");
        QCOMPARE(open.status, 200);
        QCOMPARE(open.contentType, QByteArray("application/openmetrics-text; version=1.0.0; charset=utf-8"));
        QVERIFY(open.body.endsWith("\n# EOF\n"));
    }

    // The entry was written without an identifier; the merge that follows the first history
    // write records it. A syntax error then keeps the list until the fixed file replaces it.
    void editsByHandAreLoggedCheckedAndWrittenBack()
    {
        QTRY_VERIFY_WITH_TIMEOUT(records().at(0).toObject().contains(u"id"_s), 5000);
        writeServices("[{name: \"Up\"}]");
        QTRY_VERIFY_WITH_TIMEOUT(output().contains("The monitored list is kept"), 5000);
        QVERIFY(metrics().contains("name=\"Down\""));

        writeServices(QJsonDocument(QJsonArray{entry(u"Up"_s, u"/up"_s)}).toJson());
        QTRY_VERIFY_WITH_TIMEOUT(output().contains("list: 1 service; added Up; removed Down"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(output().contains("services.json is fine again"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(records().at(0).toObject().contains(u"id"_s), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCount("/up") >= 1, 10000);
    }

    void unusableAddressEndsWithStatus3_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        const QString listen = u"--metrics-listen"_s;
        QTest::newRow("port in use") << QStringList{u"--headless"_s, listen, u"127.0.0.1:%1"_s.arg(m_port)}
                                     << QByteArray("cannot listen for metrics on 127.0.0.1:");
        QTest::newRow("without --headless")
            << QStringList{listen, u"127.0.0.1:0"_s} << QByteArray("goes with --headless");
    }

    void unusableAddressEndsWithStatus3()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        // A session of its own: in this one Glinter already runs.
        const QTemporaryDir runtime;
        QProcess second;
        second.setProcessEnvironment(environment(runtime.path()));
        second.start(QStringLiteral(GLINTER_BINARY), arguments);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 3);
        QVERIFY2(second.readAllStandardError().contains(message), message.constData());
        QVERIFY(!second.readAllStandardOutput().contains("watching"));
    }

    // The clean exit writes the uptime record: Down, counted by the first refresh, has been
    // removed since, and Up has had a single check only, which the record does not count.
    void stopsCleanlyOnSigterm()
    {
        ::kill(pid_t(m_glinter.processId()), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.state() == QProcess::NotRunning, 10000);
        QCOMPARE(m_glinter.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_glinter.exitCode(), 0);
        QVERIFY(output().contains("stopping"));
        QCOMPARE(readFile(m_home.filePath(u"data/Glinter/uptime.json.broken"_s)), QByteArray("{\"kind\":"));
        const QByteArray uptime = readFile(m_home.filePath(u"data/Glinter/uptime.json"_s));
        QCOMPARE(uptime, QByteArray(R"({"kind":"glinter-uptime","services":[],"version":1})"));
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
