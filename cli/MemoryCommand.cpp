// kalmo memory: the translation memory from the command line: filling it
// from translated files, exchanging it as TMX, and what it holds.
#include "app/VersionRecord.h"
#include "base/KalmoError.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/CommandMemory.h"
#include "job/EntryList.h"
#include "job/FileAccess.h"
#include "job/TranslationLanguage.h"
#include "job/memory/MemoryEntries.h"
#include "job/memory/Tmx.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>

namespace kalmo::cli {
namespace {

namespace fs = std::filesystem;

const char* const kName = "memory";

Command subcommand(const char* name, const char* synopsis, int (*run)(const std::vector<std::string>&))
{
    return {name, synopsis, "", commandNamed(kName).help, run};
}

std::string languageOption(const Arguments& args)
{
    const std::string given = args.value("--lang").value_or("");
    const std::string tag = normalizeLanguageTag(given);
    if (tag.empty())
        throw UsageError("--lang \"" + given + "\" names no language; give a tag such as de or pt_BR");
    return tag;
}

std::int64_t modificationTime(const std::string& path)
{
    std::error_code error;
    const auto written = fs::last_write_time(path, error);
    if (error)
        return static_cast<std::int64_t>(std::time(nullptr));
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

int runAdd(const std::vector<std::string>& arguments);
int runAddDir(const std::vector<std::string>& arguments);
int runExport(const std::vector<std::string>& arguments);
int runImportTmx(const std::vector<std::string>& arguments);
int runMemoryStats(const std::vector<std::string>& arguments);

const std::vector<Command>& subcommands()
{
    static const std::vector<Command> table = {
        subcommand("memory add", "memory add SOURCE [TRANSLATED] --lang LL", runAdd),
        subcommand("memory add-dir", "memory add-dir DIR --lang LL [--from NAME --to NAME]", runAddDir),
        subcommand("memory export", "memory export --lang LL [--source-lang LL] -o FILE.tmx", runExport),
        subcommand("memory import", "memory import FILE.tmx", runImportTmx),
        subcommand("memory stats", "memory stats", runMemoryStats),
    };
    return table;
}

const Command& subcommandNamed(const std::string& name)
{
    for (const Command& command : subcommands())
        if (name == command.name)
            return command;
    return commandNamed(kName);
}

int runAdd(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1, .maxFiles = 2, .valueOptions = {"--lang"}, .requiredOptions = {"--lang"}};
    return runCommand(subcommandNamed("memory add"), arguments, rules, [](const Arguments& args) {
        const std::string language = languageOption(args);
        const SourceAndTranslation files = readSourceAndTranslation(args);
        if (!files.translated)
            throw KalmoError("There is no translation of \"" + files.sourcePath + "\" beside it (\""
                             + translatedFilePath(files.sourcePath) + "\"); name the translated file");
        UserMemory memory = commandMemory("memory add");
        std::size_t added = 0;
        useMemory(memory, [&](MemoryStore& store) {
            added = addTranslatedFile(store, language, files.sourcePath, files.source.lines, *files.translatedPath,
                                      files.translated->lines, modificationTime(*files.translatedPath));
        });
        std::cout << "added: " << added << " records from " << *files.translatedPath << " (" << language << ")\n";
        return kSuccess;
    });
}

struct FilePair {
    std::string source;
    std::string translated;
};

// Every X.php with a Translated_X.php beside it, and with --from and --to
// every folder that holds both, in path order.
std::vector<FilePair> pairsIn(const std::string& folder, const std::optional<std::string>& from,
                              const std::optional<std::string>& to)
{
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw cannotOpenFile(folder, "It is not a folder");
    std::vector<FilePair> pairs;
    std::vector<fs::path> files;
    for (auto entry = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, error);
         !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        if (entry->is_regular_file(error))
            files.push_back(entry->path());
    }
    if (error)
        throw cannotOpenFile(folder, error.message());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        if (file.extension() != ".php" || name.starts_with(kTranslatedPrefix))
            continue;
        const fs::path translated = translatedFilePath(file.string());
        if (fs::exists(translated, error))
            pairs.push_back({file.string(), translated.string()});
        if (from && to && name == *from && fs::exists(file.parent_path() / *to, error))
            pairs.push_back({file.string(), (file.parent_path() / *to).string()});
    }
    return pairs;
}

