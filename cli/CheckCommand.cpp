// kalmo check: what to fix in a translated language file before the CMS
// loads it.
#include "base/KalmoError.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "job/TranslationCheck.h"
#include "job/TranslationLanguage.h"
#include "job/checks/CheckNames.h"
#include "job/checks/SilencedFindings.h"
#include "spelling/EnchantDictionaries.h"

#include <iostream>
#include <memory>

namespace kalmo::cli {
namespace {
const char* const kName = "check";

// --ignore CONSTANT:CHECK, remembered for the checked file before the check runs.
void silenceAsAsked(const Arguments& args, const std::string& checkedPath)
{
    if (args.ignore.empty())
        return;
    SilencedFindings silenced = SilencedFindings::load();
    for (const std::string& wanted : args.ignore) {
        const std::size_t colon = wanted.rfind(':');
        const std::string check = colon == std::string::npos ? std::string() : wanted.substr(colon + 1);
        if (colon == 0 || !check::isKnown(check)) {
            std::string known;
            for (std::string_view id : check::kAll)
                known += (known.empty() ? "" : ", ") + std::string(id);
            throw UsageError("--ignore takes CONSTANT:CHECK with a CHECK of " + known + ", not \"" + wanted + "\"");
        }
        silenced.silence(checkedPath, wanted.substr(0, colon), check);
    }
}

std::unique_ptr<SpellingDictionary> dictionaryFor(const std::string& language, const EnchantDictionaries& dictionaries)
{
    auto dictionary = dictionaries.Open(normalizeLanguageTag(language));
    if (dictionary)
        return dictionary;
    std::string installed;
    for (const std::string& tag : dictionaries.Installed())
        installed += " " + tag;
    throw KalmoError("No spelling dictionary for \"" + language + "\" is installed ("
                     + (installed.empty() ? std::string("none is; Debian's are hunspell-de-de, hunspell-fr, ...")
                                          : "installed:" + installed)
                     + ")");
}

} // namespace

int runCheck(const std::vector<std::string>& arguments)
{
    const ArgumentRules rules{
        .minFiles = 1, .maxFiles = 2, .takesOutput = false, .takesJson = true, .takesCheckOptions = true};
    return runCommand(commandNamed(kName), arguments, rules, [](const Arguments& args) {
        const SourceAndTranslation files = readSourceAndTranslation(args);
        const std::string& sourcePath = files.sourcePath;
        const std::optional<std::string>& translatedPath = files.translatedPath;
        const std::string& checkedPath = translatedPath.value_or(sourcePath);
        silenceAsAsked(args, checkedPath);

        CheckOptions options{files.translated ? files.translated->encoding : files.source.encoding};
        std::unique_ptr<EnchantDictionaries> dictionaries;
        std::unique_ptr<SpellingDictionary> dictionary;
        if (args.spell) {
            dictionaries = std::make_unique<EnchantDictionaries>();
            dictionary = dictionaryFor(*args.spell, *dictionaries);
            options.dictionary = dictionary.get();
        }
        std::vector<Finding> findings = checkTranslation(
            {sourcePath, &files.source.lines}, {translatedPath.value_or(""), files.translatedLines()}, options);
        if (!args.all)
            findings = SilencedFindings::load().without(checkedPath, std::move(findings));

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
            std::cout << checkedPath << ": " << counts[0] << " errors, " << counts[1] << " warnings, " << counts[2]
                      << " notes\n";
        }
        return counts[0] + counts[1] > 0 ? kProblemsFound : kSuccess;
    });
}

} // namespace kalmo::cli
