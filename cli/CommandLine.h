// What the file commands share: their arguments, the language files they
// read and write, and how they report findings and failures.
#pragma once

#include "job/Finding.h"
#include "job/LanguageFile.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalmo::cli {

struct Command;

// Wrong arguments; the message says which, the command's usage follows it.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Arguments {
    std::vector<std::string> files;
    std::optional<std::string> output; // -o PATH, --output PATH
    bool json = false;
    bool help = false;
    // The command's own options that take a value ("--lang" -> "de").
    std::map<std::string, std::string> values;

    std::optional<std::string> value(const std::string& option) const
    {
        const auto found = values.find(option);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    // kalmo check's own: --ignore CONSTANT:CHECK (any number), --all, --spell LANG
    std::vector<std::string> ignore;
    bool all = false;
    std::optional<std::string> spell;
};

struct ArgumentRules {
    int minFiles = 1;
    int maxFiles = 1;
    bool takesOutput = false;
    bool takesJson = false;
    // Options of the form "--NAME VALUE" the command takes, and of those
    // the ones it cannot go without.
    std::vector<std::string> valueOptions = {};
    std::vector<std::string> requiredOptions = {};
    bool takesCheckOptions = false;
};

// Throws UsageError for an unknown option or a wrong number of files.
Arguments parseArguments(const std::vector<std::string>& arguments, const ArgumentRules& rules);

// Runs body with the command's arguments: --help prints the command's help;
// a UsageError or a KalmoError becomes a message on standard error and exit
// status 2.
int runCommand(const Command& command, const std::vector<std::string>& arguments, const ArgumentRules& rules,
               const std::function<int(const Arguments&)>& body);

// SOURCE [TRANSLATED] as the commands read them: the translated file given
// on the command line, else "Translated_" + the source's name beside it when
// that exists, else none.
struct SourceAndTranslation {
    std::string sourcePath;
    LanguageFile source;
    std::optional<std::string> translatedPath;
    std::optional<LanguageFile> translated;

    const LineList* translatedLines() const { return translated ? &translated->lines : nullptr; }
};
SourceAndTranslation readSourceAndTranslation(const Arguments& args);
// The path when something stands there.
std::optional<std::string> existingFile(const std::string& path);

// Writes lines in the encoding and with the line ends of model, keeping an
// existing file as ".bak".
void writeLinesLike(const LanguageFile& model, const std::string& path, const LineList& lines);

// "FILE:LINE: kind: message [check]" (no ":LINE" for a finding of no line,
// no "[check]" for one of no check).
void printFinding(const Finding& finding, std::ostream& out);
void printFindingsJson(const std::vector<Finding>& findings, std::ostream& out);
std::string jsonString(const std::string& text);

} // namespace kalmo::cli
