#pragma once

#include <QList>
#include <QString>

// The AWS regions the region picker offers, grouped. The user's selection of them (the
// Settings' awsRegions) narrows the AWS provider to events of those regions.
namespace AWSRegions {

struct Region {
    QString code;
    QString name;
    bool operator==(const Region &) const = default;
};

struct Group {
    QString title; // English; QCoreApplication::translate("AWSRegions", …) for people
    QList<Region> regions;
    bool operator==(const Group &) const = default;
};

// The fixed table, built once.
const QList<Group> &groups();

} // namespace AWSRegions
