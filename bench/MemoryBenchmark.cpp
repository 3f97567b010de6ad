// The translation memory's speed on this machine, with a generated memory of
// realistic short and long texts:
//   - a lookup over 100,000 records: the median, the 95th percentile and the
//     worst (targets: at most 20 ms at the 95th percentile, 50 ms at worst);
//   - filling the memory from 100 translated files, as `kalmo memory
//     add-dir` does;
//   - a keystroke (Enter: commit, show the next entry, ask for its
//     suggestions) with the memory on and off, while lookups run.
//
//   memory_bench [records]     100000 records by default
//
// Not Google Benchmark: the figures wanted are percentiles of single calls.
#include "job/LanguageFile.h"
#include "job/memory/HostQueue.h"
#include "job/memory/MemoryAssistant.h"
#include "job/memory/MemoryEntries.h"
#include "job/memory/MemoryLookup.h"
#include "job/memory/MemoryStore.h"
#include "testing/JobRig.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kalmo;
using Clock = std::chrono::steady_clock;

constexpr const char* kWords[] = {
    "the", "a", "your", "this", "page", "file", "folder", "user", "name", "password", "save", "changes", "delete",
    "cannot", "be", "undone", "please", "select", "category", "before", "you", "continue", "with", "next", "step",
    "of", "wizard", "or", "press", "cancel", "search", "results", "for", "found", "items", "per", "show", "hide",
    "all", "none", "new", "old", "article", "comment", "comments", "posted", "by", "on", "at", "in", "to", "from",
    "member", "members", "online", "last", "visit", "was", "welcome", "back", "log", "out", "remember", "me",
    "computer", "access", "denied", "not", "allowed", "here", "there", "upload", "download", "image", "images",
    "size", "maximum", "minimum", "is", "are", "too", "large", "small", "date", "time", "format", "language",
    "settings", "site", "title", "description", "keywords", "edit", "publish", "unpublish", "archive", "trash",
    "order", "ascending", "descending", "module", "component", "plugin", "template", "menu", "link", "help",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// Short interface texts mostly, sentences often, now and then a paragraph,
// with placeholders, numbers and tags among the words.
std::string makeText(std::mt19937& random)
{
    const unsigned kind = random() % 100;
    const std::size_t words = kind < 60 ? 1 + random() % 4 : kind < 90 ? 6 + random() % 15 : 40 + random() % 110;
    std::string text;
    for (std::size_t i = 0; i < words; ++i) {
        if (i > 0)
            text += ' ';
        const unsigned extra = random() % 40;
        if (extra == 0)
            text += "%s";
        else if (extra == 1)
            text += std::to_string(random() % 1000);
        else if (extra == 2)
            text += std::string("<b>") + kWords[random() % kWordCount] + "</b>";
        else
            text += kWords[random() % kWordCount];
    }
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + (words > 5 ? "." : "");
}

// One word of the text replaced: what a new release of a CMS does to a text.
std::string variantOf(const std::string& text, std::mt19937& random)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    words[random() % words.size()] = kWords[random() % kWordCount];
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

std::string translationOf(const std::string& text) { return "[de] " + text; }

struct Percentiles {
    double median = 0;
    double p95 = 0;
    double worst = 0;
};

Percentiles percentiles(std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double share) {
        return milliseconds[std::min(milliseconds.size() - 1, static_cast<std::size_t>(share * milliseconds.size()))];
    };
    return {at(0.5), at(0.95), milliseconds.back()};
}

double millisecondsOf(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void print(const char* what, const Percentiles& figures)
{
    std::printf("%-44s median %7.2f ms   p95 %7.2f ms   worst %7.2f ms\n", what, figures.median, figures.p95,
                figures.worst);
}

std::string languageFileOf(const std::vector<std::string>& texts, bool translated)
{
    std::string file = "<?php\n";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string text = translated ? translationOf(texts[i]) : texts[i];
        file += "define('_TEXT_" + std::to_string(i) + "', '" + text + "');\n";
    }
    return file;
}

} // namespace

