#include "app/checkcommand.h"

#include "fakeserver.h"
#include "testfiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestCheckCommand : public QObject
{
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    FakeServer m_server;
    QTemporaryDir m_home;

    Run run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GLINTER_FEED_ORIGIN"), m_server.httpsOrigin().toString());
        environment.insert(QStringLiteral("GLINTER_EXTRA_CA_CERTS"), FakeServer::caCertificatePath());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        // Qt's HTTP worker thread leaves OpenSSL state behind when a process exits right
        // after its last exchange; that is not ours to report.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        process.setProcessEnvironment(environment);
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(GLINTER_BINARY), arguments);
        // The fake server lives in this process, so its event loop must keep running.
        if (!finished.wait(60000))
            process.kill();
        return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   process.readAllStandardOutput(), process.readAllStandardError()};
    }

    QString writeFile(const QByteArray &content)
    {
        const QString path = m_home.filePath(QStringLiteral("services-%1.json").arg(++m_files));
        (void)::writeFile(path, content);
        return path;
    }

    int m_files = 0;

private Q_SLOTS:
    void init()
    {
        m_server.clearRoutes();
        m_server.clearRequests();
    }

    void exitCodeFollowsTheWorstState_data()
    {
        QTest::addColumn<QByteArrayList>("indicators");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("all operational") << QByteArrayList{"none", "none"} << 0;
        QTest::newRow("major beats minor") << QByteArrayList{"minor", "major"} << 2;
        QTest::newRow("critical beats unknown") << QByteArrayList{"garbled", "critical"} << 2;
        QTest::newRow("unknown") << QByteArrayList{"none", "garbled"} << 3;
    }

    void exitCodeFollowsTheWorstState()
    {
        QFETCH(QByteArrayList, indicators);
        QFETCH(int, exitCode);
        QList<ServiceStatusResult> results;
        for (const QByteArray &word : indicators)
            results.append(
                ServiceStatusResult{QUuid(), indicatorFromStatuspageWord(QString::fromUtf8(word)), {}, {}, {}, false});
        QCOMPARE(CheckCommand::exitCode(results), exitCode);
    }

    // An incident over a page that answers through the rewritten address, in both reports.
    void incidentInBothReports()
    {
        m_server.setRoute("/api/v2/status.json",
                          FakeRoute::json(R"({"status":{"indicator":"critical","description":"Major outage"},
                                               "incidents":[{"name":"Database down","status":"investigating"}]})"));
        const QString path = writeFile(QStringLiteral(R"([{"name":"Beta","url":"%1","provider":"statuspage"}])")
                                           .arg(m_server.httpsUrl(QStringLiteral("/beta")).toString())
                                           .toUtf8());

        const Run text = run({QStringLiteral("--check"), QStringLiteral("--services"), path});
        QVERIFY2(text.exitCode == 2, text.err.constData());
        QVERIFY2(text.out.contains("Beta: Major outage \xe2\x80\x94 Database down"), text.out.constData());

        const Run json = run({QStringLiteral("--check"), QStringLiteral("--json"), QStringLiteral("--services"), path});
        QVERIFY2(json.exitCode == 2, json.err.constData());
        const QJsonObject beta = QJsonDocument::fromJson(json.out).array().at(0).toObject();
        QCOMPARE(beta.value(QLatin1String("indicator")).toString(), QStringLiteral("critical"));
        QCOMPARE(beta.value(QLatin1String("incidentTitle")).toString(), QStringLiteral("Database down"));
        const QDateTime checked = QDateTime::fromString(beta.value(QLatin1String("lastChecked")).toString(),
                                                        Qt::ISODate);
        QVERIFY(checked.isValid());
        QCOMPARE(checked.timeSpec(), Qt::UTC);
    }

    // What a page tells besides its state: arrays in JSON (none for the website probe, which
    // reads no page), one line per incident under a service in trouble.
    void storyInBothReports()
    {
        const Service page{QUuid::createUuid(), QStringLiteral("Beta"),
                           QUrl(QStringLiteral("https://status.beta.test")), ProviderKind::Statuspage, std::nullopt};
        const Service site{QUuid::createUuid(), QStringLiteral("Site"), QUrl(QStringLiteral("https://beta.test")),
                           ProviderKind::Website, std::nullopt};
        const QDateTime started(QDate(2026, 12, 7), QTime(3, 10), Qt::UTC);
        ServiceStatusResult troubled{page.id, Indicator::Major, QStringLiteral("Partial System Outage"), started};
        troubled.incidents = {Incident{QStringLiteral("Database down"), QStringLiteral("Identified"),
                                       Indicator::Critical, started, started.addSecs(600),
                                       QStringLiteral("We found it."), QUrl(QStringLiteral("https://stspg.io/x"))},
                              Incident{QStringLiteral("Slow logins"), {}, std::nullopt, {}, {}, {}, {}}};
        troubled.maintenances = {Maintenance{QStringLiteral("Upgrade"), Maintenance::Status::InProgress, started,
                                             started.addSecs(3600), QUrl(QStringLiteral("https://stspg.io/m"))}};
        const ServiceStatusResult probed{site.id, Indicator::None, QStringLiteral("Online"), started};

        const QJsonArray report =
            QJsonDocument::fromJson(CheckCommand::jsonReport({page, site}, {troubled, probed})).array();
        const QJsonArray incidents = report.at(0)[QLatin1String("incidents")].toArray();
        QCOMPARE(incidents.size(), 2);
        QCOMPARE(incidents.at(0).toObject(),
                 (QJsonObject{{QLatin1String("title"), QStringLiteral("Database down")},
                              {QLatin1String("status"), QStringLiteral("identified")},
                              {QLatin1String("impact"), QStringLiteral("critical")},
                              {QLatin1String("startedAt"), QStringLiteral("2026-12-07T03:10:00Z")},
                              {QLatin1String("updatedAt"), QStringLiteral("2026-12-07T03:20:00Z")},
                              {QLatin1String("update"), QStringLiteral("We found it.")},
                              {QLatin1String("url"), QStringLiteral("https://stspg.io/x")}}));
        // what the feed does not say stays unknown
        QVERIFY(!incidents.at(1).toObject().contains(QLatin1String("impact")));
        QVERIFY(incidents.at(1)[QLatin1String("startedAt")].isNull());
        QCOMPARE(report.at(0)[QLatin1String("maintenances")].toArray().at(0).toObject(),
                 (QJsonObject{{QLatin1String("title"), QStringLiteral("Upgrade")},
                              {QLatin1String("status"), QStringLiteral("in_progress")},
                              {QLatin1String("startsAt"), QStringLiteral("2026-12-07T03:10:00Z")},
                              {QLatin1String("endsAt"), QStringLiteral("2026-12-07T04:10:00Z")},
                              {QLatin1String("url"), QStringLiteral("https://stspg.io/m")}}));
        QVERIFY(!report.at(1).toObject().contains(QLatin1String("incidents")));
        QVERIFY(!report.at(1).toObject().contains(QLatin1String("maintenances")));

        const QStringList lines = CheckCommand::textReport({page, site}, {troubled, probed}).split(u'\n');
        QCOMPARE(lines.mid(1, 2),
                 (QStringList{QStringLiteral("    identified since 2026-12-07 03:10 UTC: Database down"),
                              QStringLiteral("    ongoing: Slow logins")}));
        QVERIFY(lines.at(3).startsWith(QStringLiteral("NONE")));
    }

    // A run that cannot use its file or its arguments checks nothing, writes nothing and ends
    // with status 3; a JSON report is then an empty array.
    void refusedRunChecksNothing_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "%1": a file holding `content`
        QTest::addColumn<QByteArray>("content"); // null: a folder in the file's place
        QTest::addColumn<QByteArray>("reason");
        const QStringList check{QStringLiteral("--check"), QStringLiteral("--json"), QStringLiteral("--services")};
        QTest::newRow("no valid record") << check + QStringList{QStringLiteral("%1")}
                                         << QByteArray(R"([{"name":"A","ulr":"x"}])")
                                         << QByteArray("Record 1: missing \"url\"");
        QTest::newRow("a folder") << check + QStringList{QStringLiteral("%1")} << QByteArray()
                                  << QByteArray("cannot read");
        QTest::newRow("missing file") << check + QStringList{QStringLiteral("/nonexistent/services.json")}
                                      << QByteArray("") << QByteArray("cannot read");
        QTest::newRow("json without check")
            << QStringList{QStringLiteral("--json")} << QByteArray("") << QByteArray("go with --check");
    }

    void refusedRunChecksNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, reason);
        m_server.setRoute("*", FakeRoute::json(R"({"status":{"indicator":"none","description":"All good"}})"));
        const QString path = writeFile(content);
        if (content.isNull())
            QVERIFY(QFile::remove(path) && QDir().mkpath(path));
        const Run result = run(arguments.replaceInStrings(QStringLiteral("%1"), path));
        QCOMPARE(result.exitCode, 3);
        QVERIFY2(result.err.contains(reason), result.err.constData());
        QCOMPARE(QJsonDocument::fromJson(result.out),
                 arguments.contains(QStringLiteral("--check")) ? QJsonDocument(QJsonArray()) : QJsonDocument());
        QCOMPARE(m_server.requests().size(), 0);
        QVERIFY(!QDir(m_home.filePath(QStringLiteral("data"))).exists());
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
