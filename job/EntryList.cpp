// The entries of a language file as one list; see EntryList.h.
#include "job/EntryList.h"

#include "job/PhpLexer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace kalmo {

bool containsDefine(std::string_view line)
{
    // ASCII letters differ from their capitals only in bit 5, and no other
    // byte meets a letter when that bit is set, so this is an exact
    // case-insensitive test without a locale lookup per character.
    static constexpr std::string_view word = "define";
    if (line.size() < word.size())
        return false;
    for (std::size_t i = 0; i + word.size() <= line.size(); ++i) {
        if ((line[i] | 0x20) != 'd')
            continue;
        std::size_t k = 1;
        while (k < word.size() && (line[i + k] | 0x20) == word[k])
            ++k;
        if (k == word.size())
            return true;
    }
    return false;
}

namespace {

// Reads the define call at column of line into entry (all but its line);
// false when its name is not quoted. Everything is read from the call on,
// from `from` (the call's "(" where the scan found it, else column), so a
// line holding something before it (a comment, a guard) still gives the
// call's own name and value. The entry is filled where it stands, since a
// file's listing reads tens of thousands of them.
bool readCall(std::string_view line, int column, int from, Entry& entry)
{
    std::string_view call = line.substr(static_cast<std::size_t>(from));
    auto reading = readEntry(call);
    // A call without a comma takes the first character it reads as its
    // value's quote: that of the name define.
    if (reading && reading->comma == 0 && from != column) {
        from = column;
        call = line.substr(static_cast<std::size_t>(from));
        reading = readEntry(call);
    }
    if (!reading)
        return false;
    entry.column = column;
    entry.quotes = reading->quotes;
    entry.positions = reading->positions;
    entry.name.assign(viewBetween(call, entry.positions.nameStart, entry.positions.nameEnd));
    for (int* position : {&entry.positions.nameStart, &entry.positions.nameEnd, &entry.positions.textStart,
                          &entry.positions.textEnd}) {
        if (*position != 0)
            *position += from;
    }
    // The commit reads the line from its start: it writes into this call
    // only when that reading lands on the same name and value. After blanks
    // alone it does, and the call's reading is the line's, shifted.
    const bool onlyBlanksBefore = std::all_of(line.begin(), line.begin() + column, [](char ch) {
        return ch == ' ' || ch == '\t';
    });
    if (onlyBlanksBefore) {
        entry.rebuildable = canRebuildWithTranslation(call, *reading);
    } else {
        const auto lineReading = readEntry(line);
        entry.rebuildable = lineReading && lineReading->quotes == entry.quotes
            && lineReading->positions == entry.positions && canRebuildWithTranslation(line, *lineReading);
    }
    return true;
}

} // namespace

std::vector<Entry> listEntries(const LineList& lines)
{
    const std::vector<DefineCall> calls = findDefineCalls(lines);
    std::vector<Entry> entries;
    entries.reserve(calls.size());
    for (const DefineCall& call : calls) {
        // Line 0 is never an entry, and a line is one entry: its first call
        // with a quoted name.
        if (call.line == 0 || (!entries.empty() && entries.back().line == call.line))
            continue;
        Entry& entry = entries.emplace_back();
        entry.line = call.line;
        // Between the name define and its "(" stand blanks alone, which
        // the reading would pass over.
        if (!readCall(lines[static_cast<std::size_t>(call.line)], call.column, call.open, entry))
            entries.pop_back();
    }
    return entries;
}

const Entry* entryOnLine(const std::vector<Entry>& entries, int line)
{
    const auto found = std::lower_bound(entries.begin(), entries.end(), line,
                                        [](const Entry& entry, int wanted) { return entry.line < wanted; });
    return found != entries.end() && found->line == line ? &*found : nullptr;
}

EntryListings listEntriesOfBoth(const LineList& source, const LineList& working)
{
    EntryListings listed{listEntries(source), {}};
    listed.working = working == source ? listed.source : listEntries(working);
    return listed;
}

std::optional<Entry> entryReadAgain(const Entry& entry, std::string_view line)
{
    if (static_cast<std::size_t>(entry.column) >= line.size())
        return std::nullopt;
    Entry again;
    again.line = entry.line;
    if (!readCall(line, entry.column, entry.column, again))
        return std::nullopt;
    return again;
}

