// The translation memory's SQLite database; see MemoryStore.h.
#include "job/memory/MemoryStore.h"

#include <sqlite3.h>

#include <utility>

namespace kalmo {
namespace {

// Another program's write transaction is waited for this long before the
// memory reports the database as busy; only the memory's worker ever waits.
constexpr int kBusyTimeoutMs = 10'000;

const char* const kSchema = R"SQL(
CREATE TABLE IF NOT EXISTS records (
    id INTEGER PRIMARY KEY,
    language TEXT NOT NULL,
    source TEXT NOT NULL,
    translation TEXT NOT NULL,
    constant TEXT NOT NULL DEFAULT '',
    file TEXT NOT NULL DEFAULT '',
    time INTEGER NOT NULL,
    UNIQUE (language, source, constant)
);
CREATE TABLE IF NOT EXISTS origins (
    translated_file TEXT NOT NULL,
    constant TEXT NOT NULL,
    source TEXT NOT NULL,
    PRIMARY KEY (translated_file, constant)
) WITHOUT ROWID;
)SQL";

bool isDamage(int code)
{
    const int primary = code & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

// "%" and "_" stand for themselves in the searched text.
std::string likePattern(const std::string& text)
{
    std::string pattern = "%";
    for (const char ch : text) {
        if (ch == '%' || ch == '_' || ch == '\\')
            pattern += '\\';
        pattern += ch;
    }
    return pattern + "%";
}

} // namespace

class MemoryStore::Statement {
public:
    Statement(const MemoryStore& store, const char* sql) : store_(store)
    {
        const int code = sqlite3_prepare_v2(store.db_, sql, -1, &statement_, nullptr);
        if (code != SQLITE_OK)
            store.fail("cannot be read", code);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const std::string& text)
    {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int index, std::int64_t value)
    {
        sqlite3_bind_int64(statement_, index, value);
        return *this;
    }

    // True while there is a row.
    bool step()
    {
        const int code = sqlite3_step(statement_);
        if (code == SQLITE_ROW)
            return true;
        if (code == SQLITE_DONE)
            return false;
        store_.fail("cannot be read or written", code);
    }
    void run()
    {
        while (step()) {
        }
        sqlite3_reset(statement_);
    }
    void reset()
    {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }

    std::string text(int column) const
    {
        const auto* bytes = sqlite3_column_text(statement_, column);
        return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                                   static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                     : std::string();
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }

