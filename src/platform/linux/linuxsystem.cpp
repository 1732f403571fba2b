// The factories of the Linux system signals.
#include "platform/linux/logindwakeobserver.h"
#include "platform/linux/networkreachability.h"

std::unique_ptr<Reachability> makeReachability()
{
    return std::make_unique<NetworkReachability>();
}

std::unique_ptr<WakeObserver> makeWakeObserver()
{
    return std::make_unique<LogindWakeObserver>();
}
