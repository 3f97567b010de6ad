#include "job/EntryList.h"

#include <algorithm>
#include <cctype>

namespace kalmo {

bool containsDefine(std::string_view line)
{
    static constexpr std::string_view word = "define";
    const auto found = std::search(line.begin(), line.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return found != line.end();
}

std::vector<Entry> listEntries(const LineList& lines)
{
    std::vector<Entry> entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!containsDefine(line))
            continue;
        const auto quotes = entryQuotes(line);
        if (!quotes)
            continue;
        Entry entry;
        entry.line = static_cast<int>(i);
        entry.quotes = *quotes;
        entry.positions = entryPositions(line, *quotes);
        entry.name = spanBetween(line, entry.positions.nameStart, entry.positions.nameEnd);
        entry.rebuildable = canRebuildWithTranslation(line, *quotes);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string_view entryValue(std::string_view line, const Entry& entry)
{
    const int open = entry.positions.textStart;
    const int close = entry.positions.textEnd;
    if (open == 0 || close <= open + 1)
        return {};
    return line.substr(static_cast<std::size_t>(open), static_cast<std::size_t>(close - open - 1));
}

EntriesByName firstEntryByName(const std::vector<Entry>& entries)
{
    EntriesByName byName;
    byName.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        byName.try_emplace(entries[i].name, i);
    return byName;
}

std::string fileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string translatedFilePath(const std::string& sourcePath)
{
    const auto slash = sourcePath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : sourcePath.substr(0, slash + 1);
    return folder + "Translated_" + fileNameOf(sourcePath);
}

} // namespace kalmo

namespace kalmo {

bool isTranslated(const LineList& source, const Entry& sourceEntry, const LineList& translated,
                  const Entry& translatedEntry)
{
    return entryValue(source, sourceEntry) != entryValue(translated, translatedEntry);
}

} // namespace kalmo
