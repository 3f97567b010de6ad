// The entries of a language file as one list: where each stands, its
// constant name, the quote and span of its value, and whether the commit can
// write a translation into its line. Every command that looks at a whole
// file (statistics, checks, merge, exchange with other tools) starts here,
// so they all agree with the job on what an entry is.
#pragma once

#include "job/EntryParser.h"
#include "job/LineList.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kalmo {

struct Entry {
    int line = 0; // 0-based index into the file's lines
    std::string name;
    EntryQuotes quotes;
    EntryPositions positions; // 1-based, as the parser gives them
    // The value is a quoted text closed on its own line, so the commit's
    // rebuild can replace it.
    bool rebuildable = false;
};

// True when the line holds "define" in any mix of letter case: the job's
// test for a line worth parsing.
bool containsDefine(std::string_view line);

// The entries the job would stop on, in file order: lines from index 1 to
// the last that contain "define" and that the parse accepts.
std::vector<Entry> listEntries(const LineList& lines);

// The characters between the value's quotes, escapes as they stand; empty
// when the value is not closed on its line.
std::string_view entryValue(std::string_view line, const Entry& entry);
inline std::string_view entryValue(const LineList& lines, const Entry& entry)
{
    return entryValue(lines[static_cast<std::size_t>(entry.line)], entry);
}

// Index into entries of the first entry of each constant name. The views
// point into the entries, which must outlive the map.
using EntriesByName = std::unordered_map<std::string_view, std::size_t>;
EntriesByName firstEntryByName(const std::vector<Entry>& entries);

// The path of the translated copy of a language file: its folder +
// "Translated_" + its name.
std::string translatedFilePath(const std::string& sourcePath);

// The name of a file without its folder.
std::string fileNameOf(const std::string& path);

} // namespace kalmo

namespace kalmo {

// A source entry counts as translated when its constant stands in the
// translated file with another value.
bool isTranslated(const LineList& source, const Entry& sourceEntry, const LineList& translated,
                  const Entry& translatedEntry);

} // namespace kalmo
