// Generated language files of any size for the benchmarks, written once per
// run into a temporary folder.
#pragma once

#include "testing/TempFolder.h"

#include <array>
#include <map>
#include <string>
#include <utility>

namespace kalmo::bench {

// Texts of the kind a CMS language file holds, escapes and non-ASCII included.
inline constexpr std::array kTexts = {
    "Save",
    "You are not authorised to view this resource.",
    "Don\\'t forget to log out",
    "Het bestand is opgeslagen in de map %s",
    "Café, crème brûlée and naïve façades",
    "<strong>Warning:</strong> this cannot be undone!",
    "Number of items per page",
    "Search results for \"%s\" (%d found)",
    "",
    "Please select a category before you continue with the next step of the wizard, or press Cancel.",
};

// A PHP header and comment block, then sections of defines between comments,
// blank lines and the odd other statement: about one define per two lines.
// With firstEntryAtMiddle the first half's defines have an unquoted name, so
// the entry search passes over them and the load lands in the middle: the job
// can only step, and stepping there one entry at a time would cost O(n^2).
inline std::string makeLanguageFile(int lineCount, bool firstEntryAtMiddle)
{
    std::string content = "<?php\n"
                          "/**\n"
                          " * @package  Generated language file\n"
                          " * @license  GNU/GPL\n"
                          " */\n"
                          "if (!defined('_VALID_MOS')) die('Direct Access to this location is not allowed.');\n";
    int lines = 6;
    for (int n = 0; lines < lineCount - 1; ++n) {
        std::string line;
        switch (n % 8) {
        case 0: line = "// Section " + std::to_string(n / 8); break;
        case 2: line = ""; break;
        case 4: line = (n % 32 == 4) ? "$mosConfig_lang_count = " + std::to_string(n) + ";" : "// ---"; break;
        case 6: line = ""; break;
        default: {
            const char* text = kTexts[static_cast<std::size_t>(n * 7 % kTexts.size())];
            const bool passedOver = firstEntryAtMiddle && lines < lineCount / 2;
            const std::string quote = passedOver ? "" : (n % 5 == 0) ? "\"" : "'";
            const std::string name = quote + "_ITEM_" + std::to_string(n) + quote;
            line = (n % 5 == 0) ? "DEFINE(" + name + ", \"" + text + "\");" : "define(" + name + ", '" + text + "');";
            if (n % 9 == 0)
                line += " // reviewed";
        }
        }
        content += line;
        content += (n % 3 == 0) ? "\r\n" : "\n";
        ++lines;
    }
    return content + "?>\n";
}

// One file per size and kind, written once for the whole run.
class GeneratedFiles {
public:
    const std::string& pathFor(int lineCount, bool firstEntryAtMiddle = false)
    {
        const auto key = std::pair(lineCount, firstEntryAtMiddle);
        auto found = paths_.find(key);
        if (found == paths_.end()) {
            const std::string name = std::string(firstEntryAtMiddle ? "middle_" : "lang_") + std::to_string(lineCount) + ".php";
            found = paths_.emplace(key, folder_.write(name, makeLanguageFile(lineCount, firstEntryAtMiddle))).first;
        }
        return found->second;
    }

private:
    testing_support::TempFolder folder_;
    std::map<std::pair<int, bool>, std::string> paths_;
};

inline GeneratedFiles& generatedFiles()
{
    static GeneratedFiles files;
    return files;
}

} // namespace kalmo::bench