int runAddDir(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1,
                              .maxFiles = 1,
                              .valueOptions = {"--lang", "--from", "--to"},
                              .requiredOptions = {"--lang"}};
    return runCommand(subcommandNamed("memory add-dir"), arguments, rules, [](const Arguments& args) {
        const std::string language = languageOption(args);
        const auto from = args.value("--from");
        const auto to = args.value("--to");
        if (from.has_value() != to.has_value())
            throw UsageError(from ? "--from needs --to" : "--to needs --from");
        const std::vector<FilePair> pairs = pairsIn(args.files[0], from, to);
        UserMemory memory = commandMemory("memory add-dir");
        std::size_t added = 0;
        int files = 0;
        int skipped = 0;
        useMemory(memory, [&](MemoryStore& store) {
            for (const FilePair& pair : pairs) {
                try {
                    const LanguageFile source = readLanguageFile(pair.source);
                    const LanguageFile translated = readLanguageFile(pair.translated);
                    added += addTranslatedFile(store, language, pair.source, source.lines, pair.translated,
                                               translated.lines, modificationTime(pair.translated));
                    ++files;
                } catch (const MemoryError&) {
                    throw;
                } catch (const KalmoError& error) {
                    std::cerr << "kalmo memory add-dir: skipped: " << errorReportText(error.what()) << '\n';
                    ++skipped;
                }
            }
        });
        std::cout << "added: " << added << " records from " << files << " translated files (" << language << ")\n";
        return skipped > 0 ? kProblemsFound : kSuccess;
    });
}

int runExport(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 0,
                              .maxFiles = 0,
                              .takesOutput = true,
                              .valueOptions = {"--lang", "--source-lang"},
                              .requiredOptions = {"--lang"}};
    return runCommand(subcommandNamed("memory export"), arguments, rules, [](const Arguments& args) {
        if (!args.output)
            throw UsageError("-o FILE.tmx is missing");
        const std::string language = languageOption(args);
        const std::string sourceLanguage = normalizeLanguageTag(args.value("--source-lang").value_or("en"));
        if (sourceLanguage.empty())
            throw UsageError("--source-lang names no language");
        UserMemory memory = commandMemory("memory export");
        std::vector<MemoryRecord> records;
        useMemory(memory, [&](MemoryStore& store) { records = store.records(language); });
        const TmxDocument document = tmxDocumentOf(records, sourceLanguage, ownVersionText());
        writeFileSafely(*args.output, document.text, Backup::Keep);
        std::cout << "written: " << *args.output << " (" << records.size() - static_cast<std::size_t>(document.skipped)
                  << " records in " << language << ")\n";
        if (document.skipped > 0)
            std::cerr << "kalmo memory export: " << document.skipped
                      << " records left out: their texts hold characters XML cannot hold\n";
        return document.skipped > 0 ? kProblemsFound : kSuccess;
    });
}

int runImportTmx(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1, .maxFiles = 1};
    return runCommand(subcommandNamed("memory import"), arguments, rules, [](const Arguments& args) {
        const std::string& path = args.files[0];
        const TmxContent content = readTmx(readWholeFile(path), path, static_cast<std::int64_t>(std::time(nullptr)));
        UserMemory memory = commandMemory("memory import");
        useMemory(memory, [&](MemoryStore& store) { store.add(content.records); });
        std::map<std::string, int> perLanguage;
        for (const MemoryRecord& record : content.records)
            ++perLanguage[record.language];
        std::cout << "imported: " << content.records.size() << " records from " << path;
        const char* separator = " (";
        for (const auto& [language, count] : perLanguage) {
            std::cout << separator << language << ": " << count;
            separator = ", ";
        }
        std::cout << (perLanguage.empty() ? "" : ")") << '\n';
        if (content.skipped > 0)
            std::cerr << "kalmo memory import: " << content.skipped
                      << " translations left out: no language tag or an empty text\n";
        return kSuccess;
    });
}

int runMemoryStats(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 0, .maxFiles = 0};
    return runCommand(subcommandNamed("memory stats"), arguments, rules, [](const Arguments&) {
        UserMemory memory = commandMemory("memory stats", UserMemory::Missing::LeaveAlone);
        std::cout << "memory:           " << (memory.path().empty() ? "(no data folder)" : memory.path()) << '\n';
        std::vector<LanguageCount> languages;
        std::int64_t files = 0;
        if (!memory.absent())
            useMemory(memory, [&](MemoryStore& store) {
                languages = store.languages();
                files = store.translatedFileCount();
            });
        std::int64_t records = 0;
        for (const LanguageCount& language : languages)
            records += language.records;
        std::cout << "records:          " << records << '\n';
        for (const LanguageCount& language : languages)
            std::cout << "  " << language.language << ":" << std::string(16 - std::min<std::size_t>(language.language.size(), 14), ' ')
                      << language.records << '\n';
        std::cout << "translated files: " << files << '\n';
        return kSuccess;
    });
}

} // namespace

int runMemory(const std::vector<std::string>& arguments)
{
    const std::string first = arguments.empty() ? std::string() : arguments.front();
    if (first.empty() || first == "--help" || first == "-h") {
        printCommandHelp(commandNamed(kName), first.empty() ? std::cerr : std::cout);
        return first.empty() ? kFailed : kSuccess;
    }
    for (const Command& command : subcommands()) {
        if (command.name == std::string(kName) + " " + first)
            return command.run(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    }
    std::cerr << "kalmo memory: unknown command \"" << first << "\"\n";
    printCommandHelp(commandNamed(kName), std::cerr);
    return kFailed;
}

} // namespace kalmo::cli
