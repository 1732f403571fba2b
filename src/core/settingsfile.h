#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

// The settings file ($XDG_CONFIG_HOME/Glinter/Glinter.conf on Linux) under Settings' typed
// object (core/settings.h). Values are read on every use and never cached; a missing value, or one of the
// wrong type, reads as the caller's default.
namespace SettingsFile {

std::unique_ptr<QSettings> settings();

bool boolValue(const QString &key, bool fallback);
int intValue(const QString &key, int fallback);
double doubleValue(const QString &key, double fallback);
QString stringValue(const QString &key, const QString &fallback = {});
QStringList stringListValue(const QString &key);

void setValue(const QString &key, const QVariant &value);
void remove(const QString &key);

} // namespace SettingsFile
