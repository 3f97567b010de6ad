// The placeholders of a text and what a translation misses of them; see Placeholders.h.
#include "job/Placeholders.h"

#include <algorithm>
#include <iterator>

namespace kalmo {
namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool isNameStart(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_'; }
bool isNameChar(char ch) { return isNameStart(ch) || isDigit(ch); }

// A printf conversion: its length, and where its argument number ("1$")
// ends, for the conversions that name one.
struct PrintfConversion {
    std::size_t length = 0; // 0: none
    std::size_t argumentEnd = 0; // offset after "N$" from the "%"; 0 when unnumbered
};

// The printf conversion at text[at] == '%':
// "%%" or "%" [argnum$] [flags] [width] [.precision] conversion.
PrintfConversion printfConversion(std::string_view text, std::size_t at)
{
    std::size_t p = at + 1;
    if (p < text.size() && text[p] == '%')
        return {2, 0};
    const auto digits = [&] {
        while (p < text.size() && isDigit(text[p]))
            ++p;
    };
    const std::size_t argStart = p;
    std::size_t argumentEnd = 0;
    digits();
    if (p > argStart && p < text.size() && text[p] == '$')
        argumentEnd = ++p - at;
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
        return {p + 1 - at, argumentEnd};
    return {};
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

// One placeholder as written, and what it stands for: a printf conversion
// by the number of the value it takes and its form ("2$s" for "%2$s" and
// for the second unnumbered "%s"), a named one by itself.
struct Found {
    std::string_view written;
    int value = 0;         // the number of the value it takes; 0 for a named one
    std::string_view form; // what follows the "%" and the number, or the named one whole
    bool sameMeaning(const Found& other) const { return value == other.value && form == other.form; }
    bool operator<(const Found& other) const { return value != other.value ? value < other.value : form < other.form; }
};

// One placeholder (or "%%") as written; text empty when there is none.
struct Written {
    std::string_view text;
    std::size_t argumentEnd = 0; // as PrintfConversion has it
    bool isPrintf = false;
};

// The first placeholder at or after offset from; from moves past it.
Written nextPlaceholder(std::string_view text, std::size_t& from)
{
    // A memchr for each of the two: most texts hold a few "%" and no "{",
    // and a loop over their characters would cost several times more.
    std::size_t percent = text.find('%', from);
    std::size_t brace = text.find('{', from);
    while (percent != brace) {
        if (percent < brace) {
            const PrintfConversion conversion = printfConversion(text, percent);
            if (conversion.length != 0) {
                from = percent + conversion.length;
                return {text.substr(percent, conversion.length), conversion.argumentEnd, true};
            }
            percent = text.find('%', percent + 1);
        } else {
            if (const std::size_t length = namedLength(text, brace); length != 0) {
                from = brace + length;
                return {text.substr(brace, length), 0, false};
            }
            brace = text.find('{', brace + 1);
        }
    }
    from = text.size();
    return {};
}

// Calls found(written, argumentEnd, isPrintf) for each placeholder of the text.
template <typename Callback>
void scanPlaceholders(std::string_view text, Callback&& found)
{
    std::size_t at = 0;
    for (Written written = nextPlaceholder(text, at); !written.text.empty(); written = nextPlaceholder(text, at))
        found(written.text, written.argumentEnd, written.isPrintf);
}

// Whether both texts write the same placeholders in the same order: then
// they hand over the same values with the same percent signs. Most
// translations do, and this settles them without a census of either.
bool writeTheSamePlaceholders(std::string_view source, std::string_view translation)
{
    std::size_t inSource = 0;
    std::size_t inTranslation = 0;
    while (true) {
        const std::string_view a = nextPlaceholder(source, inSource).text;
        const std::string_view b = nextPlaceholder(translation, inTranslation).text;
        if (a != b)
            return false;
        if (a.empty())
            return true;
    }
}

struct Census {
    std::vector<Found> placeholders; // without "%%", sorted by meaning
    int doubledPercents = 0;
    bool numbered = false; // one of them names the value it takes ("%1$s")
};

void takeCensus(std::string_view text, Census& census)
{
    census.placeholders.clear();
    census.doubledPercents = 0;
    census.numbered = false;
    int unnumbered = 0;
    scanPlaceholders(text, [&](std::string_view written, std::size_t argumentEnd, bool isPrintf) {
        if (written == "%%") {
            ++census.doubledPercents;
            return;
        }
        Found found{written, 0, written};
        if (isPrintf) {
            found.form = written.substr(argumentEnd == 0 ? 1 : argumentEnd);
            if (argumentEnd == 0) {
                found.value = ++unnumbered;
            } else {
                for (const char digit : written.substr(1, argumentEnd - 2))
                    found.value = std::min(found.value * 10 + (digit - '0'), 1 << 20);
                census.numbered = true;
            }
        }
        census.placeholders.push_back(found);
    });
    std::sort(census.placeholders.begin(), census.placeholders.end());
}

std::vector<std::string> writtenForms(const std::vector<Found>& found)
{
    std::vector<std::string> written;
    written.reserve(found.size());
    for (const Found& one : found)
        written.emplace_back(one.written);
    std::sort(written.begin(), written.end());
    return written;
}

} // namespace

std::vector<std::string_view> placeholdersOf(std::string_view text)
{
    std::vector<std::string_view> found;
    scanPlaceholders(text, [&](std::string_view written, std::size_t, bool) { found.push_back(written); });
    std::sort(found.begin(), found.end());
    return found;
}

bool hasLonePercentSign(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        const std::size_t length = printfConversion(text, i).length;
        if (length == 0)
            return true;
        i += length - 1;
    }
    return false;
}

PlaceholderDifference comparePlaceholders(std::string_view source, std::string_view translation)
{
    if (writeTheSamePlaceholders(source, translation))
        return {};
    // A check compares every entry of a file: the lists are kept between
    // calls rather than allocated for each.
    thread_local Census inSource;
    thread_local Census inTranslation;
    takeCensus(source, inSource);
    takeCensus(translation, inTranslation);

    PlaceholderDifference difference;
    if (inSource.doubledPercents > inTranslation.doubledPercents && hasLonePercentSign(translation))
        difference.percentSigns = PercentSigns::OnlySourceDoubles;
    else if (inTranslation.doubledPercents > inSource.doubledPercents && hasLonePercentSign(source))
        difference.percentSigns = PercentSigns::OnlyTranslationDoubles;

    const auto sameMeaning = [](const Found& a, const Found& b) { return a.sameMeaning(b); };
    if (std::equal(inSource.placeholders.begin(), inSource.placeholders.end(), inTranslation.placeholders.begin(),
                   inTranslation.placeholders.end(), sameMeaning))
        return difference;
    const std::vector<std::string> sourceForms = writtenForms(inSource.placeholders);
    if (sourceForms == writtenForms(inTranslation.placeholders)) {
        difference.reordered = sourceForms;
        return difference;
    }
    if (!inSource.numbered && !inTranslation.numbered) {
        // Without numbers a value follows from the place, which shifts when
        // one is missing: what is written tells the user more.
        const std::vector<std::string> translationForms = writtenForms(inTranslation.placeholders);
        std::set_difference(sourceForms.begin(), sourceForms.end(), translationForms.begin(), translationForms.end(),
                            std::back_inserter(difference.missing));
        std::set_difference(translationForms.begin(), translationForms.end(), sourceForms.begin(), sourceForms.end(),
                            std::back_inserter(difference.extra));
        return difference;
    }
    std::vector<Found> missing;
    std::vector<Found> extra;
    std::set_difference(inSource.placeholders.begin(), inSource.placeholders.end(), inTranslation.placeholders.begin(),
                        inTranslation.placeholders.end(), std::back_inserter(missing));
    std::set_difference(inTranslation.placeholders.begin(), inTranslation.placeholders.end(),
                        inSource.placeholders.begin(), inSource.placeholders.end(), std::back_inserter(extra));
    difference.missing = writtenForms(missing);
    difference.extra = writtenForms(extra);
    return difference;
}

} // namespace kalmo
