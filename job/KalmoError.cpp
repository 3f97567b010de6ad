#include "job/KalmoError.h"

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

std::string systemReason(int errorNumber)
{
    return std::strerror(errorNumber);
}

} // namespace kalmo
