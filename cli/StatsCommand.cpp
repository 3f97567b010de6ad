// kalmo stats: how far the translation of a language file has come.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "job/TranslationStats.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "stats";
} // namespace

int runStats(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1, .maxFiles = 2, .takesOutput = false, .takesJson = true};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const SourceAndTranslation files = readSourceAndTranslation(args);
        const std::string& sourcePath = files.sourcePath;
        const std::optional<std::string>& translatedPath = files.translatedPath;
        const TranslationStats stats = translationStats(files.source.lines, files.translatedLines());

        if (args.json) {
            std::cout << "{\n  \"source\": " << jsonString(sourcePath)
                      << ",\n  \"translation\": " << (translatedPath ? jsonString(*translatedPath) : "null")
                      << ",\n  \"entries\": " << stats.entries << ",\n  \"translated\": " << stats.translated
                      << ",\n  \"untranslated\": " << stats.untranslated << ",\n  \"other_lines\": " << stats.otherLines
                      << ",\n  \"not_rebuildable\": " << stats.notRebuildable << "\n}\n";
            return kSuccess;
        }
        std::cout << "source:          " << sourcePath << '\n'
                  << "translation:     " << translatedPath.value_or("(none yet)") << '\n'
                  << "entries:         " << stats.entries << '\n'
                  << "translated:      " << stats.translated << '\n'
                  << "untranslated:    " << stats.untranslated << '\n'
                  << "other lines:     " << stats.otherLines << '\n'
                  << "not rebuildable: " << stats.notRebuildable << '\n';
        return kSuccess;
    });
}

} // namespace kalmo::cli
