#pragma once

#include "monitor/statusmonitor.h"

// A monitor over `store` that the benchmark drives itself: no timer, no watching of the
// services file, and nothing written back.
inline StatusMonitor::Setup drivenMonitorSetup(const ServiceStore &store)
{
    StatusMonitor::Setup setup(store);
    setup.watchFile = false;
    setup.readOnly = true;
    setup.autoRefresh = false;
    return setup;
}
