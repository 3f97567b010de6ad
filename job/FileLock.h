// The lock file that tells a second program a language file is open here:
// ".~lock.NAME#" beside the file, the name office suites use, so that
// version-control ignore lists and file managers already pass over it. It
// holds the process id and the host name of the program that has the file,
// and when that process started.
#pragma once

#include "job/ProcessIdentity.h"

#include <optional>
#include <string>

namespace kalmo {

using LockHolder = ProcessIdentity;

// The lock file's path for a language file.
std::string lockPathFor(const std::string& path);

// The program that holds the file's lock, when it is another one that still
// runs. A lock of this process, or of a process gone from this host, does
// not count; neither does a file there that is not a lock of ours.
std::optional<LockHolder> otherLockHolder(const std::string& path);

// The lock this program holds, at most one; released when it goes.
class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { release(); }

    // Locks path in place of the file locked before, taking over a lock
    // whose process is gone. A lock of another running program stays its
    // own, to remove when it ends; a folder where no lock can be written, or
    // a file of another kind in the lock's place, gives no lock and no error.
    void take(const std::string& path);
    // Removes the lock file, unless another program has taken it over.
    void release();

private:
    std::string lockPath_; // empty while no lock is held
    std::string content_;
};

} // namespace kalmo
