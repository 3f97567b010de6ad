// A real PHP judges the files the tests write: whether PHP accepts them, and
// which value each constant gets when the CMS includes them.
#pragma once

#include "testing/ShellCommand.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

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

// A line PHP's own tokenizer finds a define call on, with the constant's name.
struct PhpEntry {
    int line = 0; // 0-based
    std::string name;
    bool operator==(const PhpEntry&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PhpEntry& entry)
{
    return out << entry.line << ":" << entry.name;
}

// The entries of each file as PHP's tokenizer (token_get_all) sees them:
// each call of define (any letter case, or \define; not after "->", "?->",
// "::", "function", "new" or "#[") followed on its line by blanks, "(" and a
// quoted name. A line is one entry, named by its first such call; line 0 is
// never one. The short open tag is off. One PHP run for all the files.
inline std::map<std::string, std::vector<PhpEntry>> phpEntriesOfFiles(const std::vector<std::string>& paths)
{
    static const char* const program = R"PHP(
        foreach (array_slice($argv, 1) as $path) {
            echo "\f", $path, "\n";
            $t = token_get_all(file_get_contents($path));
            $significant = function ($i, $step) use ($t) {
                do { $i += $step; } while (isset($t[$i]) && is_array($t[$i])
                    && in_array($t[$i][0], [T_WHITESPACE, T_COMMENT, T_DOC_COMMENT]));
                return $i;
            };
            // Blanks only, on the same line.
            $afterBlanks = function ($i) use ($t) {
                $i++;
                if (isset($t[$i]) && is_array($t[$i]) && $t[$i][0] == T_WHITESPACE) {
                    if (strpbrk($t[$i][1], "\r\n") !== false) return -1;
                    $i++;
                }
                return $i;
            };
            $last = 0;
            foreach ($t as $i => $token) {
                if (!is_array($token) || !in_array(strtolower($token[1]), ['define', '\define'])
                    || !in_array($token[0], [T_STRING, T_NAME_FULLY_QUALIFIED])) continue;
                $before = $t[$significant($i, -1)] ?? null;
                if (is_array($before) && in_array($before[0], [T_OBJECT_OPERATOR, T_NULLSAFE_OBJECT_OPERATOR,
                        T_DOUBLE_COLON, T_FUNCTION, T_NEW, T_ATTRIBUTE])) continue;
                $open = $afterBlanks($i);
                if ($open < 0 || ($t[$open] ?? null) !== '(') continue;
                $name = $afterBlanks($open);
                if ($name < 0 || !is_array($t[$name] ?? null) || $t[$name][0] != T_CONSTANT_ENCAPSED_STRING) continue;
                if ($token[2] == 1 || $token[2] == $last) continue;
                $last = $token[2];
                echo $token[2] - 1, "\t", substr($t[$name][1], 1, -1), "\n";
            }
        }
    )PHP";
    std::string command = "php -n -d display_startup_errors=0 -d extension=tokenizer -d short_open_tag=0 -r "
                        + shellQuoted(program);
    for (const std::string& path : paths)
        command += " " + shellQuoted(path);
    // The tokenizer is a module of its own in most builds; a build that has
    // it already only warns, on standard error.
    const CommandResult run = runCommand(command + " 2>/dev/null");
    std::map<std::string, std::vector<PhpEntry>> entries;
    std::vector<PhpEntry>* file = &entries[""];
    std::size_t at = 0;
    while (at < run.output.size()) {
        const std::size_t end = std::min(run.output.find('\n', at), run.output.size());
        const std::string line = run.output.substr(at, end - at);
        at = end + 1;
        if (line.starts_with('\f')) {
            file = &entries[line.substr(1)];
            continue;
        }
        const std::size_t tab = line.find('\t');
        // Anything else PHP says makes the comparison fail with its words.
        file->push_back(tab == std::string::npos ? PhpEntry{-1, line}
                                                 : PhpEntry{std::stoi(line.substr(0, tab)), line.substr(tab + 1)});
    }
    return entries;
}

inline std::vector<PhpEntry> phpEntries(const std::string& path)
{
    auto entries = phpEntriesOfFiles({path});
    std::vector<PhpEntry> found = std::move(entries[path]);
    // What PHP said before any file, such as a failure to start.
    const std::vector<PhpEntry>& before = entries[""];
    found.insert(found.begin(), before.begin(), before.end());
    return found;
}

} // namespace kalmo::testing_support
