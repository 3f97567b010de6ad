// kalmo: the command-line companion of KALMO Translator. Each command lives
// in its own file; this one only finds it.
#include "app/VersionRecord.h"
#include "cli/Command.h"
#include "job/FileAccess.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace {

void printOverview(std::ostream& out)
{
    using kalmo::cli::commands;
    out << "Usage: ";
    const char* indent = "";
    for (const auto& command : commands()) {
        out << indent << "kalmo " << command.synopsis << '\n';
        indent = "       ";
    }
    out << indent << "kalmo COMMAND --help\n" << indent << "kalmo --version\n\n";
    std::size_t width = 0;
    for (const auto& command : commands())
        width = std::max(width, std::string(command.name).size());
    for (const auto& command : commands()) {
        const std::string name = command.name;
        out << "  " << name << std::string(width + 2 - name.size(), ' ') << command.summary << '\n';
    }
    out << "\nExit status: 0 on success, 1 when a check finds problems, 2 on errors.\n";
}

} // namespace

int main(int argc, char** argv)
{
    kalmo::reportFileSizeLimitAsError();
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h" || first == "help") {
        if (argc > 2) {
            for (const auto& command : kalmo::cli::commands()) {
                if (argv[2] == std::string(command.name)) {
                    kalmo::cli::printCommandHelp(command, std::cout);
                    return kalmo::cli::kSuccess;
                }
            }
        }
        printOverview(std::cout);
        return kalmo::cli::kSuccess;
    }
    if (first == "--version") {
        std::cout << "kalmo " << kalmo::ownVersionText() << '\n';
        return kalmo::cli::kSuccess;
    }
    for (const auto& command : kalmo::cli::commands()) {
        if (first == command.name)
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    if (!first.empty())
        std::cerr << "kalmo: unknown command \"" << first << "\"\n";
    printOverview(std::cerr);
    return kalmo::cli::kFailed;
}
