#pragma once

#include "core/providerkind.h"
#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <qcoro/qcorotask.h>

#include <functional>
#include <optional>
#include <utility>

// What trying formats on an address found.
struct Detection {
    // The first format whose provider gave a known state; absent when none did.
    std::optional<ProviderKind> kind;
    // The description of each format's failed read before it, in the order tried.
    QList<std::pair<ProviderKind, QString>> failures;
};

// One read of a feed. The default, checkOnce(), asks the registry's provider for the kind.
using FeedCheck = std::function<QCoro::Task<ServiceStatusResult>(Service)>;

QCoro::Task<ServiceStatusResult> checkOnce(Service service);

// The formats "Detect automatically" tries, in table order.
QList<ProviderKind> detectableKinds();

// Reads `url` as each of `kinds` in turn, as a service named `name` with an id of its own,
// and stops at the first that gives a known state: an outage counts, the feed was read.
QCoro::Task<Detection> detectProvider(QUrl url, QString name, QList<ProviderKind> kinds = detectableKinds(),
                                      FeedCheck check = checkOnce);
