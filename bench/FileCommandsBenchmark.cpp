// Speed of the whole-file commands' work (kalmo stats and kalmo check on a
// source and its half-translated copy, already read) beside reading and
// splitting the source alone, so that the ratios say what the commands add.
#include "bench/GeneratedLanguageFile.h"
#include "job/EntryList.h"
#include "job/FileAccess.h"
#include "job/LineList.h"
#include "job/TranslationCheck.h"
#include "job/TranslationStats.h"

#include <benchmark/benchmark.h>

namespace kalmo {
namespace {

using bench::generatedFiles;

int sizeOf(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

LineList readSource(const benchmark::State& state)
{
    return splitLines(readWholeFile(generatedFiles().pathFor(sizeOf(state))));
}

// Every step-th entry translated: 2 for a file in the middle of its
// translation (a note for each entry still to do), 1 for a finished one.
LineList translated(const LineList& source, std::size_t step)
{
    LineList translated = source;
    const std::vector<Entry> entries = listEntries(source);
    for (std::size_t i = 0; i < entries.size(); i += step) {
        std::string& line = translated[static_cast<std::size_t>(entries[i].line)];
        const std::string text = "NL " + std::string(entryValue(line, entries[i]));
        if (auto rebuilt = rebuildWithTranslation(line, entries[i].quotes, text))
            line = std::move(*rebuilt);
    }
    return translated;
}

void BM_ReadAndSplitBaseline(benchmark::State& state)
{
    const std::string& path = generatedFiles().pathFor(sizeOf(state));
    for (auto _ : state) {
        LineList lines = splitLines(readWholeFile(path));
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_Stats(benchmark::State& state)
{
    const LineList source = readSource(state);
    const LineList half = translated(source, 2);
    for (auto _ : state) {
        const TranslationStats stats = translationStats(source, &half);
        benchmark::DoNotOptimize(stats);
    }
}

void BM_Check(benchmark::State& state)
{
    const LineList source = readSource(state);
    const LineList translation = translated(source, static_cast<std::size_t>(state.range(1)));
    std::size_t findings = 0;
    for (auto _ : state) {
        // As kalmo check runs it, the file's character set given.
        const std::vector<Finding> found = checkTranslation(
            {"lang.php", &source}, {"Translated_lang.php", &translation}, {TextEncoding::Utf8, nullptr});
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
}

void fileSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ReadAndSplitBaseline)->Apply(fileSizes);
BENCHMARK(BM_Stats)->Apply(fileSizes);
BENCHMARK(BM_Check)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {2, 1}})
    ->ArgNames({"lines", "translatedEvery"})
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kalmo

BENCHMARK_MAIN();
