#pragma once

#include <QList>
#include <QSet>
#include <QString>

// The AWS regions the region picker offers, grouped, and the user's selection, which
// narrows the AWS reader to events of those regions.
namespace AWSRegionFilter {

struct Region {
    QString code;
    QString name;
    bool operator==(const Region &) const = default;
};

struct Group {
    QString title;
    QList<Region> regions;
    bool operator==(const Group &) const = default;
};

// The fixed table, built once.
const QList<Group> &groups();

// The preferences key holding the selected codes.
QString preferencesKey();

// The selected region codes; empty means every region counts. Read on every call.
QSet<QString> selected();

// Stores the codes sorted ascending, replacing the previous selection.
void setSelected(const QSet<QString> &codes);

} // namespace AWSRegionFilter
