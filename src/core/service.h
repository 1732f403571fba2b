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
    // Always an http or https address with a host when read from services.json.
    QUrl url;
    // Absent when the record names a provider this version does not have (one written by a
    // newer version, say); the name it wrote is then kept in `unread`.
    std::optional<ProviderKind> provider = ProviderKind::Statuspage;
    // Identifiers of the feed components to watch; absent means the whole service.
    std::optional<QStringList> components;
    // What the record holds that this version does not read, written back as it was: keys
    // it does not know and, when no provider answers to it, "provider".
    QJsonObject unread;

    bool operator==(const Service &) const = default;

    // Decodes one record of services.json tolerantly: a missing or malformed "id" gets a
    // fresh identifier, a missing "provider" means Statuspage, malformed "components" mean
    // none, and an unknown "provider" and unknown keys are kept. Fails when "name" or "url"
    // is missing or not usable text, when "url" is not an http or https address, or when
    // "provider" is not text, and says why, and whether the "id" was taken from the record.
    static ServiceRecord decode(const QJsonValue &value);

    // "components" is written only when present (an empty list is written as []); what
    // the record held unread is written back unchanged.
    QJsonObject toJson() const;

    // The URL as written to disk and compared by the store.
    QString urlText() const;

    // The provider's name as the record gives it: a known kind's stored name, or the unknown
    // name written in the file.
    QString providerName() const;

    // Why this version cannot check the service (its provider is unknown here), in words for
    // the user; absent when it can. Such a service is never fetched.
    std::optional<QString> uncheckedReason() const;
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
