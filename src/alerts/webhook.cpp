#include "alerts/webhook.h"

#include <QJsonDocument>

#include <exception>

using namespace std::chrono_literals;

namespace Webhook {

namespace {

QString testText()
{
    return QStringLiteral("\U0001F514 Glinter webhook test \u2014 alerts are wired up correctly.");
}

// Chat messages are read by a team, not by this user: always in English.
QString phrase(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return QStringLiteral("All Systems Operational");
    case Indicator::Minor:
        return QStringLiteral("Degraded Performance");
    case Indicator::Major:
        return QStringLiteral("Partial Outage");
    case Indicator::Critical:
        return QStringLiteral("Major Outage");
    case Indicator::Unknown:
        break;
    }
    return QStringLiteral("Unreachable");
}

int s_postsInFlight = 0;

// Detached: nobody awaits it, so nothing may escape it.
QCoro::Task<void> postDetached(QJsonObject payload, QUrl url)
{
    ++s_postsInFlight;
    try {
        QCoro::Task<bool> posting = postJSON(std::move(payload), std::move(url));
        co_await posting;
    } catch (...) {
    }
    --s_postsInFlight;
}

} // namespace

QString eventWord(WebhookEvent event)
{
    switch (event) {
    case WebhookEvent::Down:
        return QStringLiteral("down");
    case WebhookEvent::Recovered:
        return QStringLiteral("recovered");
    case WebhookEvent::Test:
        break;
    }
    return QStringLiteral("test");
}

QString severityWord(Indicator indicator)
{
    if (indicator == Indicator::None)
        return QStringLiteral("operational");
    return indicatorName(indicator);
}

QString symbol(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return QStringLiteral("\u2705");
    case Indicator::Minor:
        return QStringLiteral("\u26A0\uFE0F");
    case Indicator::Major:
        return QStringLiteral("\U0001F7E0");
    case Indicator::Critical:
        return QStringLiteral("\U0001F534");
    case Indicator::Unknown:
        break;
    }
    return QStringLiteral("\u2754");
}

QString messageText(WebhookEvent event, const QString &serviceName, Indicator indicator, const QString &message)
{
    switch (event) {
    case WebhookEvent::Down:
        return symbol(indicator) + u' ' + serviceName + QStringLiteral(" \u2014 ") + phrase(indicator)
               + QStringLiteral(": ") + message;
    case WebhookEvent::Recovered:
        return symbol(Indicator::None) + u' ' + serviceName + QStringLiteral(" recovered \u2014 ")
               + phrase(Indicator::None);
    case WebhookEvent::Test:
        break;
    }
    return testText();
}

QJsonObject payload(WebhookEvent event, const Service &service, Indicator indicator, const QString &message)
{
    const QString text = messageText(event, service.name, indicator, message);
    return QJsonObject{
        {QStringLiteral("text"), text},
        {QStringLiteral("content"), text},
        {QStringLiteral("event"), eventWord(event)},
        {QStringLiteral("service"), service.name},
        {QStringLiteral("severity"), severityWord(indicator)},
        {QStringLiteral("description"), message},
        {QStringLiteral("url"), service.url.toString(QUrl::FullyEncoded)},
    };
}

QJsonObject testPayload()
{
    Service glinter;
    glinter.name = QStringLiteral("Glinter");
    glinter.url = QUrl(QStringLiteral("https://www.example.com"));
    return payload(WebhookEvent::Test, glinter, Indicator::None, QStringLiteral("Test alert from Glinter"));
}

int postsInFlight()
{
    return s_postsInFlight;
}

HttpLimits limits()
{
    return HttpLimits{10s, 10s};
}

void send(const QUrl &address, WebhookEvent event, const Service &service, Indicator indicator, const QString &message)
{
    // Dropping the task leaves the post running; it cleans up after itself.
    postDetached(payload(event, service, indicator, message), address);
}

QCoro::Task<bool> sendTest(QUrl url)
{
    return postJSON(testPayload(), std::move(url));
}

QCoro::Task<bool> postJSON(QJsonObject payload, QUrl url, HttpLimits limits)
{
    // A session of its own, with its own limits, apart from the feed providers'.
    const HttpSession session(limits);
    QByteArray body = QJsonDocument(payload).toJson(QJsonDocument::Compact);
    HttpHeaders headers{{QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json")}};
    QCoro::Task<HttpResponse> responseTask = session.post(std::move(url), std::move(body), std::move(headers));
    const HttpResponse response = co_await responseTask;
    co_return response.isSuccess();
}

} // namespace Webhook
