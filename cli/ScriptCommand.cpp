// kalmo script: one translation job driven by commands on standard input.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/ScriptSession.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "script";
} // namespace

int runScript(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 0, .maxFiles = 0, .takesOutput = false, .takesJson = false};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments&) {
        ScriptSession session(std::cout);
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!session.run(line))
                return kSuccess;
            std::cout.flush();
        }
        return kSuccess;
    });
}

} // namespace kalmo::cli
