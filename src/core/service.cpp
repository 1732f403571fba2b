#include "core/service.h"

#include "core/webaddress.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <utility>

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> parseUuid(const QString &text)
{
    if (text.size() != 36)
        return std::nullopt;
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() && text != u"00000000-0000-0000-0000-000000000000")
        return std::nullopt;
    return id;
}

ServiceRecord Service::decode(const QJsonValue &value)
{
    const auto fail = [](QString problem) { return ServiceRecord{std::nullopt, std::move(problem), false}; };
    if (!value.isObject())
        return fail(QCoreApplication::translate("Service", "not an object"));
    const QJsonObject object = value.toObject();

    const QJsonValue name = object.value(QLatin1String("name"));
    const QJsonValue url = object.value(QLatin1String("url"));
    for (const auto &[key, field] : {std::pair{"name", name}, std::pair{"url", url}}) {
        if (field.isUndefined())
            return fail(QCoreApplication::translate("Service", "missing \"%1\"").arg(QLatin1String(key)));
        if (!field.isString())
            return fail(QCoreApplication::translate("Service", "\"%1\" is not text").arg(QLatin1String(key)));
    }
    const QString urlString = url.toString();
    QUrl parsed(urlString, QUrl::StrictMode);
    if (urlString.isEmpty())
        return fail(QCoreApplication::translate("Service", "\"url\" is empty"));
    if (!parsed.isValid())
        return fail(QCoreApplication::translate("Service", "\"url\" is not a valid address"));
    // Nothing else is ever read or opened: a file:, javascript: or ftp: address would only
    // stand in the list as a service that can never be checked.
    if (!isWebAddress(parsed))
        return fail(QCoreApplication::translate("Service", "\"url\" is not an http or https address"));
    const QJsonValue provider = object.value(QLatin1String("provider"));
    if (!provider.isUndefined() && !provider.isString())
        return fail(QCoreApplication::translate("Service", "\"provider\" is not text"));

    Service service;
    const std::optional<QUuid> writtenID = parseUuid(object.value(QLatin1String("id")).toString());
    service.id = writtenID.value_or(QUuid::createUuid());
    service.name = name.toString();
    service.url = parsed;
    // A name this version does not know is some other provider's (a newer version's, or one
    // a synced machine has): reading that page as a Statuspage would invent a state, and
    // saving would overwrite the name.
    service.provider = provider.isUndefined() ? std::optional(ProviderKind::Statuspage)
                                              : providerKindFromStoredName(provider.toString());

    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        const bool read = key == u"id" || key == u"name" || key == u"url" || key == u"components"
                          || (key == u"provider" && service.provider);
        if (!read)
            service.unread.insert(key, it.value());
    }

    const QJsonValue components = object.value(QLatin1String("components"));
    if (components.isArray()) {
        QStringList list;
        bool allText = true;
        const QJsonArray array = components.toArray();
        for (const QJsonValue &item : array) {
            if (!item.isString()) {
                allText = false;
                break;
            }
            list.append(item.toString());
        }
        if (allText)
            service.components = list;
    }
    return ServiceRecord{std::move(service), QString(), writtenID.has_value()};
}

QJsonObject Service::toJson() const
{
    QJsonObject object = unread;
    object.insert(QLatin1String("id"), uuidText(id));
    object.insert(QLatin1String("name"), name);
    object.insert(QLatin1String("url"), urlText());
    if (provider)
        object.insert(QLatin1String("provider"), storedName(*provider));
    if (components)
        object.insert(QLatin1String("components"), QJsonArray::fromStringList(*components));
    return object;
}

QString Service::providerName() const
{
    return provider ? storedName(*provider) : unread.value(QLatin1String("provider")).toString();
}

std::optional<QString> Service::uncheckedReason() const
{
    if (provider)
        return std::nullopt;
    return QCoreApplication::translate("Service", "Unknown provider \u201c%1\u201d (needs a newer Glinter)")
        .arg(providerName());
}

QString Service::urlText() const
{
    return url.toString(QUrl::FullyEncoded);
}
