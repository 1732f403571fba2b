#pragma once

#include "fakeserver.h"

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

#include <memory>

// `glinter --headless --metrics-listen 127.0.0.1:0` in a home of its own, checking website
// entries against the fake server, and an HTTP client for its endpoint.
class HeadlessMetrics
{
public:
    struct Answer {
        int status = 0;
        QByteArray contentType;
        QByteArray allow;
        QByteArray body;
    };

    HeadlessMetrics() { QDir().mkpath(m_home.filePath(QStringLiteral("data/Glinter"))); }

    ~HeadlessMetrics()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
    }

    FakeServer &server() { return m_server; }

    QJsonObject entry(const QString &name, const QString &path) const
    {
        return QJsonObject{{QLatin1String("name"), name},
                           {QLatin1String("url"), m_server.httpsUrl(path).toString()},
                           {QLatin1String("provider"), QStringLiteral("website")}};
    }

    QString servicesPath() const { return m_home.filePath(QStringLiteral("data/Glinter/services.json")); }

    QByteArray servicesFile() const
    {
        QFile file(servicesPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Written in place, as a plain editor without atomic saves would.
    void writeServicesFile(const QByteArray &content) const
    {
        QFile file(servicesPath());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    void writeServices(const QJsonArray &services) const { writeServicesFile(QJsonDocument(services).toJson()); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GLINTER_EXTRA_CA_CERTS"), FakeServer::caCertificatePath());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        return environment;
    }

    // Starts the program and waits for the port it printed.
    bool start()
    {
        m_process.setProcessEnvironment(environment());
        m_process.start(QStringLiteral(GLINTER_BINARY),
                        {QStringLiteral("--headless"), QStringLiteral("--metrics-listen"), QStringLiteral("127.0.0.1:0")});
        if (!m_process.waitForStarted())
            return false;
        static const QRegularExpression printed(QStringLiteral("metrics at http://127\\.0\\.0\\.1:(\\d+)/metrics"));
        QRegularExpressionMatch match;
        if (!QTest::qWaitFor([&] { return (match = printed.match(QString::fromUtf8(output()))).hasMatch(); }, 20000))
            return false;
        m_port = quint16(match.captured(1).toUInt());
        return m_port != 0;
    }

    QProcess &process() { return m_process; }
    quint16 port() const { return m_port; }

    QByteArray output()
    {
        m_output += m_process.readAllStandardOutput();
        return m_output;
    }

    Answer fetch(const QByteArray &method, const QString &path, const QByteArray &accept = {})
    {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)));
        if (!accept.isEmpty())
            request.setRawHeader("Accept", accept);
        // A HEAD sent as a custom verb would wait for the body that Content-Length announces.
        QNetworkReply *sent = method == "HEAD" ? m_client.head(request) : m_client.sendCustomRequest(request, method);
        std::unique_ptr<QNetworkReply, void (*)(QNetworkReply *)> reply(sent, [](QNetworkReply *r) { r->deleteLater(); });
        QSignalSpy finished(reply.get(), &QNetworkReply::finished);
        if (!reply->isFinished() && !finished.wait(20000))
            return {};
        return Answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->rawHeader("Content-Type"),
                      reply->rawHeader("Allow"), reply->readAll()};
    }

    QByteArray metrics(const QByteArray &accept = {}) { return fetch("GET", QStringLiteral("/metrics"), accept).body; }

private:
    FakeServer m_server;
    QTemporaryDir m_home;
    QProcess m_process;
    QByteArray m_output;
    quint16 m_port = 0;
    QNetworkAccessManager m_client;
};
