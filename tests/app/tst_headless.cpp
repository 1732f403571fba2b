#include "core/servicestore.h"

#include "fakeserver.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// glinter --headless as a user service runs it: its services.json edited by hand while it
// runs, and stopped with SIGTERM.
class TestHeadless : public QObject
{
    Q_OBJECT

private:
    FakeServer m_server;
    QTemporaryDir m_home;
    QProcess m_process;
    QByteArray m_output;

    QString servicesPath() const { return m_home.filePath(QStringLiteral("data/Glinter/services.json")); }

    QByteArray file() const
    {
        QFile file(servicesPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void write(const QByteArray &content) const
    {
        QFile file(servicesPath());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    QByteArray output()
    {
        m_output += m_process.readAllStandardOutput();
        return m_output;
    }

    QJsonObject entry(const char *name, const QString &path) const
    {
        return QJsonObject{{QLatin1String("name"), QString::fromUtf8(name)},
                           {QLatin1String("url"), m_server.httpsUrl(path).toString()},
                           {QLatin1String("provider"), QStringLiteral("website")}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_server.setRoute("*", FakeRoute::text("ok"));
        QDir().mkpath(m_home.filePath(QStringLiteral("data/Glinter")));
        write(QJsonDocument(QJsonArray{entry("First", QStringLiteral("/first"))}).toJson());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GLINTER_EXTRA_CA_CERTS"), FakeServer::caCertificatePath());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral(GLINTER_BINARY), {QStringLiteral("--headless")});
        QVERIFY(m_process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(output().contains("First: - \xe2\x86\x92 none"), 20000);
    }

    void appendedEntryIsMergedCheckedAndWrittenBack()
    {
        // The first entry was written without an identifier; the merge that follows the
        // first history write records one.
        QTRY_VERIFY_WITH_TIMEOUT(QJsonDocument::fromJson(file()).array().at(0).toObject().contains(QLatin1String("id")), 5000);
        QJsonArray array = QJsonDocument::fromJson(file()).array();
        array.append(entry("Second", QStringLiteral("/second")));
        write(QJsonDocument(array).toJson());

        QTRY_VERIFY_WITH_TIMEOUT(output().contains("added Second"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(output().contains("Second: - \xe2\x86\x92 none"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(QJsonDocument::fromJson(file()).array().at(1).toObject().contains(QLatin1String("id")), 5000);
        QVERIFY(m_server.requestCount("/second") >= 1);
    }

    void syntaxErrorLeavesListAndFileAlone()
    {
        const QByteArray broken = file().replace("\"name\"", "name");
        write(broken);
        QTRY_VERIFY_WITH_TIMEOUT(output().contains("The monitored list is kept"), 5000);
        QTest::qWait(500);
        QCOMPARE(file(), broken);
        QVERIFY(!QFile::exists(servicesPath() + QStringLiteral(".broken")));
        QVERIFY(!output().contains("list: 8 services"));
    }

    void stopsCleanlyOnSigterm()
    {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(m_process.state() == QProcess::NotRunning, 10000);
        QCOMPARE(m_process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_process.exitCode(), 0);
        QVERIFY(output().contains("stopping"));
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
