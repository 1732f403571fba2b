#include "headlessmetrics.h"

#include <QJsonValue>
#include <QStandardPaths>
#include <QTcpServer>

#include <csignal>

namespace {

// A name with every character the exposition escapes.
const QString kOdd = QString::fromUtf8("Down \"one\" \\ two\nthree \xc3\xa9");

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

QJsonObject api(quint16 port, const QString &pathAndQuery)
{
    QNetworkAccessManager client;
    std::unique_ptr<QNetworkReply, void (*)(QNetworkReply *)> reply(
        client.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(pathAndQuery)))),
        [](QNetworkReply *r) { r->deleteLater(); });
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(10000))
        return {};
    return QJsonDocument::fromJson(reply->readAll()).object();
}

} // namespace

// glinter --headless as a user service runs it: scraped over HTTP the way Prometheus scrapes
// it (by the real promtool and prometheus when Debian's prometheus package is installed),
// its services.json edited by hand while it runs, and stopped with SIGTERM.
class TestHeadless : public QObject
{
    Q_OBJECT

private:
    HeadlessMetrics m_glinter;

    QJsonArray records() const { return QJsonDocument::fromJson(m_glinter.servicesFile()).array(); }

private Q_SLOTS:
    void initTestCase()
    {
        m_glinter.server().setRoute("/up", FakeRoute::text("ok"));
        m_glinter.server().setRoute("/second", FakeRoute::text("ok"));
        m_glinter.server().setRoute("/down", FakeRoute::text("broken", 503));
        m_glinter.writeServices(QJsonArray{m_glinter.entry(QStringLiteral("Up \"quoted\""), QStringLiteral("/up")),
                                           m_glinter.entry(kOdd, QStringLiteral("/down"))});
        QVERIFY(m_glinter.start());
    }

