// What every subcommand of kalmo is: a name, its help, and an entry point
// that takes its own arguments. main.cpp finds commands through this table.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kalmo::cli {

// Exit statuses shared by every command.
inline constexpr int kSuccess = 0;
inline constexpr int kProblemsFound = 1; // a check found something to fix
inline constexpr int kFailed = 2;        // bad arguments or a file that could not be read or written

struct Command {
    const char* name;
    const char* synopsis; // the usage line after "kalmo "
    const char* summary;  // one line for the overview
    const char* help;     // what `kalmo NAME --help` prints after the usage line
    int (*run)(const std::vector<std::string>& arguments);
};

// The commands in the order the overview lists them.
const std::vector<Command>& commands();
const Command& commandNamed(const std::string& name);
// "Usage: kalmo SYNOPSIS" and the command's help.
void printCommandHelp(const Command& command, std::ostream& out);

int runStats(const std::vector<std::string>& arguments);
int runCheck(const std::vector<std::string>& arguments);
int runMerge(const std::vector<std::string>& arguments);
int runExport(const std::vector<std::string>& arguments);
int runImport(const std::vector<std::string>& arguments);
int runScript(const std::vector<std::string>& arguments);
int runMemory(const std::vector<std::string>& arguments);
int runPretranslate(const std::vector<std::string>& arguments);

} // namespace kalmo::cli
