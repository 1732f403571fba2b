#pragma once

#include "platform/wakeobserver.h"

// Wake-ups from logind's PrepareForSleep(false) on the system bus; without a system bus
// (containers, other init systems) it never reports anything.
class LogindWakeObserver final : public WakeObserver
{
    Q_OBJECT

public:
    explicit LogindWakeObserver(QObject *parent = nullptr);

private Q_SLOTS:
    void onPrepareForSleep(bool sleeping);
};
