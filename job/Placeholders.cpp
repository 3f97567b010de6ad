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

} // namespace

std::vector<std::string> placeholdersOf(std::string_view text)
{
    std::vector<std::string> found;
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
        found.emplace_back(text.substr(i, length));
        i += length;
    }
    std::sort(found.begin(), found.end());
    return found;
}

PlaceholderDifference comparePlaceholders(std::string_view source, std::string_view translation)
{
    const auto inSource = placeholdersOf(source);
    const auto inTranslation = placeholdersOf(translation);
    PlaceholderDifference difference;
    std::set_difference(inSource.begin(), inSource.end(), inTranslation.begin(), inTranslation.end(),
                        std::back_inserter(difference.missing));
    std::set_difference(inTranslation.begin(), inTranslation.end(), inSource.begin(), inSource.end(),
                        std::back_inserter(difference.extra));
    return difference;
}

} // namespace kalmo
