// A real PHP judges the files the tests write: whether PHP accepts them, and
// which value each constant gets when the CMS includes them.
#pragma once

#include "testing/ShellCommand.h"

#include <map>
#include <string>

namespace kalmo::testing_support {

// Empty when `php -l` accepts the file, else what it said.
inline std::string phpSyntaxErrors(const std::string& path)
{
    const CommandResult lint = runShellCommand("php -n -l " + shellQuoted(path));
    return lint.succeeded() ? std::string() : lint.output;
}

// Every constant the file defines when included, with its value.
inline std::map<std::string, std::string> phpConstants(const std::string& path)
{
    static const char* const program
        = "ob_start(); include $argv[1]; ob_end_clean();"
          "foreach (get_defined_constants(true)['user'] ?? [] as $k => $v) echo $k, \"\\0\", $v, \"\\0\";";
    const CommandResult run = runShellCommand("php -n -r " + shellQuoted(program) + " " + shellQuoted(path));
    std::map<std::string, std::string> constants;
    std::size_t at = 0;
    while (at < run.output.size()) {
        const std::size_t nameEnd = run.output.find('\0', at);
        const std::size_t valueEnd = nameEnd == std::string::npos ? nameEnd : run.output.find('\0', nameEnd + 1);
        if (valueEnd == std::string::npos)
            break;
        constants[run.output.substr(at, nameEnd - at)] = run.output.substr(nameEnd + 1, valueEnd - nameEnd - 1);
        at = valueEnd + 1;
    }
    return constants;
}

} // namespace kalmo::testing_support
