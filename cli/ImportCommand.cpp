// kalmo import: translations made in another tool, written into the
// translated language file through the commit's own rebuild.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/PoFile.h"
#include "job/EntryList.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "import";
} // namespace

int runImport(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 2, .maxFiles = 2, .takesOutput = true, .takesJson = false};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const std::string& sourcePath = args.files[0];
        const std::string& poPath = args.files[1];
        const std::string outPath = args.output.value_or(translatedFilePath(sourcePath));
        const LanguageFile source = readLanguageFile(sourcePath);
        // The translation so far is the base; without one, the source is.
        const auto basePath = existingFile(outPath);
        const std::optional<LanguageFile> translated
            = basePath ? std::optional(readLanguageFile(*basePath)) : std::nullopt;
        const LanguageFile& base = translated ? *translated : source;
        const std::vector<ExchangeMessage> messages = readPoFile(poPath);

        const ExchangeImport imported
            = importMessages(source.lines, basePath.value_or(sourcePath), base.lines, messages);
        writeLinesLike(base, outPath, imported.lines);
        for (const Finding& finding : imported.findings)
            printFinding(finding, std::cerr);
        std::cout << "written: " << outPath << " (" << imported.written << " entries changed)\n";
        return imported.skippedAny() ? kProblemsFound : kSuccess;
    });
}

} // namespace kalmo::cli
