// kalmo merge: a translation carried over to a new version of its source.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "job/EntryList.h"
#include "job/TranslationMerge.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "merge";
} // namespace

int runMerge(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 2, .maxFiles = 2, .takesOutput = true, .takesJson = false};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const std::string& sourcePath = args.files[0];
        const std::string& oldPath = args.files[1];
        const std::string outPath = args.output.value_or(translatedFilePath(sourcePath));
        const LanguageFile source = readLanguageFile(sourcePath);
        const LanguageFile old = readLanguageFile(oldPath);
        const TranslationMerge merge = mergeTranslation(source.lines, old.lines);
        writeLinesLike(source, outPath, merge.lines);

        for (const auto& constant : merge.carriedOver)
            std::cout << "carried over: " << constant.name << " (line " << constant.line + 1 << ")\n";
        for (const auto& constant : merge.added)
            std::cout << "new: " << constant.name << " (line " << constant.line + 1 << ")\n";
        for (const auto& constant : merge.dropped) {
            std::cout << "dropped: " << constant.name << " (" << fileNameOf(oldPath) << " line " << constant.line + 1
                      << "): no longer in the source\n";
        }
        std::cout << "written: " << outPath << " (" << merge.carriedOver.size() << " carried over, "
                  << merge.added.size() << " new, " << merge.dropped.size() << " dropped)\n";
        return kSuccess;
    });
}

} // namespace kalmo::cli
