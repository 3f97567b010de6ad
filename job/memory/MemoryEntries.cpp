// What translated files give the memory and take from it; see MemoryEntries.h.
#include "job/memory/MemoryEntries.h"

#include "job/EntryList.h"
#include "job/EntryParser.h"
#include "job/PhpString.h"

#include <filesystem>

namespace kalmo {
namespace {

std::vector<ExchangeMessage> messagesOf(const LineList& source, const LineList* translated)
{
    return exportMessages("", source, translated).messages;
}

bool translates(const ExchangeMessage& message) { return !message.wholeLine && !message.translation.empty(); }

} // namespace

std::string memoryFileKey(const std::string& translatedPath)
{
    std::error_code ignored;
    const auto canonical = std::filesystem::weakly_canonical(std::filesystem::absolute(translatedPath), ignored);
    return (canonical.empty() ? std::filesystem::absolute(translatedPath).lexically_normal() : canonical).string();
}

std::vector<MemoryRecord> memoryRecordsOf(const std::string& language, const std::string& sourcePath,
                                          const LineList& source, const LineList& translated, std::int64_t time)
{
    std::vector<MemoryRecord> records;
    for (ExchangeMessage& message : messagesOf(source, &translated)) {
        if (translates(message))
            records.push_back({language, std::move(message.source), std::move(message.translation),
                               std::move(message.context), fileNameOf(sourcePath), time, 0});
    }
    return records;
}

std::map<std::string, std::string> sourceTexts(const LineList& source)
{
    std::map<std::string, std::string> texts;
    for (ExchangeMessage& message : messagesOf(source, nullptr))
        if (!message.wholeLine)
            texts.emplace(std::move(message.context), std::move(message.source));
    return texts;
}

std::map<std::string, std::string> translatedSources(const LineList& source, const LineList& translated)
{
    std::map<std::string, std::string> texts;
    for (ExchangeMessage& message : messagesOf(source, &translated))
        if (translates(message))
            texts.emplace(std::move(message.context), std::move(message.source));
    return texts;
}

std::vector<SourceChange> changedSources(const std::map<std::string, std::string>& origins, const LineList& source,
                                         const LineList& translated)
{
    std::vector<SourceChange> changes;
    if (origins.empty())
        return changes;
    for (const ExchangeMessage& message : messagesOf(source, &translated)) {
        if (!translates(message))
            continue;
        const auto origin = origins.find(message.context);
        if (origin != origins.end() && origin->second != message.source)
            changes.push_back({message.context, origin->second, message.source});
    }
    return changes;
}

std::map<std::string, std::string> originsAfterSave(const LineList& source, const LineList& translated,
                                                    const std::set<std::string>& toReview)
{
    std::map<std::string, std::string> origins = translatedSources(source, translated);
    for (const std::string& name : toReview)
        origins.erase(name);
    return origins;
}

std::size_t addTranslatedFile(MemoryStore& store, const std::string& language, const std::string& sourcePath,
                              const LineList& source, const std::string& translatedPath, const LineList& translated,
                              std::int64_t time, const std::set<std::string>* stillToReview)
{
    std::vector<MemoryRecord> records;
    if (!language.empty())
        records = memoryRecordsOf(language, sourcePath, source, translated, time);
    store.add(records);
    const std::string key = memoryFileKey(translatedPath);
    std::set<std::string> changed;
    if (!stillToReview) {
        for (const SourceChange& change : changedSources(store.origins(key), source, translated))
            changed.insert(change.name);
    }
    store.setOrigins(key, originsAfterSave(source, translated, stillToReview ? *stillToReview : changed));
    return records.size();
}

std::vector<ExchangeMessage> exactTranslationsFor(MemoryStore& store, const std::string& language,
                                                  const LineList& source, const LineList& translated)
{
    std::vector<ExchangeMessage> found;
    for (ExchangeMessage& message : messagesOf(source, &translated)) {
        if (message.wholeLine || !message.translation.empty())
            continue;
        const std::vector<MemoryRecord> matches = store.exactMatches(language, message.source, message.context, 1);
        if (matches.empty() || matches.front().translation == message.source)
            continue;
        message.translation = matches.front().translation;
        found.push_back(std::move(message));
    }
    return found;
}

std::optional<EntryText> entryTextAt(const LineList& lines, int line)
{
    if (line <= 0 || static_cast<std::size_t>(line) >= lines.size())
        return std::nullopt;
    const std::string& text = lines[static_cast<std::size_t>(line)];
    const auto quotes = entryQuotes(text);
    if (!quotes)
        return std::nullopt;
    const EntryPositions at = entryPositions(text, *quotes);
    if (at.textEnd == 0)
        return std::nullopt;
    return EntryText{spanBetween(text, at.nameStart, at.nameEnd),
                     unescapePhpString(spanBetween(text, at.textStart, at.textEnd), quotes->valueQuote)};
}

} // namespace kalmo
