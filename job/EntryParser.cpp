// Taking a define line apart and putting it back together; see EntryParser.h.
#include "job/EntryParser.h"

#include <algorithm>
#include <cstring>

namespace kalmo {
namespace {

int lengthOf(std::string_view line) { return static_cast<int>(line.size()); }

char charAt(std::string_view line, int position) { return line[static_cast<std::size_t>(position - 1)]; }

int backslashesBefore(std::string_view line, int position)
{
    int count = 0;
    for (int p = position - 1; p >= 1 && charAt(line, p) == '\\'; --p)
        ++count;
    return count;
}

bool isValueQuote(char ch) { return ch == '\'' || ch == '"'; }

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

// PHP expands "$name", "${...}" and "$\x80..." inside double quotes.
bool startsInterpolation(char next)
{
    const auto byte = static_cast<unsigned char>(next);
    return (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || next == '_' || next == '{' || byte >= 0x80;
}

} // namespace

int findChar(char ch, std::string_view line, int from)
{
    const auto start = static_cast<std::size_t>(std::max(from, 1) - 1);
    if (start >= line.size())
        return 0;
    // memchr straight away: every entry of a file is read with a few of these.
    const void* found = std::memchr(line.data() + start, ch, line.size() - start);
    return found ? static_cast<int>(static_cast<const char*>(found) - line.data()) + 1 : 0;
}

namespace {

std::string_view viewOf(std::string_view line, int start, int count)
{
    start = std::max(start, 1);
    if (count <= 0 || start > lengthOf(line))
        return {};
    return line.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

} // namespace

std::string partOf(std::string_view line, int start, int count)
{
    return std::string(viewOf(line, start, count));
}

std::optional<char> firstNonBlankAfter(char ch, std::string_view line)
{
    for (auto p = static_cast<std::size_t>(findChar(ch, line, 1)); p < line.size(); ++p) {
        if (!isBlank(line[p]))
            return line[p];
    }
    return std::nullopt;
}

std::optional<EntryQuotes> entryQuotes(std::string_view sourceLine)
{
    const auto nameQuote = firstNonBlankAfter('(', sourceLine);
    if (!nameQuote || !isValueQuote(*nameQuote))
        return std::nullopt;
    return EntryQuotes{*nameQuote, firstNonBlankAfter(',', sourceLine).value_or(0)};
}

namespace {

// The value quote that closes a text opened at position open: the first one
// after an even run of backslashes; 0 when none.
int closingQuote(std::string_view line, char quote, int open)
{
    int close = findChar(quote, line, open + 1);
    while (close != 0 && backslashesBefore(line, close) % 2 == 1)
        close = findChar(quote, line, close + 1);
    return close;
}

} // namespace

EntryPositions entryPositions(std::string_view line, const EntryQuotes& quotes)
{
    EntryPositions at;
    at.nameStart = findChar(quotes.nameQuote, line, 1);
    at.nameEnd = findChar(quotes.nameQuote, line, at.nameStart + 1);
    at.textStart = findChar(quotes.valueQuote, line, at.nameEnd + 1);
    if (at.textStart != 0)
        at.textEnd = closingQuote(line, quotes.valueQuote, at.textStart);
    return at;
}

std::optional<EntryReading> readEntry(std::string_view line)
{
    // The usual shape, walked once: no quote or comma before the first "(",
    // blanks, the quoted name without a comma in it, blanks, a comma, blanks
    // and a quoted value. Each search of the separate reading then lands on
    // the character this walk stands on. Any other line takes that reading.
    const std::size_t size = line.size();
    std::size_t p = 0;
    while (p < size && line[p] != '(' && line[p] != ',' && !isValueQuote(line[p]))
        ++p;
    if (p < size && line[p] == '(') {
        do
            ++p;
        while (p < size && isBlank(line[p]));
        if (p == size || !isValueQuote(line[p]))
            return std::nullopt;
        const char nameQuote = line[p];
        const std::size_t nameStart = p;
        // The name ends at its quote or at a comma: a memchr for each
        // rather than a loop over its characters.
        const std::size_t closing = std::min(line.find(nameQuote, p + 1), size);
        const std::size_t comma = line.substr(p + 1, closing - p - 1).find(',');
        p = comma == std::string_view::npos ? closing : p + 1 + comma;
        const std::size_t nameEnd = p;
        if (p < size && line[p] == nameQuote) {
            do
                ++p;
            while (p < size && isBlank(line[p]));
            const std::size_t comma = p;
            if (p < size && line[p] == ',') {
                do
                    ++p;
                while (p < size && isBlank(line[p]));
                if (p < size && isValueQuote(line[p])) {
                    EntryReading reading{{nameQuote, line[p]}, {}, static_cast<int>(comma) + 1};
                    reading.positions = {static_cast<int>(nameStart) + 1, static_cast<int>(nameEnd) + 1,
                                         static_cast<int>(p) + 1, 0};
                    reading.positions.textEnd = closingQuote(line, line[p], reading.positions.textStart);
                    return reading;
                }
            }
        }
    }
    const auto quotes = entryQuotes(line);
    if (!quotes)
        return std::nullopt;
    return EntryReading{*quotes, entryPositions(line, *quotes), findChar(',', line, 1)};
}

std::string spanBetween(std::string_view line, int open, int close)
{
    return std::string(viewBetween(line, open, close));
}

std::string_view viewBetween(std::string_view line, int open, int close)
{
    return viewOf(line, open + 1, close - open - 1);
}

std::string escapeTranslation(std::string_view text, char valueQuote)
{
    std::string escaped;
    escaped.reserve(text.size() + 2);
    int backslashRun = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const bool unescaped = backslashRun % 2 == 0;
        const bool interpolates
            = valueQuote == '"' && ch == '$' && i + 1 < text.size() && startsInterpolation(text[i + 1]);
        if (unescaped && (ch == valueQuote || interpolates))
            escaped += '\\';
        escaped += ch;
        backslashRun = ch == '\\' ? backslashRun + 1 : 0;
    }
    if (backslashRun % 2 == 1)
        escaped += '\\';
    return escaped;
}

bool canRebuildWithTranslation(std::string_view workingLine, const EntryQuotes& quotes)
{
    return canRebuildWithTranslation(workingLine, quotes, entryPositions(workingLine, quotes));
}

bool canRebuildWithTranslation(std::string_view workingLine, const EntryQuotes& quotes, const EntryPositions& at)
{
    return canRebuildWithTranslation(workingLine, {quotes, at, findChar(',', workingLine, 1)});
}

bool canRebuildWithTranslation(std::string_view workingLine, const EntryReading& reading)
{
    const EntryPositions& at = reading.positions;
    const int comma = reading.comma;
    if (!isValueQuote(reading.quotes.valueQuote))
        return false;
    if (comma == 0 || at.textStart <= comma || at.textEnd == 0)
        return false;
    // Only blanks may stand between the comma and the text, and between the
    // text and the end of the argument: anything else there (a comment, a
    // concatenation) makes PHP's value more than the text the translation
    // replaces. A further argument (define's old third one) leaves the value
    // as it is.
    const auto between = workingLine.substr(static_cast<std::size_t>(comma),
                                            static_cast<std::size_t>(at.textStart - comma - 1));
    auto after = static_cast<std::size_t>(at.textEnd);
    while (after < workingLine.size() && isBlank(workingLine[after]))
        ++after;
    const bool argumentEnds = after < workingLine.size() && (workingLine[after] == ')' || workingLine[after] == ',');
    return argumentEnds && std::all_of(between.begin(), between.end(), isBlank);
}

std::optional<std::string> rebuildWithTranslation(std::string_view workingLine, const EntryQuotes& quotes,
                                                  std::string_view translation)
{
    if (!canRebuildWithTranslation(workingLine, quotes))
        return std::nullopt;
    const EntryPositions at = entryPositions(workingLine, quotes);
    std::string rebuilt(workingLine.substr(0, static_cast<std::size_t>(at.textStart)));
    rebuilt += escapeTranslation(translation, quotes.valueQuote);
    rebuilt += quotes.valueQuote;
    rebuilt += workingLine.substr(static_cast<std::size_t>(at.textEnd));
    return rebuilt;
}

} // namespace kalmo
