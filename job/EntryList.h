// The entries of a language file as one list: where each stands, its
// constant name, the quote and span of its value, and whether the commit can
// write a translation into its line. Every command that looks at a whole
// file (statistics, checks, merge, exchange with other tools) starts here,
// so they all agree with the job on what an entry is.
#pragma once

#include "job/EntryParser.h"
#include "job/LineList.h"
#include "job/PathParts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

struct Entry {
    int line = 0; // 0-based index into the file's lines
    std::string name;
    EntryQuotes quotes;
    EntryPositions positions; // 1-based, as the parser gives them
    int column = 0;           // byte offset of the define call in its line
    // The commit's rebuild can write a translation here: its reading of the
    // line lands on this call, and the value is one quoted text closed on the
    // line and followed by the end of the argument.
    bool rebuildable = false;
};

// True when the line holds "define" in any mix of letter case: the job's
// test for a line worth parsing.
bool containsDefine(std::string_view line);

// The file's real entries, in file order: from index 1 on, each line that
// holds a call of PHP's define with a quoted name in PHP code (not in a
// comment, a text, a heredoc or outside the PHP tags), taken from its first
// such call.
std::vector<Entry> listEntries(const LineList& lines);

// The entries of a source and of its translation, listed together because
// several consumers want both: an untouched translation is the source's
// copy, so its entries are listed once.
struct EntryListings {
    std::vector<Entry> source;
    std::vector<Entry> working;
};
EntryListings listEntriesOfBoth(const LineList& source, const LineList& working);

// The entry on the line (0-based) among entries in file order; null when none.
const Entry* entryOnLine(const std::vector<Entry>& entries, int line);

// The entry's define call read again from its line after the line changed
// (a new value, say); nullopt when no call with a quoted name stands there
// any more.
std::optional<Entry> entryReadAgain(const Entry& entry, std::string_view line);

// The characters between the value's quotes, escapes as they stand; empty
// when the value is not closed on its line.
std::string_view entryValue(std::string_view line, const Entry& entry);
inline std::string_view entryValue(const LineList& lines, const Entry& entry)
{
    return entryValue(lines[static_cast<std::size_t>(entry.line)], entry);
}

// Finds the first entry of each constant name. Files hold tens of thousands
// of entries and every whole-file command looks each one up, so this is a
// flat open-addressing table rather than a node-based map. It refers to the
// entries, which must outlive it.
class EntryIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit EntryIndex(const std::vector<Entry>& entries);
    // The index of entries whose names are most likely those of another
    // index's entries in the same order, as a translation's are its
    // source's: then that index's table is copied rather than built again.
    EntryIndex(const std::vector<Entry>& entries, const EntryIndex& likelyAlike);

    // Index into the entries of the first one named name; npos when none.
    std::size_t find(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != npos; }
    // True when entries[i] is the first entry of its name.
    bool isFirst(std::size_t i) const { return first_[i]; }

private:
    void build();

    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entryPlusOne = 0; // 0: empty
    };

    const std::vector<Entry>& entries_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::vector<bool> first_;
};

// What the translated copy's name starts with.
inline constexpr std::string_view kTranslatedPrefix = "Translated_";

// The path of the translated copy of a language file: its folder +
// "Translated_" + its name.
std::string translatedFilePath(const std::string& sourcePath);

} // namespace kalmo

namespace kalmo {

// A source entry counts as translated when its constant stands in the
// translated file with another value.
bool isTranslated(const LineList& source, const Entry& sourceEntry, const LineList& translated,
                  const Entry& translatedEntry);

} // namespace kalmo
