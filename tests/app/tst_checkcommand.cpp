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

using namespace Qt::StringLiterals;

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
        environment.insert(u"GLINTER_FEED_ORIGIN"_s, m_server.httpsOrigin().toString());
        environment.insert(u"GLINTER_EXTRA_CA_CERTS"_s, FakeServer::caCertificatePath());
        environment.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        // Qt's HTTP worker thread leaves OpenSSL state behind when a process exits right
        // after its last exchange; that is not ours to report.
        environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
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
        const QString path = m_home.filePath(u"services-%1.json"_s.arg(++m_files));
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
                                           .arg(m_server.httpsUrl(u"/beta"_s).toString())
                                           .toUtf8());

        const Run text = run({u"--check"_s, u"--services"_s, path});
        QVERIFY2(text.exitCode == 2, text.err.constData());
        QVERIFY2(text.out.contains("Beta: Major outage \xe2\x80\x94 Database down"), text.out.constData());

        const Run json = run({u"--check"_s, u"--json"_s, u"--services"_s, path});
        QVERIFY2(json.exitCode == 2, json.err.constData());
        const QJsonObject beta = QJsonDocument::fromJson(json.out).array().at(0).toObject();
        QCOMPARE(beta.value(u"indicator"_s).toString(), u"critical"_s);
        QCOMPARE(beta.value(u"incidentTitle"_s).toString(), u"Database down"_s);
        const QDateTime checked = QDateTime::fromString(beta.value(u"lastChecked"_s).toString(), Qt::ISODate);
        QVERIFY(checked.isValid());
        QCOMPARE(checked.timeSpec(), Qt::UTC);
    }

    // What a page tells besides its state: arrays in JSON (none for the website probe, which
    // reads no page), one line per incident under a service in trouble.
    void storyInBothReports()
    {
        const Service page{QUuid::createUuid(), u"Beta"_s, QUrl(u"https://status.beta.test"_s),
                           ProviderKind::Statuspage, std::nullopt};
        const Service site{QUuid::createUuid(), u"Site"_s, QUrl(u"https://beta.test"_s), ProviderKind::Website,
                           std::nullopt};
        const QDateTime started(QDate(2026, 12, 7), QTime(3, 10), Qt::UTC);
        ServiceStatusResult troubled{page.id, Indicator::Major, u"Partial System Outage"_s, started};
        troubled.incidents = {Incident{u"Database down"_s, u"Identified"_s, Indicator::Critical, started,
                                       started.addSecs(600), u"We found it."_s, QUrl(u"https://stspg.io/x"_s)},
                              Incident{u"Slow logins"_s, {}, std::nullopt, {}, {}, {}, {}}};
        troubled.maintenances = {Maintenance{u"Upgrade"_s, Maintenance::Status::InProgress, started,
                                             started.addSecs(3600), QUrl(u"https://stspg.io/m"_s)}};
        const ServiceStatusResult probed{site.id, Indicator::None, u"Online"_s, started};

        const QJsonArray report =
            QJsonDocument::fromJson(CheckCommand::jsonReport({page, site}, {troubled, probed})).array();
        const QJsonArray incidents = report.at(0)[u"incidents"_s].toArray();
        QCOMPARE(incidents.size(), 2);
        QCOMPARE(incidents.at(0).toObject(), (QJsonObject{{u"title"_s, u"Database down"_s},
                                                          {u"status"_s, u"identified"_s},
                                                          {u"impact"_s, u"critical"_s},
                                                          {u"startedAt"_s, u"2026-12-07T03:10:00Z"_s},
                                                          {u"updatedAt"_s, u"2026-12-07T03:20:00Z"_s},
                                                          {u"update"_s, u"We found it."_s},
                                                          {u"url"_s, u"https://stspg.io/x"_s}}));
        // what the feed does not say stays unknown
        QVERIFY(!incidents.at(1).toObject().contains(u"impact"_s));
        QVERIFY(incidents.at(1)[u"startedAt"_s].isNull());
        QCOMPARE(report.at(0)[u"maintenances"_s].toArray().at(0).toObject(),
                 (QJsonObject{{u"title"_s, u"Upgrade"_s},
                              {u"status"_s, u"in_progress"_s},
                              {u"startsAt"_s, u"2026-12-07T03:10:00Z"_s},
                              {u"endsAt"_s, u"2026-12-07T04:10:00Z"_s},
                              {u"url"_s, u"https://stspg.io/m"_s}}));
        QVERIFY(!report.at(1).toObject().contains(u"incidents"_s));
        QVERIFY(!report.at(1).toObject().contains(u"maintenances"_s));

        const QStringList lines = CheckCommand::textReport({page, site}, {troubled, probed}).split(u'\n');
        QCOMPARE(lines.mid(1, 2), (QStringList{u"    identified since 2026-12-07 03:10 UTC: Database down"_s,
                                               u"    ongoing: Slow logins"_s}));
        QVERIFY(lines.at(3).startsWith(u"NONE"_s));
    }

    // A run that cannot use its file or its arguments checks nothing, writes nothing and ends
    // with status 3; a JSON report is then an empty array.
    void refusedRunChecksNothing_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "%1": a file holding `content`
        QTest::addColumn<QByteArray>("content"); // null: a folder in the file's place
        QTest::addColumn<QByteArray>("reason");
        const QStringList check{u"--check"_s, u"--json"_s, u"--services"_s};
        QTest::newRow("no valid record") << check + QStringList{u"%1"_s} << QByteArray(R"([{"name":"A","ulr":"x"}])")
                                         << QByteArray("Record 1: missing \"url\"");
        QTest::newRow("a folder") << check + QStringList{u"%1"_s} << QByteArray() << QByteArray("cannot read");
        QTest::newRow("missing file") << check + QStringList{u"/nonexistent/services.json"_s} << QByteArray("")
                                      << QByteArray("cannot read");
        QTest::newRow("json without check")
            << QStringList{u"--json"_s} << QByteArray("") << QByteArray("go with --check");
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
        const Run result = run(arguments.replaceInStrings(u"%1"_s, path));
        QCOMPARE(result.exitCode, 3);
        QVERIFY2(result.err.contains(reason), result.err.constData());
        QCOMPARE(QJsonDocument::fromJson(result.out),
                 arguments.contains(u"--check"_s) ? QJsonDocument(QJsonArray()) : QJsonDocument());
        QCOMPARE(m_server.requests().size(), 0);
        QVERIFY(!QDir(m_home.filePath(u"data"_s)).exists());
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