    void servesTheMonitorsState()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.metrics().contains("glinter_refreshes_total 1\n"), 30000);
        const HeadlessMetrics::Answer answer = m_glinter.fetch("GET", QStringLiteral("/metrics"));
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.contentType, QByteArray("text/plain; version=0.0.4; charset=utf-8"));
        QVERIFY(answer.body.contains("name=\"Up \\\"quoted\\\"\",provider=\"website\"} 0\n"));
        QVERIFY(answer.body.contains("name=\"Down \\\"one\\\" \\\\ two\\nthree \xc3\xa9\",provider=\"website\"} 3\n"));
        QVERIFY(answer.body.contains("glinter_services 2\n"));
        QVERIFY(answer.body.contains("glinter_refresh_duration_seconds_count 1\n"));
        QVERIFY(!answer.body.contains("# EOF"));
        QVERIFY(m_glinter.output().contains("three \xc3\xa9: - \xe2\x86\x92 critical"));
    }

    void speaksOpenMetricsWhenAsked()
    {
        const HeadlessMetrics::Answer answer =
            m_glinter.fetch("GET", QStringLiteral("/metrics"), "application/openmetrics-text;version=1.0.0,text/plain;q=0.5");
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.contentType, QByteArray("application/openmetrics-text; version=1.0.0; charset=utf-8"));
        QVERIFY(answer.body.contains("# TYPE glinter_refreshes counter\n"));
        QVERIFY(answer.body.endsWith("\n# EOF\n"));
    }

    void answersOnlyGetAndHeadOfMetrics()
    {
        const HeadlessMetrics::Answer head = m_glinter.fetch("HEAD", QStringLiteral("/metrics"));
        QCOMPARE(head.status, 200);
        QCOMPARE(head.contentType, QByteArray("text/plain; version=0.0.4; charset=utf-8"));
        QVERIFY(head.body.isEmpty());
        const HeadlessMetrics::Answer post = m_glinter.fetch("POST", QStringLiteral("/metrics"));
        QCOMPARE(post.status, 405);
        QCOMPARE(post.allow, QByteArray("GET, HEAD"));
        QCOMPARE(m_glinter.fetch("GET", QStringLiteral("/")).status, 404);
        QCOMPARE(m_glinter.fetch("GET", QStringLiteral("/metrics/extra")).status, 404);
        // The connection still serves scrapes after the refusals.
        QCOMPARE(m_glinter.fetch("GET", QStringLiteral("/metrics")).status, 200);
    }

    void promtoolAcceptsTheText()
    {
        const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
        if (promtool.isEmpty())
            QSKIP("promtool is not installed (Debian package prometheus)");
        QProcess lint;
        lint.start(promtool, {QStringLiteral("check"), QStringLiteral("metrics")});
        QVERIFY(lint.waitForStarted());
        lint.write(m_glinter.metrics());
        lint.closeWriteChannel();
        QVERIFY(lint.waitForFinished(30000));
        const QByteArray said = lint.readAllStandardOutput() + lint.readAllStandardError();
        QVERIFY2(lint.exitCode() == 0 && said.trimmed().isEmpty(), said.constData());
    }

    void prometheusScrapesEveryService()
    {
        const QString binary = QStandardPaths::findExecutable(QStringLiteral("prometheus"));
        if (binary.isEmpty())
            QSKIP("prometheus is not installed (Debian package prometheus)");
        QTemporaryDir dir;
        const quint16 port = freePort();
        QVERIFY(port != 0);
        QFile config(dir.filePath(QStringLiteral("prometheus.yml")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("global:\n  scrape_interval: 1s\nscrape_configs:\n  - job_name: glinter\n"
                                    "    static_configs:\n      - targets: ['127.0.0.1:%1']\n")
                         .arg(m_glinter.port())
                         .toUtf8());
        config.close();

        QProcess prometheus;
        prometheus.setProcessChannelMode(QProcess::MergedChannels);
        prometheus.start(binary, {QStringLiteral("--config.file=") + config.fileName(),
                                  QStringLiteral("--storage.tsdb.path=") + dir.filePath(QStringLiteral("data")),
                                  QStringLiteral("--web.listen-address=127.0.0.1:%1").arg(port)});
        QVERIFY(prometheus.waitForStarted());
        const auto stop = qScopeGuard([&] {
            prometheus.terminate();
            if (!prometheus.waitForFinished(20000))
                prometheus.kill();
        });

        const auto targetHealth = [&] {
            const QJsonArray targets = api(port, QStringLiteral("/api/v1/targets")).value(QLatin1String("data")).toObject()
                                           .value(QLatin1String("activeTargets")).toArray();
            return targets.isEmpty() ? QString() : targets.first().toObject().value(QLatin1String("health")).toString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(targetHealth(), QStringLiteral("up"), 60000);

        QJsonArray series;
        QTRY_VERIFY_WITH_TIMEOUT((series = api(port, QStringLiteral("/api/v1/query?query=glinter_service_state"))
                                               .value(QLatin1String("data")).toObject().value(QLatin1String("result")).toArray())
                                         .size() == 2,
                                 30000);
        QHash<QString, QString> states;
        for (const QJsonValue &value : series) {
            const QJsonObject sample = value.toObject();
            states.insert(sample.value(QLatin1String("metric")).toObject().value(QLatin1String("name")).toString(),
                          sample.value(QLatin1String("value")).toArray().at(1).toString());
        }
        QCOMPARE(states.value(QStringLiteral("Up \"quoted\"")), QStringLiteral("0"));
        QCOMPARE(states.value(kOdd), QStringLiteral("3"));
    }

    // The entries were written without identifiers; the merge that follows the first
    // history write records them, and an entry appended by hand is checked and recorded too.
    void appendedEntryIsMergedCheckedAndWrittenBack()
    {
        QTRY_VERIFY_WITH_TIMEOUT(records().at(0).toObject().contains(QLatin1String("id")), 5000);
        QJsonArray array = records();
        array.append(m_glinter.entry(QStringLiteral("Second"), QStringLiteral("/second")));
        m_glinter.writeServices(array);

        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.output().contains("added Second"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.output().contains("Second: - \xe2\x86\x92 none"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(records().at(2).toObject().contains(QLatin1String("id")), 5000);
        QVERIFY(m_glinter.server().requestCount("/second") >= 1);
    }

    // Scrapes never start a check; a removed service leaves the next one.
    void removedServiceLeavesTheNextScrape()
    {
        const auto checks = [this] {
            return m_glinter.server().requestCount("/up") + m_glinter.server().requestCount("/down");
        };
        const int before = checks();
        for (int i = 0; i < 5; ++i)
            m_glinter.metrics();
        QCOMPARE(checks(), before);

        QJsonArray array = records();
        array.removeAt(1);
        m_glinter.writeServices(array);
        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.metrics().contains("glinter_services 2\n"), 10000);
        QVERIFY(!m_glinter.metrics().contains("name=\"Down"));
    }

    void syntaxErrorLeavesListAndFileAlone()
    {
        const QByteArray broken = m_glinter.servicesFile().replace("\"name\"", "name");
        m_glinter.writeServicesFile(broken);
        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.output().contains("The monitored list is kept"), 5000);
        QTest::qWait(500);
        QCOMPARE(m_glinter.servicesFile(), broken);
        QVERIFY(!QFile::exists(m_glinter.servicesPath() + QStringLiteral(".broken")));
        QVERIFY(!m_glinter.output().contains("list: 8 services"));
        QVERIFY(m_glinter.metrics().contains("glinter_services 2\n"));
    }

    void unusableAddressEndsWithStatus3_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("port in use") << QStringList{QStringLiteral("--headless"), QStringLiteral("--metrics-listen"),
                                                    QStringLiteral("127.0.0.1:%1").arg(m_glinter.port())}
                                     << QByteArray("cannot listen for metrics on 127.0.0.1:");
        QTest::newRow("not an address") << QStringList{QStringLiteral("--headless"), QStringLiteral("--metrics-listen"),
                                                       QStringLiteral("metrics.example:9842")}
                                        << QByteArray("--metrics-listen wants");
        QTest::newRow("without --headless") << QStringList{QStringLiteral("--metrics-listen"), QStringLiteral("127.0.0.1:0")}
                                            << QByteArray("goes with --headless");
    }

    void unusableAddressEndsWithStatus3()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        QProcess second;
        second.setProcessEnvironment(m_glinter.environment());
        second.start(QStringLiteral(GLINTER_BINARY), arguments);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 3);
        QVERIFY2(second.readAllStandardError().contains(message), message.constData());
        QVERIFY(!second.readAllStandardOutput().contains("watching"));
    }

    void stopsCleanlyOnSigterm()
    {
        QProcess &process = m_glinter.process();
        ::kill(pid_t(process.processId()), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(process.state() == QProcess::NotRunning, 10000);
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(m_glinter.output().contains("stopping"));
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
