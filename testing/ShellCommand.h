// Running a shell command from a test and reading what it prints, for the
// tests that judge our programs and their files from outside.
#pragma once

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

// Environment assignments to put before a command, so that the program keeps
// its settings, data and state inside folder, away from the user's own.
inline std::string privateXdgFolders(const std::string& folder)
{
    return "XDG_CONFIG_HOME=" + shellQuoted(folder + "/.config") + " XDG_DATA_HOME="
         + shellQuoted(folder + "/.local/share") + " XDG_STATE_HOME=" + shellQuoted(folder + "/.local/state") + " ";
}

// The same with standard error mixed into the output.
inline CommandResult runShellCommand(const std::string& command) { return runCommand(command + " 2>&1"); }

} // namespace kalmo::testing_support
