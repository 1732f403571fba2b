// The factories of a platform without desktop integration.
#include "platform/null/nullnotifications.h"
#include "platform/null/nullurlopener.h"

std::unique_ptr<Notifications> makeNotifications()
{
    return std::make_unique<NullNotifications>();
}

std::unique_ptr<UrlOpener> makeUrlOpener()
{
    return std::make_unique<NullUrlOpener>();
}
