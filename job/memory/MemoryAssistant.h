// The translation memory beside a translation job. It follows the job's
// work: each save puts the translated entries into the memory and records
// the source texts they were made from; each load tells the job which
// entries' source texts changed since; each entry shown gets its
// suggestions. Everything that touches the database or the index runs on
// the memory's worker; results come back on the job's thread through the
// host's `post` (the window program's event loop, or a HostQueue).
#pragma once

#include "job/TranslationJob.h"
#include "job/TranslationJobEvents.h"
#include "job/memory/ChangedWords.h"
#include "job/memory/MemoryEntries.h"
#include "job/memory/MemoryLookup.h"
#include "job/memory/MemoryWorker.h"
#include "job/memory/UserMemory.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kalmo {

class HostQueue;

// What the Suggestions section shows for the entry on show.
struct MemorySuggestions {
    int entryLine = 0; // the entry's line; 0 when none is on show
    std::string name;
    std::string source;
    std::string language; // empty: none known, so no suggestions
    // False until the lookup for this entry came back.
    bool lookedUp = false;
    std::vector<Suggestion> matches;
    // For an entry to review: the source text its translation was made from
    // and the one now, each with the words the other lacks marked.
    bool toReview = false;
    std::vector<MarkedPiece> oldSource;
    std::vector<MarkedPiece> newSource;
};

class MemoryAssistant : private TranslationJobEvents {
public:
    using Post = std::function<void(std::function<void()> task)>;

    MemoryAssistant(TranslationJob& job, Post post, std::string memoryPath = userMemoryPath());
    // Finishes the work handed to the worker (a save's records among it).
    ~MemoryAssistant() override;
    MemoryAssistant(const MemoryAssistant&) = delete;
    MemoryAssistant& operator=(const MemoryAssistant&) = delete;

    // Told on the job's thread.
    std::function<void(const MemorySuggestions&)> OnSuggestions;
    // A memory that cannot be used, or that was damaged and moved aside;
    // each told once.
    std::function<void(const std::string& message)> OnProblem;
    // How Fill from Memory went, in one sentence.
    std::function<void(const std::string& message)> OnFilled;

    // The translated file's language: the one chosen for it, else guessed.
    const std::string& Language() const { return language_; }
    // Tools > Translation Language: the language of the translated file,
    // remembered for it; chosen before a load, that of the next file
    // loaded. Throws for a text that names no language and when the choice
    // cannot be stored.
    void ChooseLanguage(const std::string& text);

    const MemorySuggestions& Suggestions() const { return suggestions_; }
    // Ctrl+1 … Ctrl+5: the translation field takes suggestion `number`
    // (from 1); a beep when the entry on show has none such.
    void UseSuggestion(int number);
    // Tools > Fill from Memory: every untranslated entry whose source text
    // the memory holds for the language takes its translation (the same
    // constant's first); OnFilled says how many.
    void FillFromMemory();
    // Tools > Search Memory: records whose source or translation holds the
    // text, newest first, of every language.
    void Search(const std::string& text, std::function<void(std::vector<MemoryRecord>)> found);

    // Waits until the worker did what was handed to it; its results still
    // come through `post`.
    void WaitForWorker() { worker_.waitUntilIdle(); }
    // For hosts with a HostQueue: waits for the worker and runs what it hands
    // back, until neither has anything left.
    void Settle(HostQueue& queue);

private:
    void FileLoaded() override;
    void TranslationSaved(const std::string& path) override;
    void EntryShown() override;

    void lookUpShownEntry();
    void tellSuggestions();
    // Runs the task on the job's thread, unless this assistant is gone by then.
    void toJobThread(std::function<void()> task);
    // Runs the action on the worker with the store; problems are told, and
    // `unusable` runs on the job's thread when there is no store to use.
    void withStore(std::function<void(MemoryStore& store)> action, std::function<void()> unusable = {});

    TranslationJob& job_;
    Post post_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    // The job's thread's.
    std::string language_;
    std::string languageForNextFile_;
    std::string translatedKey_;
    int generation_ = 0;
    std::map<std::string, SourceChange> changes_;
    MemorySuggestions suggestions_;

    // The worker's.
    UserMemory memory_;
    MemoryLookup lookup_;

    // Last, so that it ends first: its tasks use the members above.
    MemoryWorker worker_;
};

} // namespace kalmo
