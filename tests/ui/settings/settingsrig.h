#pragma once

#include "catalog/servicecatalog.h"
#include "ui/common/style.h"

#include "monitorrig.h"
#include "widgets.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

struct SettingsRig : MonitorRig {
    explicit SettingsRig(const QList<Service> &services = {})
        : MonitorRig(services)
    {
        // An empty file is seeded on start; these tests begin with exactly what they give.
        if (services.isEmpty()) {
            QSet<QUuid> all;
            for (const Service &service : monitor->services())
                all.insert(service.id);
            monitor->remove(all);
        }
    }

    QList<Service> saved() const { return monitor->store().read().services; }
};

// Names, group names and errors a file, a feed or a server could send, as markup.
inline const QString markupName = QStringLiteral(
    "<font color=#ff00ff size=7>X</font><a href='https://evil.example/'>click me</a><img "
    "src='/usr/share/pixmaps/x.png'>");

// Whether some label of `root` shows `text` exactly.
inline bool showsText(const QWidget &root, const QString &text)
{
    const QList<QLabel *> labels = root.findChildren<QLabel *>();
    return std::any_of(labels.cbegin(), labels.cend(), [&text](const QLabel *label) { return label->text() == text; });
}

// What the custom form's message line says in the error colour; nothing while it says no error.
inline std::optional<QString> shownError(const QWidget &form)
{
    const auto *line = child<QLabel>(form, "messageLine");
    if (line->palette().color(line->foregroundRole()) != Style::error(line->palette()))
        return std::nullopt;
    return line->text();
}

inline CatalogEntry catalogEntry(const QString &name)
{
    for (const CatalogEntry &entry : ServiceCatalog::all()) {
        if (entry.name == name)
            return entry;
    }
    qFatal("no catalog entry %s", qPrintable(name));
}

inline Service catalogService(const QString &name)
{
    const CatalogEntry entry = catalogEntry(name);
    return Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt};
}
