#pragma once

// Lifts the soft limit on open files to the hard one. Every service on a host of its own
// holds a socket while it is checked and for a while after (Qt keeps idle connections for
// reuse), and the usual soft limit of 1,024 would turn the rest into "Out of resources"
// failures. Qt waits on sockets with poll(), never select(), so the higher limit is safe.
void raiseOpenFileLimit();

// Hands the memory freed since back to the system. A refresh holds a buffer for every
// transfer in flight at once; the allocator would keep those pages for the process, and a
// program that idles between refreshes should not look a refresh larger all day.
void returnFreedMemory();
