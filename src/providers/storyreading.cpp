#include "providers/storyreading.h"

namespace StoryReading {

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
    QDateTime time = QDateTime::fromString(text(object, key), Qt::ISODateWithMs);
    if (!time.isValid())
        return {};
    // Qt reads a time without an offset as local time; feeds that leave it out mean UTC.
    if (time.timeSpec() == Qt::LocalTime)
        time.setTimeSpec(Qt::UTC);
    return time.toUTC();
}

QUrl link(const QJsonObject &object, QStringView key)
{
    const QUrl url(text(object, key), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != u"https" && url.scheme() != u"http"))
        return {};
    return url;
}

bool isShown(const Maintenance &window, const QDateTime &now)
{
    if (window.status == Maintenance::Status::InProgress)
        return true;
    if (!window.startsAt.isValid())
        return false;
    const bool over = window.endsAt.isValid() && window.endsAt <= now;
    return !over && window.startsAt <= now.addSecs(std::chrono::seconds(lookahead).count());
}

QList<Maintenance> shownWindows(const QList<Maintenance> &windows, const QDateTime &now)
{
    QList<Maintenance> shown;
    for (const Maintenance &window : windows) {
        if (isShown(window, now))
            shown.append(window);
    }
    return shown;
}

} // namespace StoryReading
