// Process ids and host names; see ProcessIdentity.h.
#include "job/ProcessIdentity.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fstream>
#include <string>
#include <unistd.h>

namespace kalmo {
namespace {

// The state letter of /proc/PID/stat ('R', 'S', 'Z', ...); 0 when unknown.
char processState(long processId)
{
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string line;
    std::getline(stat, line);
    // The name in parentheses may hold anything; the state follows its end.
    const auto nameEnd = line.rfind(')');
    return nameEnd == std::string::npos || nameEnd + 2 >= line.size() ? 0 : line[nameEnd + 2];
}

} // namespace

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
    if (::kill(static_cast<pid_t>(process.processId), 0) != 0)
        return errno == ESRCH;
    // A program killed a moment ago may linger as a zombie until its parent
    // collects it: it runs no more.
    return processState(process.processId) == 'Z';
}

} // namespace kalmo
