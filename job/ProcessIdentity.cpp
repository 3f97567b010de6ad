// Process ids and host names; see ProcessIdentity.h.
#include "job/ProcessIdentity.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace kalmo {
namespace {

// The fields of /proc/PID/stat after the program's name, which is in
// parentheses and may hold anything; empty when the process is not there.
std::string statAfterName(long processId)
{
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto nameEnd = line.rfind(')');
    return nameEnd == std::string::npos || nameEnd + 2 >= line.size() ? std::string() : line.substr(nameEnd + 2);
}

// The state letter ('R', 'S', 'Z', ...); 0 when unknown.
char processState(long processId)
{
    const std::string fields = statAfterName(processId);
    return fields.empty() ? 0 : fields[0];
}

// This boot of the system and the process's start time in clock ticks since
// it: together they name one process, where its id alone may be given to
// another one later (after a reboot, surely). Empty when unknown.
std::string startStamp(long processId)
{
    std::ifstream bootFile("/proc/sys/kernel/random/boot_id");
    std::string boot;
    std::getline(bootFile, boot);
    std::istringstream fields(statAfterName(processId));
    std::string field;
    // The start time is the 22nd field of the line, the 20th after the name.
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    if (boot.empty() || !fields || field.empty())
        return {};
    return boot + "/" + field;
}

} // namespace

ProcessIdentity thisProcess()
{
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    const long self = static_cast<long>(::getpid());
    return {self, host, startStamp(self)};
}

bool processIsGone(const ProcessIdentity& process)
{
    if (process.processId <= 0 || process.host != thisProcess().host)
        return false;
    if (::kill(static_cast<pid_t>(process.processId), 0) != 0)
        return errno == ESRCH;
    // A program killed a moment ago may linger as a zombie until its parent
    // collects it: it runs no more.
    if (processState(process.processId) == 'Z')
        return true;
    // The id may belong to another process by now.
    return !process.started.empty() && startStamp(process.processId) != process.started;
}

} // namespace kalmo