std::string_view entryValue(std::string_view line, const Entry& entry)
{
    const int open = entry.positions.textStart;
    const int close = entry.positions.textEnd;
    if (open == 0 || close <= open + 1)
        return {};
    return line.substr(static_cast<std::size_t>(open), static_cast<std::size_t>(close - open - 1));
}

namespace {

// Eight bytes at a time: every whole-file command hashes each name of both
// files, and a byte-at-a-time hash waits on one multiplication per byte.
std::uint32_t hashOf(std::string_view name)
{
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    std::uint64_t hash = name.size();
    std::size_t at = 0;
    for (; at + 8 <= name.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, name.data() + at, 8);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    }
    // The last bytes one by one: a memcpy of a length known only now is a
    // call of its own.
    std::uint64_t tail = 0;
    for (std::size_t i = name.size(); i > at; --i)
        tail = (tail << 8) | static_cast<unsigned char>(name[i - 1]);
    hash = (hash ^ tail) * kMultiplier;
    hash ^= hash >> 32;
    return static_cast<std::uint32_t>(hash);
}

} // namespace

EntryIndex::EntryIndex(const std::vector<Entry>& entries) : entries_(entries)
{
    build();
}

EntryIndex::EntryIndex(const std::vector<Entry>& entries, const EntryIndex& likelyAlike) : entries_(entries)
{
    // A comparison in file order, which memory serves fast, against the
    // table's insertions in hash order, which it does not.
    const bool alike = std::equal(entries.begin(), entries.end(), likelyAlike.entries_.begin(),
                                  likelyAlike.entries_.end(),
                                  [](const Entry& a, const Entry& b) { return a.name == b.name; });
    if (!alike) {
        build();
        return;
    }
    slots_ = likelyAlike.slots_;
    mask_ = likelyAlike.mask_;
    first_ = likelyAlike.first_;
}

void EntryIndex::build()
{
    const std::vector<Entry>& entries = entries_;
    std::size_t size = 16;
    while (size < entries.size() * 2)
        size *= 2;
    slots_.resize(size);
    mask_ = size - 1;
    first_.assign(entries.size(), true);
    // The slots of a large file's table lie all over a megabyte or more, and
    // each insertion would wait for its slot to come from memory: the slot
    // of the entry some places ahead is asked for while this one goes in.
    constexpr std::size_t kAhead = 8;
    std::array<std::uint32_t, kAhead> hashesAhead{};
    const auto hashAhead = [&](std::size_t i) {
        if (i >= entries.size())
            return;
        const std::uint32_t hash = hashOf(entries[i].name);
        hashesAhead[i % kAhead] = hash;
        __builtin_prefetch(&slots_[hash & mask_]);
        if (i + kAhead < entries.size())
            __builtin_prefetch(&entries[i + kAhead]);
    };
    for (std::size_t i = 0; i < kAhead; ++i)
        hashAhead(i);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint32_t hash = hashesAhead[i % kAhead];
        hashAhead(i + kAhead);
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.entryPlusOne == 0) {
                slot = {hash, static_cast<std::uint32_t>(i + 1)};
                break;
            }
            if (slot.hash == hash && entries[slot.entryPlusOne - 1].name == entries[i].name) {
                first_[i] = false;
                break;
            }
        }
    }
}

std::size_t EntryIndex::find(std::string_view name) const
{
    const std::uint32_t hash = hashOf(name);
    for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
        const Slot& slot = slots_[at];
        if (slot.entryPlusOne == 0)
            return npos;
        if (slot.hash == hash && entries_[slot.entryPlusOne - 1].name == name)
            return slot.entryPlusOne - 1;
    }
}

std::string translatedFilePath(const std::string& sourcePath)
{
    return folderOf(sourcePath) + std::string(kTranslatedPrefix) + fileNameOf(sourcePath);
}

} // namespace kalmo

namespace kalmo {

bool isTranslated(const LineList& source, const Entry& sourceEntry, const LineList& translated,
                  const Entry& translatedEntry)
{
    return entryValue(source, sourceEntry) != entryValue(translated, translatedEntry);
}

} // namespace kalmo
