// The translation memory beside a translation job; see MemoryAssistant.h.
#include "job/memory/MemoryAssistant.h"

#include "base/KalmoError.h"
#include "job/EntryList.h"
#include "job/TranslationLanguage.h"
#include "job/memory/HostQueue.h"
#include "job/memory/MemoryEntries.h"

#include <ctime>
#include <set>
#include <utility>

namespace kalmo {
namespace {

// Matches of a search beyond these are more than anyone reads.
constexpr int kSearchLimit = 500;

std::string filledMessage(int count)
{
    if (count == 0)
        return "No untranslated entry has its source text in the translation memory";
    return std::to_string(count) + (count == 1 ? " entry" : " entries") + " filled from the translation memory";
}

} // namespace

MemoryAssistant::MemoryAssistant(TranslationJob& job, Post post, std::string memoryPath)
    : job_(job), post_(std::move(post)), memory_(std::move(memoryPath))
{
    memory_.onProblem = [this](const std::string& message) {
        toJobThread([this, message] {
            if (OnProblem)
                OnProblem(message);
        });
    };
    job_.AddListener(*this);
}

MemoryAssistant::~MemoryAssistant()
{
    job_.RemoveListener(*this);
}

void MemoryAssistant::toJobThread(std::function<void()> task)
{
    post_([alive = std::weak_ptr<int>(alive_), task = std::move(task)] {
        if (alive.lock())
            task();
    });
}

void MemoryAssistant::withStore(std::function<void(MemoryStore&)> action, std::function<void()> unusable)
{
    worker_.post([this, action = std::move(action), unusable = std::move(unusable)] {
        if (!memory_.use(action) && unusable)
            toJobThread(unusable);
    });
}

void MemoryAssistant::Settle(HostQueue& queue)
{
    do {
        WaitForWorker();
    } while (queue.runPending() > 0);
}

void MemoryAssistant::FileLoaded()
{
    const int generation = ++generation_;
    const std::string translatedPath = job_.TranslatedFilePath();
    translatedKey_ = memoryFileKey(translatedPath);
    language_ = LanguageChoices::load().chosenFor(translatedPath);
    if (!languageForNextFile_.empty()) {
        language_ = std::exchange(languageForNextFile_, std::string());
        try {
            LanguageChoices::load().choose(translatedPath, language_);
        } catch (const KalmoError& error) {
            // The load goes on; the language holds for this session.
            if (OnProblem)
                OnProblem(error.what());
        }
    }
    if (language_.empty()) {
        language_ = guessTranslationLanguage({job_.SourceLines(), job_.WorkingLines(), fileNameOf(job_.FileName()),
                                              fileNameOf(translatedPath)});
    }
    changes_.clear();
    withStore([this, generation, key = translatedKey_, source = job_.SourceLines(),
               working = job_.WorkingLines()](MemoryStore& store) {
        std::vector<SourceChange> changes = changedSources(store.origins(key), source, working);
        toJobThread([this, generation, changes = std::move(changes)] {
            if (generation != generation_)
                return;
            std::set<std::string> names;
            for (const SourceChange& change : changes) {
                names.insert(change.name);
                changes_.emplace(change.name, change);
            }
            job_.MarkForReview(std::move(names));
            lookUpShownEntry();
        });
    });
    lookUpShownEntry();
}

void MemoryAssistant::TranslationSaved(const std::string& path)
{
    // Without a language the records would belong to none; the origins of
    // the translations are the file's whatever its language.
    withStore([language = language_, path, sourcePath = job_.FileName(), source = job_.SourceLines(),
               saved = job_.SavedLines(), toReview = job_.EntriesToReview(),
               time = static_cast<std::int64_t>(std::time(nullptr))](MemoryStore& store) {
        addTranslatedFile(store, language, sourcePath, source, path, saved, time, &toReview);
    });
}

void MemoryAssistant::EntryShown()
{
    lookUpShownEntry();
}

void MemoryAssistant::lookUpShownEntry()
{
    const int line = job_.CurrentEntry();
    const auto entry = entryTextAt(job_.SourceLines(), line);
    MemorySuggestions shown;
    shown.language = language_;
    if (entry) {
        shown.entryLine = line;
        shown.name = entry->name;
        shown.source = entry->source;
        const auto change = changes_.find(entry->name);
        if (change != changes_.end() && job_.EntriesToReview().contains(entry->name)) {
            shown.toReview = true;
            shown.oldSource = markChangedWords(change->second.oldSource, change->second.newSource);
            shown.newSource = markChangedWords(change->second.newSource, change->second.oldSource);
        }
    }
    suggestions_ = shown;
    tellSuggestions();
    if (!entry || language_.empty())
        return;
    worker_.postLookup([this, shown = std::move(shown)]() mutable {
        memory_.use([&](MemoryStore& store) {
            shown.matches = lookup_.suggestions(store, shown.language, shown.name, shown.source);
        });
        shown.lookedUp = true;
        toJobThread([this, shown = std::move(shown)] {
            // A lookup for an entry no longer on show, or under another
            // language, is of no use.
            if (shown.entryLine != suggestions_.entryLine || shown.name != suggestions_.name
                || shown.source != suggestions_.source || shown.language != language_)
                return;
            suggestions_.matches = shown.matches;
            suggestions_.lookedUp = true;
            tellSuggestions();
        });
    });
}

void MemoryAssistant::tellSuggestions()
{
    if (OnSuggestions)
        OnSuggestions(suggestions_);
}

void MemoryAssistant::ChooseLanguage(const std::string& text)
{
    const std::string tag = normalizeLanguageTag(text);
    if (tag.empty())
        throw KalmoError("\"" + text + "\" names no language; give a tag such as de or pt_BR");
    if (job_.Loaded())
        LanguageChoices::load().choose(job_.TranslatedFilePath(), tag);
    else
        languageForNextFile_ = tag;
    language_ = tag;
    lookUpShownEntry();
}

void MemoryAssistant::UseSuggestion(int number)
{
    const bool current = suggestions_.entryLine != 0 && suggestions_.entryLine == job_.CurrentEntry();
    const auto index = static_cast<std::size_t>(number - 1);
    if (current && number >= 1 && index < suggestions_.matches.size())
        job_.UseSuggestedTranslation(suggestions_.matches[index].translation);
    else
        job_.UseSuggestedTranslation(std::nullopt);
}

void MemoryAssistant::FillFromMemory()
{
    if (!job_.Loaded()) {
        job_.UseSuggestedTranslation(std::nullopt);
        return;
    }
    const auto tell = [this](const std::string& message) {
        if (OnFilled)
            OnFilled(message);
    };
    if (language_.empty()) {
        tell("No translation language is known for this file: choose one under Tools > Translation Language");
        return;
    }
    const int generation = generation_;
    withStore([this, generation, language = language_, source = job_.SourceLines(),
               working = job_.WorkingLines()](MemoryStore& store) {
        std::vector<ExchangeMessage> found = exactTranslationsFor(store, language, source, working);
        toJobThread([this, generation, found = std::move(found)] {
            if (generation != generation_)
                return;
            const int filled = job_.FillUntranslated(found);
            if (OnFilled)
                OnFilled(filledMessage(filled));
        });
    }, [tell] { tell("The translation memory cannot be used, so nothing was filled"); });
}

void MemoryAssistant::Search(const std::string& text, std::function<void(std::vector<MemoryRecord>)> found)
{
    withStore([this, text, found = std::move(found)](MemoryStore& store) {
        std::vector<MemoryRecord> records = store.search(text, "", kSearchLimit);
        toJobThread([found, records = std::move(records)] { found(records); });
    }, [found] { found({}); });
}

} // namespace kalmo
