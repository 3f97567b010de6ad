// kalmo stats: how far the translation of a language file has come.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/CommandMemory.h"
#include "job/TranslationStats.h"
#include "job/memory/MemoryEntries.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "stats";

// Translated entries whose source text changed since their translation was
// made, as far as the translation memory knows.
std::size_t entriesToReview(const SourceAndTranslation& files)
{
    UserMemory memory = commandMemory(kName, UserMemory::Missing::LeaveAlone);
    if (!files.translated || memory.absent())
        return 0;
    std::size_t count = 0;
    memory.use([&](MemoryStore& store) {
        count = changedSources(store.origins(memoryFileKey(*files.translatedPath)), files.source.lines,
                               files.translated->lines)
                    .size();
    });
    return count;
}

} // namespace

int runStats(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1, .maxFiles = 2, .takesOutput = false, .takesJson = true};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const SourceAndTranslation files = readSourceAndTranslation(args);
        const std::string& sourcePath = files.sourcePath;
        const std::optional<std::string>& translatedPath = files.translatedPath;
        const TranslationStats stats = translationStats(files.source.lines, files.translatedLines());
        const std::size_t toReview = entriesToReview(files);

        if (args.json) {
            std::cout << "{\n  \"source\": " << jsonString(sourcePath)
                      << ",\n  \"translation\": " << (translatedPath ? jsonString(*translatedPath) : "null")
                      << ",\n  \"entries\": " << stats.entries << ",\n  \"translated\": " << stats.translated
                      << ",\n  \"untranslated\": " << stats.untranslated << ",\n  \"other_lines\": " << stats.otherLines
                      << ",\n  \"not_rebuildable\": " << stats.notRebuildable << ",\n  \"to_review\": " << toReview
                      << "\n}\n";
            return kSuccess;
        }
        std::cout << "source:          " << sourcePath << '\n'
                  << "translation:     " << translatedPath.value_or("(none yet)") << '\n'
                  << "entries:         " << stats.entries << '\n'
                  << "translated:      " << stats.translated << '\n'
                  << "untranslated:    " << stats.untranslated << '\n'
                  << "other lines:     " << stats.otherLines << '\n'
                  << "not rebuildable: " << stats.notRebuildable << '\n'
                  << "to review:       " << toReview << '\n';
        return kSuccess;
    });
}

} // namespace kalmo::cli
