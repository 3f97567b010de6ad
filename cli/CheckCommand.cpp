// kalmo check: what to fix in a translated language file before the CMS
// loads it.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "job/TranslationCheck.h"

#include <iostream>

namespace kalmo::cli {
namespace {
const char* const kName = "check";
} // namespace

int runCheck(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{.minFiles = 1, .maxFiles = 2, .takesOutput = false, .takesJson = true};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const SourceAndTranslation files = readSourceAndTranslation(args);
        const std::string& sourcePath = files.sourcePath;
        const std::optional<std::string>& translatedPath = files.translatedPath;
        const std::vector<Finding> findings
            = checkTranslation({sourcePath, &files.source.lines}, {translatedPath.value_or(""), files.translatedLines()});

        int counts[3] = {0, 0, 0};
        for (const Finding& finding : findings)
            ++counts[static_cast<int>(finding.kind)];
        if (args.json) {
            std::cout << "{\n  \"source\": " << jsonString(sourcePath)
                      << ",\n  \"translation\": " << (translatedPath ? jsonString(*translatedPath) : "null")
                      << ",\n  \"errors\": " << counts[0] << ",\n  \"warnings\": " << counts[1]
                      << ",\n  \"notes\": " << counts[2] << ",\n  \"findings\": ";
            printFindingsJson(findings, std::cout);
            std::cout << "\n}\n";
        } else {
            for (const Finding& finding : findings)
                printFinding(finding, std::cout);
            std::cout << (translatedPath ? *translatedPath : sourcePath) << ": " << counts[0] << " errors, "
                      << counts[1] << " warnings, " << counts[2] << " notes\n";
        }
        return counts[0] + counts[1] > 0 ? kProblemsFound : kSuccess;
    });
}

} // namespace kalmo::cli