    // The columns id, language, source, translation, constant, file, time.
    MemoryRecord record() const
    {
        return {text(1), text(2), text(3), text(4), text(5), integer(6), integer(0)};
    }

private:
    const MemoryStore& store_;
    sqlite3_stmt* statement_ = nullptr;
};

namespace {
constexpr const char* kRecordColumns = "id, language, source, translation, constant, file, time";

std::string selectRecords(const std::string& rest)
{
    return std::string("SELECT ") + kRecordColumns + " FROM records " + rest;
}
} // namespace

MemoryStore::MemoryStore(const std::string& path) : path_(path)
{
    const int code = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        const std::string reason = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw MemoryError("The translation memory \"" + path + "\" cannot be opened: " + reason, isDamage(code));
    }
    try {
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        // Two programs read and write at once: readers never wait for a
        // writer, and a commit costs no more than one sync of the log.
        execute("PRAGMA journal_mode=WAL");
        execute("PRAGMA synchronous=NORMAL");
        execute(kSchema);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

MemoryStore::~MemoryStore()
{
    sqlite3_close(db_);
}

void MemoryStore::fail(const std::string& what, int code) const
{
    throw MemoryError("The translation memory \"" + path_ + "\" " + what + ": " + sqlite3_errmsg(db_),
                      isDamage(code));
}

void MemoryStore::execute(const char* sql)
{
    char* message = nullptr;
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    if (code == SQLITE_OK)
        return;
    const std::string reason = message ? message : sqlite3_errstr(code);
    sqlite3_free(message);
    throw MemoryError("The translation memory \"" + path_ + "\" cannot be used: " + reason, isDamage(code));
}

void MemoryStore::add(const std::vector<MemoryRecord>& records)
{
    if (records.empty())
        return;
    // Taking the write lock at the start, a transaction never has to give up
    // a read lock to another writer half-way.
    execute("BEGIN IMMEDIATE");
    try {
        Statement insert(*this, "INSERT INTO records (language, source, translation, constant, file, time) "
                                "VALUES (?1, ?2, ?3, ?4, ?5, ?6) "
                                "ON CONFLICT (language, source, constant) DO UPDATE SET "
                                "translation = excluded.translation, file = excluded.file, time = excluded.time "
                                "WHERE excluded.time >= records.time");
        for (const MemoryRecord& record : records) {
            insert.bind(1, record.language).bind(2, record.source).bind(3, record.translation);
            insert.bind(4, record.constant).bind(5, record.file).bind(6, record.time);
            insert.run();
        }
        execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::vector<MemoryRecord> MemoryStore::exactMatches(const std::string& language, const std::string& source,
                                                    const std::string& constant, int limit)
{
    Statement query(*this, selectRecords("WHERE language = ?1 AND source = ?2 "
                                         "ORDER BY constant = ?3 DESC, time DESC, id DESC LIMIT ?4")
                               .c_str());
    query.bind(1, language).bind(2, source).bind(3, constant).bind(4, static_cast<std::int64_t>(limit));
    std::vector<MemoryRecord> found;
    while (query.step())
        found.push_back(query.record());
    return found;
}

std::vector<MemoryRecord> MemoryStore::recordsWithIds(const std::vector<std::int64_t>& ids)
{
    Statement query(*this, selectRecords("WHERE id = ?1").c_str());
    std::vector<MemoryRecord> found;
    for (const std::int64_t id : ids) {
        query.bind(1, id);
        if (query.step())
            found.push_back(query.record());
        query.reset();
    }
    return found;
}

void MemoryStore::forEachSourceAfter(const std::string& language, std::int64_t after,
                                     const std::function<void(std::int64_t, const std::string&)>& take)
{
    // By id, not through the language's index: after the first time only
    // the few records added since are read.
    Statement query(*this, "SELECT id, source FROM records WHERE id > ?2 AND +language = ?1 ORDER BY id");
    query.bind(1, language).bind(2, after);
    while (query.step())
        take(query.integer(0), query.text(1));
}

std::int64_t MemoryStore::lastId()
{
    Statement query(*this, "SELECT coalesce(max(id), 0) FROM records");
    return query.step() ? query.integer(0) : 0;
}

std::vector<MemoryRecord> MemoryStore::search(const std::string& text, const std::string& language, int limit)
{
    Statement query(*this, selectRecords("WHERE (?2 = '' OR language = ?2) "
                                         "AND (source LIKE ?1 ESCAPE '\\' OR translation LIKE ?1 ESCAPE '\\') "
                                         "ORDER BY time DESC, id DESC LIMIT ?3")
                               .c_str());
    query.bind(1, likePattern(text)).bind(2, language).bind(3, static_cast<std::int64_t>(limit));
    std::vector<MemoryRecord> found;
    while (query.step())
        found.push_back(query.record());
    return found;
}

std::vector<MemoryRecord> MemoryStore::records(const std::string& language)
{
    Statement query(*this, selectRecords("WHERE ?1 = '' OR language = ?1 ORDER BY time, id").c_str());
    query.bind(1, language);
    std::vector<MemoryRecord> found;
    while (query.step())
        found.push_back(query.record());
    return found;
}

std::vector<LanguageCount> MemoryStore::languages()
{
    Statement query(*this, "SELECT language, count(*), max(time) FROM records GROUP BY language ORDER BY language");
    std::vector<LanguageCount> counts;
    while (query.step())
        counts.push_back({query.text(0), query.integer(1), query.integer(2)});
    return counts;
}

std::int64_t MemoryStore::translatedFileCount()
{
    Statement query(*this, "SELECT count(DISTINCT translated_file) FROM origins");
    return query.step() ? query.integer(0) : 0;
}

std::map<std::string, std::string> MemoryStore::origins(const std::string& translatedFile)
{
    Statement query(*this, "SELECT constant, source FROM origins WHERE translated_file = ?1");
    query.bind(1, translatedFile);
    std::map<std::string, std::string> found;
    while (query.step())
        found.emplace(query.text(0), query.text(1));
    return found;
}

void MemoryStore::setOrigins(const std::string& translatedFile, const std::map<std::string, std::string>& sources)
{
    if (sources.empty())
        return;
    execute("BEGIN IMMEDIATE");
    try {
        Statement upsert(*this, "INSERT OR REPLACE INTO origins (translated_file, constant, source) VALUES (?1, ?2, ?3)");
        for (const auto& [constant, source] : sources) {
            upsert.bind(1, translatedFile).bind(2, constant).bind(3, source);
            upsert.run();
        }
        execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace kalmo
