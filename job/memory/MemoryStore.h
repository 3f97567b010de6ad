// The translation memory's database: one SQLite file per user that every
// program of the user shares at once (write-ahead log; a writer waits for
// another's transaction). It holds the records (a target language, a source
// text, its translation, the constant and source file it came from, when)
// and, per translated file and constant, the source text its translation
// was made from, which tells when a source changed under a translation.
#pragma once

#include "base/KalmoError.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct sqlite3;

namespace kalmo {

struct MemoryRecord {
    std::string language; // a normalised tag: "de", "pt_BR"
    std::string source;
    std::string translation;
    std::string constant; // empty when the record came without one
    std::string file;     // the source file's name, without its folder
    std::int64_t time = 0; // seconds since 1970
    std::int64_t id = 0;   // the database's, once stored
};

// A database that failed; damaged() when the file is no SQLite database or
// a broken one, which no retry mends.
class MemoryError : public KalmoError {
public:
    MemoryError(const std::string& message, bool damaged) : KalmoError(message), damaged_(damaged) {}
    bool damaged() const { return damaged_; }

private:
    bool damaged_;
};

struct LanguageCount {
    std::string language;
    std::int64_t records = 0;
    std::int64_t newest = 0; // time of the newest record
};

class MemoryStore {
public:
    // Opens the database, making the file and its tables when missing.
    // Throws MemoryError naming the file.
    explicit MemoryStore(const std::string& path);
    ~MemoryStore();
    MemoryStore(const MemoryStore&) = delete;
    MemoryStore& operator=(const MemoryStore&) = delete;

    const std::string& path() const { return path_; }

    // Stores the records in one transaction. A record with the language,
    // source and constant of a stored one is its newer version: it replaces
    // the translation, file and time, unless it is older than what is stored.
    void add(const std::vector<MemoryRecord>& records);

    // The language's records whose source is exactly this text: those of
    // the constant first, then the newest first.
    std::vector<MemoryRecord> exactMatches(const std::string& language, const std::string& source,
                                           const std::string& constant, int limit);
    std::vector<MemoryRecord> recordsWithIds(const std::vector<std::int64_t>& ids);
    // The id and source of each record of the language with an id above
    // `after`, in id order, for an index kept in memory.
    void forEachSourceAfter(const std::string& language, std::int64_t after,
                            const std::function<void(std::int64_t id, const std::string& source)>& take);
    // The highest id given so far; 0 for an empty memory.
    std::int64_t lastId();

    // Records whose source or translation contains the text (ASCII letters
    // in any case), newest first; of every language when language is empty.
    std::vector<MemoryRecord> search(const std::string& text, const std::string& language, int limit);
    // Every record of the language, oldest first; of every language when empty.
    std::vector<MemoryRecord> records(const std::string& language);
    std::vector<LanguageCount> languages();
    std::int64_t translatedFileCount();

    // The source text each constant's translation in the translated file
    // was made from.
    std::map<std::string, std::string> origins(const std::string& translatedFile);
    // Records where each constant's translation came from, replacing what
    // was recorded for the constant.
    void setOrigins(const std::string& translatedFile, const std::map<std::string, std::string>& sources);

private:
    class Statement;
    void execute(const char* sql);
    [[noreturn]] void fail(const std::string& what, int code) const;

    std::string path_;
    sqlite3* db_ = nullptr;
};

} // namespace kalmo
