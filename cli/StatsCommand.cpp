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
        const std::string& sourcePath = args.files[0];
        const auto translatedPath = translatedFileFor(sourcePath, args.files.size() > 1 ? std::optional(args.files[1])
                                                                                       : std::nullopt);
        const LanguageFile source = readLanguageFile(sourcePath);
        std::optional<LanguageFile> translated;
        if (translatedPath)
            translated = readLanguageFile(*translatedPath);
        const TranslationStats stats = translationStats(source.lines, translated ? &translated->lines : nullptr);

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
