#include "providers/common/lenientjson.h"

#include "core/webaddress.h"

#include <QJsonArray>
#include <QTimeZone>

#include <cmath>

namespace LenientJson {

QUrl webAddress(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    return isWebAddress(url) ? url : QUrl();
}

QDateTime isoInstant(const QJsonValue &value)
{
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return {};
    QDateTime instant = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!instant.isValid())
        return {};
    if (instant.timeSpec() == Qt::LocalTime)
        instant.setTimeZone(QTimeZone::utc());
    return instant.toUTC();
}

QDateTime epochInstant(const QJsonValue &value, EpochUnit unit)
{
    double count = 0;
    if (value.isDouble()) {
        count = value.toDouble();
    } else if (value.isString()) {
        bool ok = false;
        count = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            return {};
    } else {
        return {};
    }
    const double milliseconds = unit == EpochUnit::Seconds ? count * 1000 : count;
    // About 31,700 years either side of 1970: far beyond any feed, well inside QDateTime.
    constexpr double limit = 1e15;
    if (!std::isfinite(milliseconds) || std::abs(milliseconds) > limit)
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(milliseconds), Qt::UTC);
}

std::optional<QList<QJsonObject>> objects(const QJsonObject &object, QStringView key)
{
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        return std::nullopt;
    QList<QJsonObject> list;
    const QJsonArray array = value.toArray();
    list.reserve(array.size());
    for (const QJsonValue &entry : array) {
        if (entry.isObject())
            list.append(entry.toObject());
    }
    return list;
}

QString text(const QJsonObject &object, QStringView key)
{
    return object.value(key).toString();
}

QDateTime instant(const QJsonObject &object, QStringView key)
{
    return isoInstant(object.value(key));
}

QUrl link(const QJsonObject &object, QStringView key)
{
    return webAddress(text(object, key));
}

} // namespace LenientJson
