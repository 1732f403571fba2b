#include "platform/processlimits.h"

#include <sys/resource.h>

void raiseOpenFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
        return;
    limit.rlim_cur = limit.rlim_max;
    // Best effort: with the old limit, checks past it fail one by one and say why.
    (void)::setrlimit(RLIMIT_NOFILE, &limit);
}
