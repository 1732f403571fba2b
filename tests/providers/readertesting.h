#pragma once

#include "core/service.h"
#include "net/networkenvironment.h"
#include "providers/statusprovider.h"

#include "fakeserver.h"

#include <QFile>
#include <QTest>
#include <QTimeZone>
#include <QUuid>
#include <qcoro/qcorotask.h>

namespace ReaderTesting {

inline Service service(ProviderKind kind, const QUrl &url = QUrl(QStringLiteral("https://status.example.com")))
{
    return Service{QUuid::createUuid(), QStringLiteral("Example"), url, kind, std::nullopt};
}

inline QByteArray fixture(const QString &relative)
{
    QFile file(QStringLiteral(GLINTER_TEST_DATA "/feeds/") + relative);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(relative));
    return file.readAll();
}

// A result on one line: "major: Text", then " [title]" when there is a title (an empty
// one included) and " (maintenance)" when flagged.
inline QString graded(const ServiceStatusResult &result)
{
    QString text = indicatorName(result.indicator) + QStringLiteral(": ") + result.description;
    if (result.incidentTitle)
        text += QStringLiteral(" [") + *result.incidentTitle + u']';
    if (result.isMaintenance)
        text += QStringLiteral(" (maintenance)");
    return text;
}

// What a result tells besides the state, one line per incident and window:
// "title | status | impact | started | updated | update | url" and
// "title | status | starts | ends | url", times in ISO 8601 (a time that is not UTC shows
// its offset), "-" for what the feed did not say.
inline QStringList story(const ServiceStatusResult &result)
{
    const auto field = [](const QString &text) { return text.isEmpty() ? u"-"_qs : text; };
    const auto time = [&](const QDateTime &t) { return field(t.toString(Qt::ISODateWithMs)); };
    QStringList lines;
    for (const Incident &incident : result.incidents) {
        lines.append(QStringList{field(incident.title), field(incident.status),
                                 incident.impact ? indicatorName(*incident.impact) : u"-"_qs, time(incident.startedAt),
                                 time(incident.updatedAt), field(incident.update), field(incident.url.toString())}
                         .join(u" | "_qs));
    }
    for (const Maintenance &window : result.maintenances) {
        lines.append(QStringList{field(window.title), maintenanceStatusWord(window.status), time(window.startsAt),
                                 time(window.endsAt), field(window.url.toString())}
                         .join(u" | "_qs));
    }
    return lines;
}

// The time the story tests check at: the fixtures are written around it.
inline QDateTime checkTime()
{
    return QDateTime(QDate(2026, 11, 30), QTime(12, 0), QTimeZone::utc());
}

inline QString check(StatusProvider &reader, ProviderKind kind,
                     const QUrl &url = QUrl(QStringLiteral("https://status.example.com")))
{
    return graded(QCoro::waitFor(reader.fetch(service(kind, url))));
}

// A fake server whose authority is trusted and to which every fixed feed moves for the
// life of the object.
class FeedServer : public FakeServer
{
public:
    FeedServer()
    {
        static const bool trusted = NetworkEnvironment::addCaCertificates(caCertificatePath()) > 0;
        if (!trusted)
            qFatal("the fake server's authority could not be trusted");
        NetworkEnvironment::setFeedOrigin(httpsOrigin());
    }
    ~FeedServer() override { NetworkEnvironment::setFeedOrigin(std::nullopt); }
};

} // namespace ReaderTesting
