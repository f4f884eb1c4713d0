// Children of a test process that end with it: a test killed by its time
// limit (SIGKILL) leaves no X server or program of its own behind.
#pragma once

#include <sys/prctl.h>
#include <signal.h>
#include <unistd.h>

// Call in the child between fork and exec, with the test process's pid
// taken before the fork: the child gets signal when the test process ends,
// and ends at once if it already has.
inline void endWithParent(pid_t parent, int signal) {
    prctl(PR_SET_PDEATHSIG, signal);
    if (getppid() != parent)
        _exit(0);
}
