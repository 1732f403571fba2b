#pragma once

#include <QObject>

#include <memory>

// Whether the system has a usable network path. Where the platform cannot tell, the
// network counts as present, so that checks are never skipped for lack of knowledge.
class Reachability : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool isOnline() const = 0;

Q_SIGNALS:
    // Emitted on every update the platform reports, changed or not.
    void updated(bool online);
};

std::unique_ptr<Reachability> makeReachability();
