#include "headlessmetrics.h"

#include <QJsonValue>
#include <QStandardPaths>
#include <QTcpServer>

// The metrics checked by the real tools: promtool's linter, and a Prometheus server that
// scrapes glinter --headless and answers a query. Skipped when the tools are not installed
// (Debian's prometheus package).
class TestPrometheusScrape : public QObject
{
    Q_OBJECT

private:
    HeadlessMetrics m_glinter;
    QString m_promtool;
    QString m_prometheus;

    static quint16 freePort()
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

private Q_SLOTS:
    void initTestCase()
    {
        m_promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
        m_prometheus = QStandardPaths::findExecutable(QStringLiteral("prometheus"));
        if (m_promtool.isEmpty() || m_prometheus.isEmpty())
            QSKIP("promtool and prometheus are not installed (Debian package prometheus); the real scrape is not checked");

        m_glinter.server().setRoute("/up", FakeRoute::text("ok"));
        m_glinter.server().setRoute("/down", FakeRoute::text("broken", 500));
        m_glinter.writeServices(QJsonArray{m_glinter.entry(QStringLiteral("Plain"), QStringLiteral("/up")),
                                           m_glinter.entry(QString::fromUtf8("Odd \"one\" \\ two\nthree \xc3\xa9"), QStringLiteral("/down")),
                                           m_glinter.entry(QStringLiteral("Third"), QStringLiteral("/up?third"))});
        QVERIFY(m_glinter.start());
        QTRY_VERIFY_WITH_TIMEOUT(m_glinter.metrics().contains("glinter_refreshes_total 1\n"), 30000);
    }

    void promtoolAcceptsTheText()
    {
        QProcess promtool;
        promtool.start(m_promtool, {QStringLiteral("check"), QStringLiteral("metrics")});
        QVERIFY(promtool.waitForStarted());
        promtool.write(m_glinter.metrics());
        promtool.closeWriteChannel();
        QVERIFY(promtool.waitForFinished(30000));
        const QByteArray said = promtool.readAllStandardOutput() + promtool.readAllStandardError();
        QVERIFY2(promtool.exitCode() == 0 && said.trimmed().isEmpty(), said.constData());
    }

    void prometheusScrapesEveryService()
    {
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
        prometheus.start(m_prometheus, {QStringLiteral("--config.file=") + config.fileName(),
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
                                         .size() == 3,
                                 30000);
        QHash<QString, QString> states;
        for (const QJsonValue &value : series) {
            const QJsonObject sample = value.toObject();
            states.insert(sample.value(QLatin1String("metric")).toObject().value(QLatin1String("name")).toString(),
                          sample.value(QLatin1String("value")).toArray().at(1).toString());
        }
        QCOMPARE(states.value(QStringLiteral("Plain")), QStringLiteral("0"));
        QCOMPARE(states.value(QString::fromUtf8("Odd \"one\" \\ two\nthree \xc3\xa9")), QStringLiteral("3"));
        QCOMPARE(states.value(QStringLiteral("Third")), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestPrometheusScrape)
#include "tst_prometheusscrape.moc"
