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

// graded() of what `evaluate` makes of a decoded document for a service of `kind`,
// "unreadable" when it does not decode; a decoding that gives both or neither of a value
// and an error says so.
template<class Value, class Evaluate, class... Extra>
QString gradedOr(const Decoded<Value> &decoded, Evaluate evaluate, ProviderKind kind, const Extra &...extra)
{
    if (decoded.error.isEmpty() != decoded.value.has_value())
        return QStringLiteral("value and error disagree");
    return decoded.value ? graded(evaluate(service(kind), *decoded.value, extra...)) : QStringLiteral("unreadable");
}

// Tables of documents and what each grades to.
inline void gradingColumns()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("expected");
}

inline void gradingRow(const char *name, const QByteArray &document, const char *expected)
{
    QTest::newRow(name) << document << QString::fromUtf8(expected);
}

// An instant as ISO text in UTC, "-" when unknown.
inline QString instant(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QStringLiteral("-");
}

// An incident on one line: "title | status | impact | started | updated | update | url",
// "-" for what is unknown.
inline QString told(const Incident &incident)
{
    const auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    return QStringList{orDash(incident.title),
                       orDash(incident.status),
                       incident.impact ? indicatorName(*incident.impact) : QStringLiteral("-"),
                       instant(incident.startedAt),
                       instant(incident.updatedAt),
                       orDash(incident.update),
                       orDash(incident.url.toString())}
        .join(QStringLiteral(" | "));
}

// A window on one line: "title | status | starts | ends | url".
inline QString told(const Maintenance &window)
{
    return QStringList{window.title, maintenanceStatusWord(window.status), instant(window.startsAt),
                       instant(window.endsAt), window.url.isEmpty() ? QStringLiteral("-") : window.url.toString()}
        .join(QStringLiteral(" | "));
}

template<class Story>
QStringList told(const QList<Story> &list)
{
    QStringList lines;
    for (const Story &entry : list)
        lines.append(told(entry));
    return lines;
}

// What a result tells besides the state: told() of its incidents, then of its windows.
inline QStringList story(const ServiceStatusResult &result)
{
    return told(result.incidents) + told(result.maintenances);
}

// The time the story tests check at: the fixtures are written around it.
inline QDateTime checkTime()
{
    return QDateTime(QDate(2026, 11, 30), QTime(12, 0), QTimeZone::utc());
}

inline ServiceStatusResult fetched(StatusProvider &provider, ProviderKind kind,
                                   const QUrl &url = QUrl(QStringLiteral("https://status.example.com")))
{
    return QCoro::waitFor(provider.fetch(service(kind, url)));
}

inline QString check(StatusProvider &provider, ProviderKind kind,
                     const QUrl &url = QUrl(QStringLiteral("https://status.example.com")))
{
    return graded(fetched(provider, kind, url));
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
