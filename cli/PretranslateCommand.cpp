// kalmo pretranslate: every untranslated entry whose source text the
// translation memory holds takes its translation, as Tools > Fill from
// Memory does in the window program.
#include "base/KalmoError.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/CommandMemory.h"
#include "job/EntryList.h"
#include "job/TranslationLanguage.h"
#include "job/memory/MemoryEntries.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "pretranslate";
} // namespace

int runPretranslate(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1,
                              .maxFiles = 2,
                              .takesOutput = true,
                              .valueOptions = {"--lang"},
                              .requiredOptions = {"--lang"}};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const std::string language = normalizeLanguageTag(*args.value("--lang"));
        if (language.empty())
            throw UsageError("--lang \"" + *args.value("--lang") + "\" names no language; give a tag such as de");
        const SourceAndTranslation files = readSourceAndTranslation(args);
        const std::string outPath = args.output.value_or(files.translatedPath.value_or(translatedFilePath(files.sourcePath)));
        // The translation so far is the base; without one, the source is.
        const LanguageFile& base = files.translated ? *files.translated : files.source;
        UserMemory memory = commandMemory(kName, UserMemory::Missing::LeaveAlone);
        std::vector<ExchangeMessage> found;
        if (!memory.absent())
            useMemory(memory, [&](MemoryStore& store) {
                found = exactTranslationsFor(store, language, files.source.lines, base.lines);
            });
        const ExchangeImport filled = importMessages(files.source.lines, outPath, base.lines, found);
        writeLinesLike(base, outPath, filled.lines);
        for (const Finding& finding : filled.findings)
            printFinding(finding, std::cerr);
        std::cout << "written: " << outPath << " (" << filled.written << " entries filled from the memory)\n";
        return filled.skippedAny() ? kProblemsFound : kSuccess;
    });
}

} // namespace kalmo::cli
