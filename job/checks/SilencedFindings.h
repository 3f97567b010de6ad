// The findings a user silenced for one entry ("Ignore this" in the window,
// `kalmo check --ignore`), kept in the user's data folder
// ($XDG_DATA_HOME/kalmo/silenced) rather than in the language file, keyed
// by the translated file's full path, the constant and the check.
#pragma once

#include "job/Finding.h"
#include "job/UserTable.h"

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kalmo {

class SilencedFindings {
public:
    // Reads the store where the variables point now.
    static SilencedFindings load();

    bool isSilenced(const std::string& translatedPath, const Finding& finding) const;
    // The findings that are not silenced, in their order.
    std::vector<Finding> without(const std::string& translatedPath, std::vector<Finding> findings) const;
    // Remembers the choice and writes the store; throws "Cannot create file
    // ..." when it cannot be written.
    void silence(const std::string& translatedPath, const std::string& constant, const std::string& check);

private:
    using Key = std::tuple<std::string, std::string, std::string>; // path, constant, check
    static Key keyOf(const std::string& translatedPath, const std::string& constant, const std::string& check);

    std::string storePath_;
    std::set<Key> silenced_;
};

} // namespace kalmo
