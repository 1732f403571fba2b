#pragma once

#include "core/service.h"
#include "providers/common/componentselection.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <QUuid>

#include <cstddef>
#include <cstdint>

// Shared by the fuzz targets. The parsers need no QCoreApplication; none is made.
namespace FuzzSupport {

// A view of libFuzzer's buffer; the parsers copy whatever they keep.
inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline Service service(ProviderKind kind)
{
    return Service{QUuid(), QStringLiteral("Fuzzed"), QUrl(QStringLiteral("https://status.example.com")), kind,
                   std::nullopt};
}

// The service narrowed to every other part the page lists (headings included, which a
// hand edit could name) and one the page does not, so that a selection's judging and its
// story filter see what the page gave.
inline Service narrowed(ProviderKind kind, const QList<PageComponent> &parts)
{
    QStringList chosen{QStringLiteral("missing")};
    for (qsizetype i = 0; i < parts.size(); i += 2)
        chosen.append(parts.at(i).id);
    Service narrowed = service(kind);
    narrowed.components = chosen;
    return narrowed;
}

// A fixed check time keeps runs reproducible.
inline QDateTime checkTime()
{
    return QDateTime(QDate(2026, 11, 30), QTime(12, 0), QTimeZone::utc());
}

} // namespace FuzzSupport
