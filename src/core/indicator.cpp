#include "core/indicator.h"

#include <QCoreApplication>

const QList<Indicator> &allIndicators()
{
    static const QList<Indicator> all{Indicator::Unknown, Indicator::None, Indicator::Minor, Indicator::Major,
                                      Indicator::Critical};
    return all;
}

std::optional<Indicator> indicatorFromStoredNumber(int raw)
{
    if (raw < -1 || raw > 3)
        return std::nullopt;
    return static_cast<Indicator>(raw);
}

QString label(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return QCoreApplication::translate("Indicator", "All Systems Operational");
    case Indicator::Minor:
        return QCoreApplication::translate("Indicator", "Degraded Performance");
    case Indicator::Major:
        return QCoreApplication::translate("Indicator", "Partial Outage");
    case Indicator::Critical:
        return QCoreApplication::translate("Indicator", "Major Outage");
    case Indicator::Unknown:
        break;
    }
    return QCoreApplication::translate("Indicator", "Unreachable");
}

QString indicatorName(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return QStringLiteral("none");
    case Indicator::Minor:
        return QStringLiteral("minor");
    case Indicator::Major:
        return QStringLiteral("major");
    case Indicator::Critical:
        return QStringLiteral("critical");
    case Indicator::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

Indicator indicatorFromStatuspageWord(const QString &word)
{
    const QString lower = word.toLower();
    if (lower == u"none")
        return Indicator::None;
    if (lower == u"minor" || lower == u"maintenance")
        return Indicator::Minor;
    if (lower == u"major")
        return Indicator::Major;
    if (lower == u"critical")
        return Indicator::Critical;
    return Indicator::Unknown;
}

QString stateColorName(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return QStringLiteral("#2eb84b");
    case Indicator::Minor:
        return QStringLiteral("#e8b100");
    case Indicator::Major:
        return QStringLiteral("#f58400");
    case Indicator::Critical:
        return QStringLiteral("#eb3b30");
    case Indicator::Unknown:
        break;
    }
    return QStringLiteral("#8e8e93");
}
