// See MemoWebAddress.h. Pieces alternate between delimiters (space, double
// quote, single quote, comma) and other characters; a piece of the latter is
// a web address when it starts with one of the known schemes.
#include "controls/memo/MemoWebAddress.h"

#include "controls/memo/Utf8Columns.h"

#include <algorithm>
#include <array>

namespace kalmo {

namespace {

bool isDelimiter(char32_t ch) { return ch == U' ' || ch == U'"' || ch == U'\'' || ch == U','; }

bool startsWithScheme(const std::vector<char32_t>& chars, std::size_t from, std::size_t to)
{
    static constexpr std::array<std::string_view, 6> schemes{"http://", "mailto:", "www.", "https://", "ftp://", "nntp://"};
    return std::any_of(schemes.begin(), schemes.end(), [&](std::string_view scheme) {
        if (to - from < scheme.size()) {
            return false;
        }
        for (std::size_t k = 0; k < scheme.size(); ++k) {
            char32_t ch = chars[from + k];
            if (ch >= U'A' && ch <= U'Z') {
                ch = ch - U'A' + U'a';
            }
            if (ch != static_cast<char32_t>(scheme[k])) {
                return false;
            }
        }
        return true;
    });
}

} // namespace

std::vector<TTextRun> webAddressRuns(std::string_view line)
{
    const std::vector<char32_t> chars = cellCharacters(line);
    std::vector<TTextRun> runs;
    std::size_t i = 0;
    while (i < chars.size()) {
        const bool delimiters = isDelimiter(chars[i]);
        std::size_t end = i;
        while (end < chars.size() && isDelimiter(chars[end]) == delimiters) {
            ++end;
        }
        const bool address = !delimiters && startsWithScheme(chars, i, end);
        if (!runs.empty() && !runs.back().webAddress && !address) {
            runs.back().length += static_cast<int>(end - i);
        } else {
            runs.push_back(TTextRun{static_cast<int>(i), static_cast<int>(end - i), address});
        }
        i = end;
    }
    return runs;
}

std::string webAddressAt(std::string_view line, int column)
{
    for (const TTextRun& run : webAddressRuns(line)) {
        if (run.webAddress && column >= run.start && column < run.start + run.length) {
            return std::string(utf8From(utf8Left(line, run.start + run.length), run.start));
        }
    }
    return {};
}

} // namespace kalmo
