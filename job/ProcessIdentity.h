// Which program left a file behind, and whether it still runs: files named
// or stamped with a process id and host are ours to clean up or to offer
// back only once that process is gone.
#pragma once

#include <string>

namespace kalmo {

struct ProcessIdentity {
    long processId = 0;
    std::string host;
    // When the process started, in this boot of its host; empty when not
    // known (then the id alone decides).
    std::string started;
};

ProcessIdentity thisProcess();

// True only when the process ran on this host and no process of that id
// exists any more, exists only as a zombie its parent has not collected
// yet, or is another process that was given the id since (it started at
// another time, or the host was restarted). A process on another host, or one this user may not
// signal, counts as running: nothing of it is touched.
bool processIsGone(const ProcessIdentity& process);

} // namespace kalmo
