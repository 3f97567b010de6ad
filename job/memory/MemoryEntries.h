// What a translated language file gives the translation memory and takes
// from it: its translated entries as records, the source texts their
// translations were made from, the entries whose source text changed since,
// and the memory's exact translations for entries still untranslated. The
// window program, `kalmo script` and the `kalmo` commands all go through here.
#pragma once

#include "job/LineList.h"
#include "job/TranslationExchange.h"
#include "job/memory/MemoryStore.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kalmo {

// The name by which the memory knows a translated file: its absolute path
// with symbolic links resolved.
std::string memoryFileKey(const std::string& translatedPath);

// A record for every constant that the translated lines translate (its
// value differs from the source's), as PHP reads the texts.
std::vector<MemoryRecord> memoryRecordsOf(const std::string& language, const std::string& sourcePath,
                                          const LineList& source, const LineList& translated, std::int64_t time);

// The source text of each constant whose value is a text on one line.
std::map<std::string, std::string> sourceTexts(const LineList& source);

// The source text of each constant the translated lines translate.
std::map<std::string, std::string> translatedSources(const LineList& source, const LineList& translated);

struct SourceChange {
    std::string name;
    std::string oldSource; // what the translation was made from
    std::string newSource;
};

// The translated constants whose recorded origin differs from their source
// text now: their translations are to review. A constant without an origin
// has nothing to compare with and is none of them.
std::vector<SourceChange> changedSources(const std::map<std::string, std::string>& origins, const LineList& source,
                                         const LineList& translated);

// What a save records as the origins of the translated constants: each
// one's source text now, except for those still to review, whose
// translation was made from the older text.
std::map<std::string, std::string> originsAfterSave(const LineList& source, const LineList& translated,
                                                    const std::set<std::string>& toReview);

// Puts a translated file's records into the store (none without a
// language) and records where its translations came from, as a save does.
// The constants still to review keep their recorded origin: those the job
// names, or else those whose recorded origin differs from their source now.
// How many records it gave.
std::size_t addTranslatedFile(MemoryStore& store, const std::string& language, const std::string& sourcePath,
                              const LineList& source, const std::string& translatedPath, const LineList& translated,
                              std::int64_t time, const std::set<std::string>* stillToReview = nullptr);

// For each untranslated constant whose source text the memory holds for the
// language, a message with the memory's translation (the constant's own
// record first, then the newest), for importMessages to write.
std::vector<ExchangeMessage> exactTranslationsFor(MemoryStore& store, const std::string& language,
                                                  const LineList& source, const LineList& translated);

struct EntryText {
    std::string name;
    std::string source; // as PHP reads it
};

// The constant and source text of the entry on the line; nullopt when the
// line holds no entry whose value is a text.
std::optional<EntryText> entryTextAt(const LineList& lines, int line);

} // namespace kalmo
