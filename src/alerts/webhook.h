#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "net/httpsession.h"

#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <qcoro/qcorotask.h>

enum class WebhookEvent { Down, Recovered, Test };

// Alerts posted as a small JSON object to the user's address. The message goes out twice,
// under "text" (what Slack reads) and "content" (what Discord reads), so that one address
// works with either, or with any HTTP endpoint.
namespace Webhook {

// "down", "recovered", "test".
QString eventWord(WebhookEvent event);
// "unknown", "operational", "minor", "major", "critical".
QString severityWord(Indicator indicator);
// The emoji that leads a "down" message.
QString symbol(Indicator indicator);

// The human-readable line of an alert.
QString messageText(WebhookEvent event, const QString &serviceName, Indicator indicator, const QString &message);

// The seven string members of an alert; `message` is the result's description.
QJsonObject payload(WebhookEvent event, const Service &service, Indicator indicator, const QString &message);
QJsonObject testPayload();

// One exchange per post, ended after 10 s without progress or 10 s in all.
HttpLimits limits();

// Posts an alert to `address` in the background; the outcome is dropped.
void send(const QUrl &address, WebhookEvent event, const Service &service, Indicator indicator, const QString &message);

// How many posts of send() have not finished yet (main thread only).
int postsInFlight();

// Posts the test alert and tells whether the receiver took it (a 2xx answer, after
// redirects).
QCoro::Task<bool> sendTest(QUrl url);

// Posts `payload` as compact JSON; success is a 2xx answer. No retry.
QCoro::Task<bool> postJSON(QJsonObject payload, QUrl url, HttpLimits limits = Webhook::limits());

} // namespace Webhook
