// Which program left a file behind, and whether it still runs: files named
// or stamped with a process id and host are ours to clean up or to offer
// back only once that process is gone.
#pragma once

#include <string>

namespace kalmo {

struct ProcessIdentity {
    long processId = 0;
    std::string host;
};

ProcessIdentity thisProcess();

// True only when the process ran on this host and no process of that id
// exists any more, or only as a zombie its parent has not collected yet. A process on another host, or one this user may not
// signal, counts as running: nothing of it is touched.
bool processIsGone(const ProcessIdentity& process);

} // namespace kalmo
