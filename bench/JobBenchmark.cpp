// Speed of the translation job on generated language files of 1,000 to
// 100,000 lines: a load that shows the first entry and one step to the next
// entry, each beside the plain work it cannot avoid (reading and splitting the
// file; copying both line lists), so that the ratios say how much the job adds.
#include "bench/GeneratedLanguageFile.h"
#include "job/FileAccess.h"
#include "job/LineList.h"
#include "job/TranslationJob.h"
#include "testing/JobRig.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kalmo {
namespace {

using bench::generatedFiles;

using testing_support::JobRig;

int sizeOf(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_ReadAndSplitBaseline(benchmark::State& state)
{
    const std::string& path = generatedFiles().pathFor(sizeOf(state));
    for (auto _ : state) {
        LineList lines = splitLines(readWholeFile(path));
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_LoadAndFirstEntry(benchmark::State& state)
{
    const std::string& path = generatedFiles().pathFor(sizeOf(state));
    JobRig rig;
    for (auto _ : state)
        rig.load(path);
    if (rig.job.CurrentEntry() == 0)
        state.SkipWithError("the load showed no entry");
}

void BM_CopyBothListsBaseline(benchmark::State& state)
{
    const LineList lines = splitLines(readWholeFile(generatedFiles().pathFor(sizeOf(state))));
    for (auto _ : state) {
        LineList source = lines;
        LineList working = lines;
        benchmark::DoNotOptimize(source.data());
        benchmark::DoNotOptimize(working.data());
    }
}

void BM_VolgendeOneEntry(benchmark::State& state)
{
    JobRig rig;
    rig.load(generatedFiles().pathFor(sizeOf(state), true));
    // Stepping back is the reset, so every timed step leaves the same entry
    // for the same next one and commits an unchanged translation.
    const int from = rig.job.CurrentEntry();
    if (from < rig.job.LineCount() / 2 - 2)
        state.SkipWithError("the load did not land in the middle");
    for (auto _ : state) {
        rig.job.Volgende();
        state.PauseTiming();
        rig.job.Vorige();
        state.ResumeTiming();
    }
    if (rig.job.CurrentEntry() != from)
        state.SkipWithError("the reset did not return to the starting entry");
}

void fileSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ReadAndSplitBaseline)->Apply(fileSizes);
BENCHMARK(BM_LoadAndFirstEntry)->Apply(fileSizes);
BENCHMARK(BM_CopyBothListsBaseline)->Apply(fileSizes);
BENCHMARK(BM_VolgendeOneEntry)->Apply(fileSizes);

} // namespace
} // namespace kalmo

BENCHMARK_MAIN();
