// kalmo export: the translation as a PO file for any other translation tool.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/PoFile.h"
#include "job/EntryList.h"

#include <algorithm>
#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "export";
} // namespace

int runExport(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1, .maxFiles = 2, .takesOutput = true, .takesJson = false};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        if (!args.output)
            throw UsageError("the PO file to write is missing (-o OUT.po)");
        const std::string& sourcePath = args.files[0];
        const auto translatedPath = translatedFileFor(sourcePath, args.files.size() > 1 ? std::optional(args.files[1])
                                                                                       : std::nullopt);
        const LanguageFile source = readLanguageFile(sourcePath);
        std::optional<LanguageFile> translated;
        if (translatedPath)
            translated = readLanguageFile(*translatedPath);
        const ExchangeExport exported
            = exportMessages(sourcePath, source.lines, translated ? &translated->lines : nullptr);
        writePoFile(*args.output, fileNameOf(sourcePath), exported.messages);

        for (const Finding& finding : exported.findings)
            printFinding(finding, std::cerr);
        const auto translatedCount = std::count_if(exported.messages.begin(), exported.messages.end(),
                                                   [](const ExchangeMessage& m) { return !m.translation.empty(); });
        std::cout << "written: " << *args.output << " (" << exported.messages.size() << " messages, "
                  << translatedCount << " translated)\n";
        return kSuccess;
    });
}

} // namespace kalmo::cli
