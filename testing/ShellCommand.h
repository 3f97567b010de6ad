// Running a shell command from a test and reading what it prints, for the
// tests that judge our programs and their files from outside. The commands
// run with the test program's own user folders, never the real ones.
#pragma once

#include "testing/UserFolders.h"

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace kalmo::testing_support {

// The text between single quotes for a POSIX shell.
inline std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char ch : text)
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

// What a command printed on standard output and its exit status (-1 when it
// did not exit normally).
struct CommandResult {
    std::string output;
    int exitStatus = -1;
    bool succeeded() const { return exitStatus == 0; }
};

inline CommandResult runCommand(const std::string& command)
{
    useTemporaryUserFolders();
    CommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, count);
    const int status = ::pclose(pipe);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The same with standard error mixed into the output.
inline CommandResult runShellCommand(const std::string& command) { return runCommand(command + " 2>&1"); }

} // namespace kalmo::testing_support
