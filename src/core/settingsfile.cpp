#include "core/settingsfile.h"

#include <QVariant>

#include <cmath>

namespace SettingsFile {

std::unique_ptr<QSettings> settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Glinter"),
                                       QStringLiteral("Glinter"));
}

namespace {

// The native format on Linux stores every scalar as text, so typed values come back as
// strings; both the typed and the textual form are accepted, nothing else.
QVariant raw(const QString &key)
{
    return settings()->value(key);
}

} // namespace

bool boolValue(const QString &key, bool fallback)
{
    const QVariant value = raw(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text == u"true")
            return true;
        if (text == u"false")
            return false;
    }
    return fallback;
}

int intValue(const QString &key, int fallback)
{
    const QVariant value = raw(key);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt: {
        bool ok = false;
        const int number = value.toInt(&ok);
        return ok ? number : fallback;
    }
    case QMetaType::QString: {
        bool ok = false;
        const int number = value.toString().toInt(&ok);
        return ok ? number : fallback;
    }
    default:
        return fallback;
    }
}

double doubleValue(const QString &key, double fallback)
{
    const QVariant value = raw(key);
    bool ok = false;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        number = value.toDouble(&ok);
        break;
    case QMetaType::QString:
        number = value.toString().toDouble(&ok);
        break;
    default:
        break;
    }
    return ok && std::isfinite(number) ? number : fallback;
}

QString stringValue(const QString &key, const QString &fallback)
{
    const QVariant value = raw(key);
    return value.typeId() == QMetaType::QString ? value.toString() : fallback;
}

QStringList stringListValue(const QString &key)
{
    const QVariant value = raw(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    // A one-element list comes back from the text format as a plain string.
    if (value.typeId() == QMetaType::QString && !value.toString().isEmpty())
        return {value.toString()};
    if (value.typeId() == QMetaType::QVariantList) {
        QStringList list;
        const QVariantList items = value.toList();
        for (const QVariant &item : items) {
            if (item.typeId() != QMetaType::QString)
                return {};
            list.append(item.toString());
        }
        return list;
    }
    return {};
}

void setValue(const QString &key, const QVariant &value)
{
    settings()->setValue(key, value);
}

void remove(const QString &key)
{
    settings()->remove(key);
}

} // namespace SettingsFile
