#include "core/service.h"

#include <QJsonArray>

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

std::optional<Service> Service::fromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();

    const QJsonValue name = object.value(QLatin1String("name"));
    const QJsonValue url = object.value(QLatin1String("url"));
    if (!name.isString() || !url.isString())
        return std::nullopt;
    const QString urlString = url.toString();
    QUrl parsed(urlString, QUrl::StrictMode);
    if (urlString.isEmpty() || !parsed.isValid())
        return std::nullopt;

    Service service;
    service.id = parseUuid(object.value(QLatin1String("id")).toString()).value_or(QUuid::createUuid());
    service.name = name.toString();
    service.url = parsed;
    service.provider = providerKindFromRaw(object.value(QLatin1String("provider")).toString())
                           .value_or(ProviderKind::Statuspage);

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
    return service;
}

QJsonObject Service::toJson() const
{
    QJsonObject object{
        {QLatin1String("id"), uuidText(id)},
        {QLatin1String("name"), name},
        {QLatin1String("url"), urlText()},
        {QLatin1String("provider"), rawValue(provider)},
    };
    if (components)
        object.insert(QLatin1String("components"), QJsonArray::fromStringList(*components));
    return object;
}

QString Service::urlText() const
{
    return url.toString(QUrl::FullyEncoded);
}
