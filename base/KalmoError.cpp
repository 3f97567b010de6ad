// The program's one error type and its message templates; see KalmoError.h.
#include "base/KalmoError.h"

#include <cstring>

namespace kalmo {

KalmoError cannotOpenFile(const std::string& path, const std::string& reason)
{
    return KalmoError("Cannot open file \"" + path + "\". " + reason);
}

KalmoError cannotCreateFile(const std::string& path, const std::string& reason)
{
    return KalmoError("Cannot create file \"" + path + "\". " + reason);
}

std::string errorReportText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) <= '.')
        return message;
    return message + '.';
}

std::string systemReason(int errorNumber)
{
    return std::strerror(errorNumber);
}

} // namespace kalmo
