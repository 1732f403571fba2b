// The factories of a platform without desktop integration.
#include "platform/display.h"
#include "platform/null/nullloginitem.h"
#include "platform/null/nullnotifications.h"
#include "platform/null/nullpublicbus.h"
#include "platform/null/nullreachability.h"
#include "platform/null/nullstatusnotifieritem.h"
#include "platform/null/nullurlopener.h"
#include "platform/null/nullwindowplacement.h"
#include "platform/null/nullxembedtray.h"
#include "platform/processlimits.h"
#include "platform/terminationsignals.h"

std::unique_ptr<Notifications> makeNotifications(UrlOpener &)
{
    return std::make_unique<NullNotifications>();
}

std::unique_ptr<UrlOpener> makeUrlOpener()
{
    return std::make_unique<NullUrlOpener>();
}

std::unique_ptr<Reachability> makeReachability()
{
    return std::make_unique<NullReachability>();
}

std::unique_ptr<WakeObserver> makeWakeObserver()
{
    return std::make_unique<NullWakeObserver>();
}

std::unique_ptr<TerminationSignals> makeTerminationSignals()
{
    return std::make_unique<TerminationSignals>();
}

std::unique_ptr<LoginItem> makeLoginItem()
{
    return std::make_unique<NullLoginItem>();
}

std::unique_ptr<StatusNotifierItem> makeStatusNotifierItem()
{
    return std::make_unique<NullStatusNotifierItem>();
}

std::unique_ptr<XEmbedTray> makeXEmbedTray()
{
    return std::make_unique<NullXEmbedTray>();
}

std::unique_ptr<WindowPlacement> makeWindowPlacement(const QString &)
{
    return std::make_unique<NullWindowPlacement>();
}

bool x11DisplayReachable(const QString &display)
{
    return !display.isEmpty();
}

bool waylandDisplayReachable(const QString &display, const QString &)
{
    return !display.isEmpty();
}

void raiseOpenFileLimit()
{
}

void returnFreedMemory()
{
}

std::unique_ptr<PublicService> makePublicService()
{
    return std::make_unique<NullPublicService>();
}

std::unique_ptr<PublicServiceClient> makePublicServiceClient()
{
    return std::make_unique<NullPublicServiceClient>();
}
