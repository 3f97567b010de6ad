// Arguments, language files and reports shared by the file commands; see CommandLine.h.
#include "cli/CommandLine.h"

#include "base/KalmoError.h"
#include "cli/Command.h"
#include "job/EntryList.h"
#include "job/FileAccess.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace kalmo::cli {

Arguments parseArguments(const std::vector<std::string>& arguments, const ArgumentRules& rules)
{
    Arguments parsed;
    bool optionsEnded = false;
    const auto valueOf = [&](std::size_t& i, const char* what) {
        if (i + 1 >= arguments.size())
            throw UsageError(arguments[i] + " needs " + what);
        return arguments[++i];
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            parsed.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--json" && rules.takesJson) {
            parsed.json = true;
        } else if ((argument == "-o" || argument == "--output") && rules.takesOutput) {
            if (parsed.output)
                throw UsageError("only one " + argument + " is allowed");
            parsed.output = valueOf(i, "a file name");
        } else if (std::find(rules.valueOptions.begin(), rules.valueOptions.end(), argument)
                   != rules.valueOptions.end()) {
            const std::string option = argument;
            if (!parsed.values.emplace(option, valueOf(i, "a value")).second)
                throw UsageError("only one " + option + " is allowed");
        } else if (argument == "--ignore" && rules.takesCheckOptions) {
            parsed.ignore.push_back(valueOf(i, "CONSTANT:CHECK"));
        } else if (argument == "--spell" && rules.takesCheckOptions) {
            parsed.spell = valueOf(i, "a language such as de_DE");
        } else if (argument == "--all" && rules.takesCheckOptions) {
            parsed.all = true;
        } else {
            throw UsageError("unknown option \"" + argument + "\"");
        }
    }
    if (parsed.help)
        return parsed;
    for (const std::string& option : rules.requiredOptions)
        if (!parsed.values.contains(option))
            throw UsageError(option + " is missing");
    const int count = static_cast<int>(parsed.files.size());
    if (count < rules.minFiles)
        throw UsageError("too few file names");
    if (count > rules.maxFiles)
        throw UsageError("too many file names (\"" + parsed.files[static_cast<std::size_t>(rules.maxFiles)] + "\")");
    return parsed;
}

void printCommandHelp(const Command& command, std::ostream& out)
{
    out << "Usage: kalmo " << command.synopsis << "\n\n" << command.help;
}

int runCommand(const Command& command, const std::vector<std::string>& arguments, const ArgumentRules& rules,
               const std::function<int(const Arguments&)>& body)
{
    try {
        const Arguments parsed = parseArguments(arguments, rules);
        if (parsed.help) {
            printCommandHelp(command, std::cout);
            return kSuccess;
        }
        return body(parsed);
    } catch (const UsageError& error) {
        std::cerr << "kalmo " << command.name << ": " << error.what() << "\nUsage: kalmo " << command.synopsis
                  << "\nTry \"kalmo " << command.name << " --help\".\n";
    } catch (const KalmoError& error) {
        std::cout.flush();
        std::cerr << "kalmo " << command.name << ": " << errorReportText(error.what()) << '\n';
    }
    return kFailed;
}

SourceAndTranslation readSourceAndTranslation(const Arguments& args)
{
    SourceAndTranslation files;
    files.sourcePath = args.files[0];
    files.translatedPath
        = args.files.size() > 1 ? std::optional(args.files[1]) : existingFile(translatedFilePath(files.sourcePath));
    files.source = readLanguageFile(files.sourcePath);
    if (files.translatedPath)
        files.translated = readLanguageFile(*files.translatedPath);
    return files;
}

std::optional<std::string> existingFile(const std::string& path)
{
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored))
        return path;
    return std::nullopt;
}

void writeLinesLike(const LanguageFile& model, const std::string& path, const LineList& lines)
{
    writeLanguageFile(path, lines, model.lineEnds, model.encoding, model.byteOrderMark, Backup::Keep);
}

void printFinding(const Finding& finding, std::ostream& out)
{
    out << finding.file;
    if (finding.line > 0)
        out << ':' << finding.line;
    out << ": " << kindName(finding.kind) << ": " << finding.message;
    if (!finding.check.empty())
        out << " [" << finding.check << ']';
    out << '\n';
}

std::string jsonString(const std::string& text)
{
    std::string json = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(ch));
                json += escaped;
            } else {
                json += ch;
            }
        }
    }
    return json + "\"";
}

void printFindingsJson(const std::vector<Finding>& findings, std::ostream& out)
{
    out << '[';
    const char* separator = "";
    for (const Finding& finding : findings) {
        out << separator << "\n    {\"file\": " << jsonString(finding.file) << ", \"line\": " << finding.line
            << ", \"kind\": " << jsonString(kindName(finding.kind)) << ", \"check\": " << jsonString(finding.check)
            << ", \"constant\": " << jsonString(finding.constant) << ", \"message\": " << jsonString(finding.message)
            << '}';
        separator = ",";
    }
    out << (findings.empty() ? "]" : "\n  ]");
}

} // namespace kalmo::cli
