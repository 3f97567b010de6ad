// A process id that no running process has: that of a child which ended and
// was waited for, as a program killed before its save leaves behind.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace kalmo::testing_support {

inline long goneProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<long>(child);
}

} // namespace kalmo::testing_support
