#include "fakeserver.h"
#include "testfiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

// `glinter --headless` writes history.json right after its first refresh and then seldom:
// what the refreshes after that found reaches the file when the program is stopped. Each
// row runs in a home and a session of its own; the second refresh is asked for on the bus.
class TestCleanExit : public QObject
{
    Q_OBJECT

    FakeServer m_server;

    static QList<int> writtenStates(const QString &historyPath)
    {
        QList<int> states;
        const QJsonArray top = QJsonDocument::fromJson(readFile(historyPath)).array();
        if (top.size() != 2)
            return states;
        const QJsonArray samples = top.at(1).toArray();
        for (const QJsonValue &sample : samples)
            states.append(sample.toObject().value(u"indicator"_s).toInt());
        return states;
    }

private Q_SLOTS:
    void refreshesReachTheFileWhenStopped_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void refreshesReachTheFileWhenStopped()
    {
        QFETCH(int, signalNumber);
        m_server.setRoute("/flip", FakeRoute::text("ok"));
        const QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath(u"data/Glinter"_s)));
        QVERIFY(QDir().mkdir(home.filePath(u"run"_s)));
        QVERIFY(QFile::setPermissions(home.filePath(u"run"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // A state that changes would otherwise go to whatever notification service the bus starts.
        QVERIFY(QDir().mkpath(home.filePath(u"config/Glinter"_s)));
        QVERIFY(writeFile(home.filePath(u"config/Glinter/Glinter.conf"_s), "[General]\nnotificationsEnabled=false\n"));
        const QJsonObject entry{{u"name"_s, u"Flip"_s},
                                {u"url"_s, m_server.httpsUrl(u"/flip"_s).toString()},
                                {u"provider"_s, u"website"_s}};
        QVERIFY(writeFile(home.filePath(u"data/Glinter/services.json"_s), QJsonDocument(QJsonArray{entry}).toJson()));
        const QString history = home.filePath(u"data/Glinter/history.json"_s);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"run"_s));
        environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        environment.insert(u"GLINTER_EXTRA_CA_CERTS"_s, FakeServer::caCertificatePath());
        environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
        QProcess glinter;
        glinter.setProcessEnvironment(environment);
        glinter.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        glinter.start(QStringLiteral(GLINTER_BINARY), {u"--headless"_s});
        QVERIFY(glinter.waitForStarted());

        QTRY_COMPARE_WITH_TIMEOUT(writtenStates(history), QList<int>{0}, 30000);
        m_server.setRoute("/flip", FakeRoute::text("broken", 503));
        const QDBusConnection bus = QDBusConnection::sessionBus();
        QTRY_VERIFY_WITH_TIMEOUT(bus.interface()->isServiceRegistered(u"app.glinter.Glinter"_s).value(), 10000);
        const QDBusMessage refresh = bus.call(QDBusMessage::createMethodCall(
            u"app.glinter.Glinter"_s, u"/app/glinter/Glinter"_s, u"app.glinter.Glinter1"_s, u"Refresh"_s));
        QCOMPARE(refresh.type(), QDBusMessage::ReplyMessage);
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT(
            (output += glinter.readAllStandardOutput()).contains("Flip: none \xe2\x86\x92 critical"), 30000);
        // Not written at once: a write per refresh is what the program no longer does.
        QCOMPARE(writtenStates(history), QList<int>{0});

        ::kill(pid_t(glinter.processId()), signalNumber);
        QVERIFY(glinter.waitForFinished(10000));
        QCOMPARE(glinter.exitStatus(), QProcess::NormalExit);
        QCOMPARE(glinter.exitCode(), 0);
        QCOMPARE(writtenStates(history), (QList<int>{0, 3}));
    }
};

QTEST_GUILESS_MAIN(TestCleanExit)
#include "tst_cleanexit.moc"