int main(int argc, char** argv)
{
    const int recordCount = argc > 1 ? std::atoi(argv[1]) : 100'000;
    const testing_support::UserFolders folders;
    const testing_support::TempFolder folder;
    std::mt19937 random(2026);

    // The memory.
    std::vector<std::string> texts;
    std::vector<MemoryRecord> records;
    for (int i = 0; i < recordCount; ++i) {
        texts.push_back(makeText(random));
        records.push_back({"de", texts.back(), translationOf(texts.back()), "_TEXT_" + std::to_string(i), "gen.php",
                           i, 0});
    }
    const std::string memoryPath = folder.path("memory.sqlite");
    MemoryStore store(memoryPath);
    std::printf("%-44s %9.0f ms\n", ("storing " + std::to_string(recordCount) + " records").c_str(),
                millisecondsOf([&] { store.add(records); }));

    // Lookups: stored texts, texts one word away, and texts the memory lacks.
    std::vector<std::string> queries;
    for (int i = 0; i < 1000; ++i) {
        const std::string& stored = texts[random() % texts.size()];
        const unsigned kind = random() % 10;
        queries.push_back(kind < 2 ? stored : kind < 6 ? variantOf(stored, random) : makeText(random));
    }
    MemoryLookup lookup;
    std::printf("%-44s %9.0f ms\n", "first lookup, building the index",
                millisecondsOf([&] { lookup.suggestions(store, "de", "_X", queries.front()); }));
    std::vector<double> all;
    std::vector<double> longOnes;
    std::size_t found = 0;
    for (const std::string& query : queries) {
        const double ms = millisecondsOf([&] { found += lookup.suggestions(store, "de", "_X", query).size(); });
        all.push_back(ms);
        if (query.size() > 200)
            longOnes.push_back(ms);
    }
    print(("lookup over " + std::to_string(recordCount) + " records").c_str(), percentiles(all));
    if (!longOnes.empty())
        print("  of those, texts over 200 characters", percentiles(longOnes));
    std::printf("  %zu suggestions for %zu lookups\n", found, queries.size());

    // Filling a memory from 100 translated files of 300 entries.
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int file = 0; file < 100; ++file) {
        std::vector<std::string> fileTexts;
        for (int i = 0; i < 300; ++i)
            fileTexts.push_back(texts[random() % texts.size()]);
        const std::string name = "module" + std::to_string(file) + ".php";
        pairs.emplace_back(folder.write(name, languageFileOf(fileTexts, false)),
                           folder.write("Translated_" + name, languageFileOf(fileTexts, true)));
    }
    MemoryStore filled(folder.path("filled.sqlite"));
    std::size_t added = 0;
    const double fill = millisecondsOf([&] {
        for (const auto& [sourcePath, translatedPath] : pairs) {
            const LanguageFile source = readLanguageFile(sourcePath);
            const LanguageFile translated = readLanguageFile(translatedPath);
            added += addTranslatedFile(filled, "de", sourcePath, source.lines, translatedPath, translated.lines, 1);
        }
    });
    std::printf("%-44s %9.0f ms (%zu records)\n", "filling a memory from 100 translated files", fill, added);

    // Keystrokes: Enter on one entry after another, the next one following at
    // once, so that lookups are still running while the job works.
    std::vector<std::string> fileTexts;
    for (int i = 0; i < 600; ++i)
        fileTexts.push_back(i % 2 ? variantOf(texts[random() % texts.size()], random) : makeText(random));
    const std::string jobFile = folder.write("site.php", languageFileOf(fileTexts, false));
    const auto keystrokes = [&](bool memoryOn) {
        testing_support::JobRig rig;
        HostQueue results;
        std::unique_ptr<MemoryAssistant> memory;
        if (memoryOn) {
            memory = std::make_unique<MemoryAssistant>(
                rig.job, [&](std::function<void()> task) { results.post(std::move(task)); }, memoryPath);
            memory->ChooseLanguage("de");
        }
        rig.load(jobFile);
        if (memory)
            memory->Settle(results); // the index is built before the first key
        std::vector<double> times;
        for (std::size_t i = 1; i < fileTexts.size(); ++i) {
            rig.windows.translation = "Text " + std::to_string(i);
            times.push_back(millisecondsOf([&] {
                rig.job.Volgende();
                results.runPending();
            }));
        }
        if (memory)
            memory->Settle(results);
        return percentiles(times);
    };
    print("keystroke (Enter) with the memory off", keystrokes(false));
    print("keystroke (Enter) with the memory on", keystrokes(true));
    return 0;
}
