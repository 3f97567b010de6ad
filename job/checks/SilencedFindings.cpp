// The findings a user silenced; see SilencedFindings.h.
#include "job/checks/SilencedFindings.h"

#include <algorithm>
#include <filesystem>

namespace kalmo {

SilencedFindings SilencedFindings::load()
{
    SilencedFindings loaded;
    loaded.storePath_ = userTablePath("silenced");
    // One "CHECK<tab>CONSTANT<tab>PATH" row per silenced finding.
    for (UserTableRow& row : readUserTable(loaded.storePath_, 3))
        loaded.silenced_.emplace(std::move(row[2]), std::move(row[1]), std::move(row[0]));
    return loaded;
}

// The window and `kalmo check` name the same file by different paths
// ("./de.php", "/home/u/de.php"): the key is the full path.
SilencedFindings::Key SilencedFindings::keyOf(const std::string& translatedPath, const std::string& constant,
                                              const std::string& check)
{
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(translatedPath, ignored).lexically_normal();
    return {full.string(), constant, check};
}

bool SilencedFindings::isSilenced(const std::string& translatedPath, const Finding& finding) const
{
    return !silenced_.empty() && !finding.check.empty()
        && silenced_.contains(keyOf(translatedPath, finding.constant, finding.check));
}

std::vector<Finding> SilencedFindings::without(const std::string& translatedPath, std::vector<Finding> findings) const
{
    if (silenced_.empty())
        return findings;
    std::erase_if(findings, [&](const Finding& finding) { return isSilenced(translatedPath, finding); });
    return findings;
}

void SilencedFindings::silence(const std::string& translatedPath, const std::string& constant, const std::string& check)
{
    Key key = keyOf(translatedPath, constant, check);
    if (storePath_.empty() || !fitsUserTable(std::get<0>(key)) || !fitsUserTable(constant) || !fitsUserTable(check))
        return;
    silenced_.insert(std::move(key));
    std::vector<UserTableRow> rows;
    for (const auto& [path, silencedConstant, silencedCheck] : silenced_)
        rows.push_back({silencedCheck, silencedConstant, path});
    writeUserTable(storePath_, rows);
}

} // namespace kalmo
