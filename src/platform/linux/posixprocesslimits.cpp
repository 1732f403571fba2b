#include "platform/processlimits.h"

#include <sys/resource.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

void raiseOpenFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
        return;
    limit.rlim_cur = limit.rlim_max;
    // Best effort: with the old limit, checks past it fail one by one and say why.
    (void)::setrlimit(RLIMIT_NOFILE, &limit);
}

void returnFreedMemory()
{
#ifdef __GLIBC__
    (void)::malloc_trim(0);
#endif
}
