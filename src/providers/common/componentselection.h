#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

// One part of a status page that a service can be narrowed to (a component, a monitor, an
// endpoint), or a heading that groups such parts, as the component picker lists them.
struct PageComponent {
    QString id;
    QString name;
    // The page's own word for the part's state; only its provider interprets it.
    QString status;
    // True for a group heading, which is never selected itself.
    std::optional<bool> group;
    // The id of the heading the part sits under.
    std::optional<QString> groupID;
    bool operator==(const PageComponent &) const = default;
};

// A part of the page as its provider judged it in this check.
struct PartState {
    QString id;
    QString name;
    // Unknown when the page gives no state the provider knows; the part then counts as missing.
    Indicator indicator = Indicator::Unknown;
    bool maintenance = false;
};

// An entry of a page's story with the ids of the parts it names (absent when it names none),
// so that a check of selected parts keeps only what concerns them.
template<class Entry>
struct Listed {
    Entry entry;
    std::optional<QStringList> componentIDs;
};

// How every provider that lets a service be narrowed to parts of its page judges that
// selection, so that the same choice reads the same on any platform.
class ComponentSelection
{
    Q_DECLARE_TR_FUNCTIONS(ComponentSelection)

public:
    // Providers whose parts are only up or down mark a down part Major; with this rule, a
    // selection whose every known part is down reads Critical, as the whole page would.
    enum class AllDown { Major, Critical };

    // The distinct ids the service is narrowed to; empty for the whole page.
    static QSet<QString> selected(const Service &service);

    // The result of the selected parts among `parts` (in the page's order): the worst of those
    // with a known state (the first among equals), described as "Name: Label", with the
    // incidents that concern the selection (the first one's name as the title). None found
    // fails as "Selected components not found"; a healthy selection with some missing says
    // how many; a failure tells no incidents. Maintenance windows are the provider's to add.
    static ServiceStatusResult evaluate(const Service &service, const QList<PartState> &parts,
                                        const QSet<QString> &selected, QList<Incident> incidents,
                                        AllDown allDown = AllDown::Major);

    // The entries that name one of the selected parts, in their order; every entry when the
    // selection is empty.
    template<class Entry>
    static QList<Entry> relevant(const QList<Listed<Entry>> &listed, const QSet<QString> &selected)
    {
        QList<Entry> entries;
        for (const Listed<Entry> &one : listed) {
            const QStringList ids = one.componentIDs.value_or(QStringList());
            if (selected.isEmpty()
                || std::any_of(ids.cbegin(), ids.cend(), [&](const QString &id) { return selected.contains(id); }))
                entries.append(one.entry);
        }
        return entries;
    }
};
