#include "core/service.h"

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

    Service service;
    const std::optional<QUuid> writtenID = parseUuid(object.value(QLatin1String("id")).toString());
    service.id = writtenID.value_or(QUuid::createUuid());
    service.name = name.toString();
    service.url = parsed;
    service.provider =
        providerKindFromRaw(object.value(QLatin1String("provider")).toString()).value_or(ProviderKind::Statuspage);

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
