#pragma once

#include "core/providerkind.h"

#include <QJsonObject>
#include <QStringList>
#include <QUrl>
#include <QUuid>

#include <optional>

struct ServiceRecord;

// One monitored status page (or, for the website probe, one site).
struct Service {
    QUuid id;
    QString name;
    QUrl url;
    ProviderKind provider = ProviderKind::Statuspage;
    // Identifiers of the feed components to watch; absent means the whole service.
    std::optional<QStringList> components;

    bool operator==(const Service &) const = default;

    // Decodes one record of services.json tolerantly: a missing or malformed "id" gets a
    // fresh identifier, an unknown "provider" means Statuspage, malformed "components"
    // mean none. Fails only when "name" or "url" is missing or not usable text, and says
    // why, and whether the "id" was taken from the record.
    static ServiceRecord decode(const QJsonValue &value);

    // "components" is written only when present (an empty list is written as []).
    QJsonObject toJson() const;

    // The URL as written to disk and compared by the store.
    QString urlText() const;
};

// One record of services.json, decoded.
struct ServiceRecord {
    // Absent when the record cannot be used.
    std::optional<Service> service;
    // Why it cannot be used, for example `missing "url"`; empty when it can.
    QString problem;
    // The identifier was written in the record (not made up for it).
    bool hasWrittenID = false;
};

// Canonical upper-case 36-character form.
QString uuidText(const QUuid &id);

// Parses only the canonical 36-character form (either letter case), no braces.
std::optional<QUuid> parseUuid(const QString &text);
