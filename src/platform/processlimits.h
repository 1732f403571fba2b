#pragma once

// Lifts the soft limit on open files to the hard one. Every service on a host of its own
// holds a socket while it is checked and for a while after (Qt keeps idle connections for
// reuse), and the usual soft limit of 1,024 would turn the rest into "Out of resources"
// failures. Qt waits on sockets with poll(), never select(), so the higher limit is safe.
void raiseOpenFileLimit();
