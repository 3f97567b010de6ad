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
        const SourceAndTranslation files = readSourceAndTranslation(args);
        const std::string& sourcePath = files.sourcePath;
        const ExchangeExport exported
            = exportMessages(sourcePath, files.source.lines, files.translatedLines());
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
