// Takes one define line apart: where the constant name and the text stand,
// and which quote characters enclose them. Works on bytes; every delimiter
// is ASCII, so positions are exact for UTF-8 lines too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalmo {

// Positions count bytes from 1; 0 means "not found".
struct EntryPositions {
    int nameStart = 0;
    int nameEnd = 0;
    int textStart = 0;
    int textEnd = 0;
    bool operator==(const EntryPositions&) const = default;
};

struct EntryQuotes {
    char nameQuote = 0;
    char valueQuote = 0; // any character after the first comma, quote or not
    bool operator==(const EntryQuotes&) const = default;
};

// The position of ch in line at or after position from (1-based); 0 when none.
int findChar(char ch, std::string_view line, int from);

// At most count characters of line from position start on (1-based).
std::string partOf(std::string_view line, int start, int count);

// The first character that is not a blank (space or tab) after the first ch
// of the line (after position 0 when the line has no ch); nullopt when the
// line ends first.
std::optional<char> firstNonBlankAfter(char ch, std::string_view line);

// The quotes of a candidate line, or nullopt when its name is not quoted
// (the line is passed over).
std::optional<EntryQuotes> entryQuotes(std::string_view sourceLine);

// The four positions of an entry in line, searched with the given quotes.
// The text closes at the first value quote preceded by an even number of
// backslashes, so 'C:\\' closes at its last quote.
EntryPositions entryPositions(std::string_view line, const EntryQuotes& quotes);

// What entryQuotes and entryPositions give for a line, with its first comma
// (1-based, 0 when none), as one reading.
struct EntryReading {
    EntryQuotes quotes;
    EntryPositions positions;
    int comma = 0;
};

// The line read as entryQuotes, entryPositions and findChar(',') read it,
// in one pass over the usual shape of a define call; nullopt when its name
// is not quoted. Listing the entries of a file reads every call this way.
std::optional<EntryReading> readEntry(std::string_view line);

// The characters strictly between two positions; empty when the closing
// position is 0 or not after the opening one.
std::string spanBetween(std::string_view line, int open, int close);
// The same characters as a view into the line, for a reader that copies
// them where they go.
std::string_view viewBetween(std::string_view line, int open, int close);

// The typed text made safe between value quotes: a quote not already escaped
// gets a backslash, and a trailing odd run of backslashes gets one more.
// Between double quotes an unescaped "$" that PHP would expand (before a
// letter, "_", "{" or a non-ASCII byte) gets a backslash too, so the value
// is the text typed and never runs code.
std::string escapeTranslation(std::string_view text, char valueQuote);

// Whether rebuildWithTranslation can write a translation into the line.
bool canRebuildWithTranslation(std::string_view workingLine, const EntryQuotes& quotes);
// The same with the line's entryPositions already at hand.
bool canRebuildWithTranslation(std::string_view workingLine, const EntryQuotes& quotes, const EntryPositions& at);
// The same with the line's reading at hand.
bool canRebuildWithTranslation(std::string_view workingLine, const EntryReading& reading);

// The working line with its text replaced by the escaped translation and
// everything else kept, or nullopt when the line cannot be rebuilt safely
// (value not quoted with ' or ", no comma, something other than blanks
// between the comma and the opening value quote, no closing value quote on
// the line, something other than blanks between the closing value quote and
// the ")" or "," that ends the argument).
std::optional<std::string> rebuildWithTranslation(std::string_view workingLine, const EntryQuotes& quotes,
                                                  std::string_view translation);

} // namespace kalmo
