// Process ids and host names; see ProcessIdentity.h.
#include "job/ProcessIdentity.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

namespace kalmo {

ProcessIdentity thisProcess()
{
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    return {static_cast<long>(::getpid()), host};
}

bool processIsGone(const ProcessIdentity& process)
{
    if (process.processId <= 0 || process.host != thisProcess().host)
        return false;
    return ::kill(static_cast<pid_t>(process.processId), 0) != 0 && errno == ESRCH;
}

} // namespace kalmo
