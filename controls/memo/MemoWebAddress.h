// Web addresses inside a memo line: a URL-aware memo draws them in their own
// colours, shows the hand pointer over them and opens them on a click.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// A stretch of a line in columns; web addresses form runs of their own,
// everything else is merged.
struct TTextRun {
    int start;
    int length;
    bool webAddress;
    friend bool operator==(const TTextRun&, const TTextRun&) = default;
};

std::vector<TTextRun> webAddressRuns(std::string_view line);
// The web address covering the column, or an empty string.
std::string webAddressAt(std::string_view line, int column);

} // namespace kalmo
