// The translation memory of the `kalmo` commands; see CommandMemory.h.
#include "cli/CommandMemory.h"

#include "base/KalmoError.h"

#include <iostream>

namespace kalmo::cli {

UserMemory commandMemory(const std::string& commandName, UserMemory::Missing missing)
{
    UserMemory memory(userMemoryPath(), missing);
    memory.onProblem = [commandName](const std::string& message) {
        std::cout.flush();
        std::cerr << "kalmo " << commandName << ": " << errorReportText(message) << '\n';
    };
    return memory;
}

void useMemory(UserMemory& memory, const std::function<void(MemoryStore&)>& action)
{
    if (memory.path().empty())
        throw KalmoError("There is no folder for the translation memory: neither XDG_DATA_HOME nor HOME is set");
    if (!memory.use(action))
        throw KalmoError("The translation memory \"" + memory.path() + "\" cannot be used");
}

} // namespace kalmo::cli
