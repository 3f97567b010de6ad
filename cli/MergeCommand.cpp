// kalmo merge: a translation carried over to a new version of its source.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/CommandMemory.h"
#include "job/EntryList.h"
#include "job/TranslationMerge.h"
#include "job/memory/MemoryEntries.h"

#include <iostream>
#include <map>

namespace kalmo::cli {
namespace {
const char* const kName = "merge";

// Prints the constants carried over whose source text changed between the
// old source and the new one, and how many there are. The memory records
// the old texts as what the translations were made from, so the window
// program and `kalmo stats` find those entries to review.
std::size_t reportChangedSources(const TranslationMerge& merge, const LanguageFile& source,
                                 const LanguageFile& oldSource, const std::string& outPath)
{
    const std::map<std::string, std::string> oldTexts = sourceTexts(oldSource.lines);
    const std::map<std::string, std::string> newTexts = sourceTexts(source.lines);
    std::map<std::string, std::string> origins;
    std::size_t changed = 0;
    for (const MergedConstant& constant : merge.carriedOver) {
        const auto old = oldTexts.find(constant.name);
        if (old == oldTexts.end())
            continue;
        origins.emplace(constant.name, old->second);
        const auto now = newTexts.find(constant.name);
        if (now != newTexts.end() && now->second != old->second) {
            std::cout << "source changed: " << constant.name << " (line " << constant.line + 1 << ")\n";
            ++changed;
        }
    }
    UserMemory memory = commandMemory(kName);
    memory.use([&](MemoryStore& store) { store.setOrigins(memoryFileKey(outPath), origins); });
    return changed;
}

} // namespace

int runMerge(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{
        .minFiles = 2, .maxFiles = 2, .takesOutput = true, .takesJson = false, .valueOptions = {"--old-source"}};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const std::string& sourcePath = args.files[0];
        const std::string& oldPath = args.files[1];
        const std::string outPath = args.output.value_or(translatedFilePath(sourcePath));
        const LanguageFile source = readLanguageFile(sourcePath);
        const LanguageFile old = readLanguageFile(oldPath);
        // Read before anything is written: a wrong old source leaves the
        // translated file as it was.
        const std::optional<LanguageFile> oldSource
            = args.value("--old-source") ? std::optional(readLanguageFile(*args.value("--old-source"))) : std::nullopt;
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
        const std::size_t changed
            = oldSource ? reportChangedSources(merge, source, *oldSource, outPath) : 0;
        std::cout << "written: " << outPath << " (" << merge.carriedOver.size() << " carried over, "
                  << merge.added.size() << " new, " << merge.dropped.size() << " dropped"
                  << (oldSource ? ", " + std::to_string(changed) + " source changed" : "") << ")\n";
        return kSuccess;
    });
}

} // namespace kalmo::cli
