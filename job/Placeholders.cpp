// The placeholders of a text and what a translation misses of them; see Placeholders.h.
#include "job/Placeholders.h"

#include <algorithm>
#include <iterator>

namespace kalmo {
namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool isNameStart(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_'; }
bool isNameChar(char ch) { return isNameStart(ch) || isDigit(ch); }

// Length of the printf conversion at text[at] == '%', or 0 when none:
// "%%" or "%" [argnum$] [flags] [width] [.precision] conversion.
std::size_t printfLength(std::string_view text, std::size_t at)
{
    std::size_t p = at + 1;
    if (p < text.size() && text[p] == '%')
        return 2;
    const auto digits = [&] {
        while (p < text.size() && isDigit(text[p]))
            ++p;
    };
    const std::size_t argStart = p;
    digits();
    if (p > argStart && p < text.size() && text[p] == '$')
        ++p;
    else
        p = argStart;
    while (p < text.size()) {
        if (text[p] == '-' || text[p] == '+' || text[p] == '0')
            ++p;
        else if (text[p] == '\'' && p + 1 < text.size())
            p += 2;
        else
            break;
    }
    digits();
    if (p < text.size() && text[p] == '.') {
        ++p;
        digits();
    }
    static constexpr std::string_view conversions = "bcdeEfFgGosuxX";
    if (p < text.size() && conversions.find(text[p]) != std::string_view::npos)
        return p + 1 - at;
    return 0;
}

// Length of "{name}" or "{0}" at text[at] == '{', or 0 when none.
std::size_t namedLength(std::string_view text, std::size_t at)
{
    std::size_t p = at + 1;
    if (p >= text.size() || !(isNameStart(text[p]) || isDigit(text[p])))
        return 0;
    const bool numeric = isDigit(text[p]);
    while (p < text.size() && (numeric ? isDigit(text[p]) : isNameChar(text[p])))
        ++p;
    return p < text.size() && text[p] == '}' ? p + 1 - at : 0;
}

// The placeholders of text into found (cleared first), sorted.
void collectPlaceholders(std::string_view text, std::vector<std::string_view>& found)
{
    found.clear();
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        if (text[i] == '%')
            length = printfLength(text, i);
        else if (text[i] == '{')
            length = namedLength(text, i);
        if (length == 0) {
            ++i;
            continue;
        }
        found.push_back(text.substr(i, length));
        i += length;
    }
    std::sort(found.begin(), found.end());
}

} // namespace

std::vector<std::string_view> placeholdersOf(std::string_view text)
{
    std::vector<std::string_view> found;
    collectPlaceholders(text, found);
    return found;
}

PlaceholderDifference comparePlaceholders(std::string_view source, std::string_view translation)
{
    // A plain loop: find_first_of calls memchr once per character.
    const auto mayHoldOne = [](std::string_view text) {
        return std::any_of(text.begin(), text.end(), [](char ch) { return ch == '%' || ch == '{'; });
    };
    if (!mayHoldOne(source) && !mayHoldOne(translation))
        return {};
    // A check compares every entry of a file: the lists are kept between
    // calls rather than allocated for each.
    thread_local std::vector<std::string_view> inSource;
    thread_local std::vector<std::string_view> inTranslation;
    collectPlaceholders(source, inSource);
    collectPlaceholders(translation, inTranslation);
    if (inSource == inTranslation)
        return {};
    std::vector<std::string_view> missing;
    std::vector<std::string_view> extra;
    std::set_difference(inSource.begin(), inSource.end(), inTranslation.begin(), inTranslation.end(),
                        std::back_inserter(missing));
    std::set_difference(inTranslation.begin(), inTranslation.end(), inSource.begin(), inSource.end(),
                        std::back_inserter(extra));
    return {{missing.begin(), missing.end()}, {extra.begin(), extra.end()}};
}

} // namespace kalmo
