// Speed of the translation job on generated language files of 1,000 to
// 1,000,000 lines: a load that shows the first entry, one step to the next
// entry, a character typed in the free editor, the journal written after
// typing and Exit, each beside the plain work it cannot avoid (reading and
// splitting the file; writing it), so that the ratios say how much the job
// adds. The job keeps its recovery journal in a temporary folder, as the
// program does.
#include "base/KeyCodes.h"
#include "bench/GeneratedLanguageFile.h"
#include "job/FileAccess.h"
#include "job/LanguageFile.h"
#include "job/LineList.h"
#include "job/TranslationJob.h"
#include "testing/JobRig.h"
#include "testing/TempFolder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kalmo {
namespace {

using bench::generatedFiles;

using testing_support::JobRig;
using testing_support::TempFolder;

int sizeOf(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

// A rig whose job keeps its journal where the benchmark cleans up.
struct JournalledRig {
    TempFolder journals;
    JobRig rig;
    JournalledRig() { rig.job.KeepRecoveryJournalIn(journals.path("journals")); }
};

// A key-down comes first, as from the keyboard: the pane takes no
// character without one.
void typeInPane(JobRig& rig, char letter)
{
    rig.memo2.KeyDown(vk::LetterA + (letter - 'a'), {});
    rig.memo2.KeyPress(static_cast<char32_t>(letter));
}

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
    JournalledRig journalled;
    JobRig& rig = journalled.rig;
    for (auto _ : state)
        rig.load(path);
    if (rig.job.CurrentEntry() == 0)
        state.SkipWithError("the load showed no entry");
}

// Down from an entry in the middle of the file. Stepping back is the reset,
// so every timed step leaves the same entry for the same next one. With
// `writing`, the field holds another text before each step, so that every
// timed step commits a new translation (the step a translator makes);
// without, it commits an unchanged one.
void timeDownFromTheMiddle(benchmark::State& state, bool writing)
{
    JournalledRig journalled;
    JobRig& rig = journalled.rig;
    rig.load(generatedFiles().pathFor(sizeOf(state), true));
    const int from = rig.job.CurrentEntry();
    if (from < rig.job.LineCount() / 2 - 2)
        state.SkipWithError("the load did not land in the middle");
    bool second = false;
    for (auto _ : state) {
        if (writing) {
            state.PauseTiming();
            rig.windows.translation = (second = !second) ? "vertaald" : "overgezet";
            state.ResumeTiming();
        }
        rig.job.Volgende();
        state.PauseTiming();
        rig.job.Vorige();
        state.ResumeTiming();
    }
    if (rig.job.CurrentEntry() != from)
        state.SkipWithError("the reset did not return to the starting entry");
}

void BM_VolgendeOneEntry(benchmark::State& state) { timeDownFromTheMiddle(state, false); }
void BM_VolgendeTranslated(benchmark::State& state) { timeDownFromTheMiddle(state, true); }

// A key in the free editor, as the keyboard gives it: what every keystroke
// costs. The program brings the journal up to date at most once in a few
// seconds of typing; that write is timed below on its own.
void BM_TypedCharacterFullText(benchmark::State& state)
{
    JournalledRig journalled;
    JobRig& rig = journalled.rig;
    rig.load(generatedFiles().pathFor(sizeOf(state), true));
    rig.job.FullEdit();
    const int line = rig.memo2.CaretLine();
    const int before = rig.memo2.Lines().LineLength(line);
    for (auto _ : state)
        typeInPane(rig, 'x');
    if (rig.memo2.Lines().LineLength(line) != before + static_cast<int>(state.iterations()))
        state.SkipWithError("the typed characters did not reach the pane");
}

// The journal written after typing in the free editor.
void BM_JournalAfterTyping(benchmark::State& state)
{
    JournalledRig journalled;
    JobRig& rig = journalled.rig;
    rig.load(generatedFiles().pathFor(sizeOf(state), true));
    rig.job.FullEdit();
    for (auto _ : state) {
        state.PauseTiming();
        typeInPane(rig, 'x');
        state.ResumeTiming();
        rig.job.KeepJournal();
    }
}

void BM_WriteFileBaseline(benchmark::State& state)
{
    const std::string& path = generatedFiles().pathFor(sizeOf(state));
    const LanguageFile file = readLanguageFile(path, std::nullopt);
    TempFolder folder;
    for (auto _ : state)
        writeLanguageFile(folder.path("written.php"), file.lines, file.lineEnds, file.encoding);
}

// Exit after one translated entry: the commit, the save and the end.
void BM_Exit(benchmark::State& state)
{
    TempFolder folder;
    const std::string path = folder.write("lang.php", readWholeFile(generatedFiles().pathFor(sizeOf(state))));
    for (auto _ : state) {
        state.PauseTiming();
        JournalledRig journalled;
        JobRig& rig = journalled.rig;
        rig.load(path);
        rig.windows.translation = "vertaald";
        state.ResumeTiming();
        rig.job.Exit1Click();
    }
}

void fileSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

// A million lines take seconds per load today: a few rounds say enough.
void fewRounds(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Iterations(5)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ReadAndSplitBaseline)->Apply(fileSizes);
BENCHMARK(BM_LoadAndFirstEntry)->Apply(fewRounds);
BENCHMARK(BM_VolgendeOneEntry)->Apply(fileSizes);
BENCHMARK(BM_VolgendeTranslated)->Apply(fileSizes);
BENCHMARK(BM_TypedCharacterFullText)->Apply(fileSizes);
BENCHMARK(BM_JournalAfterTyping)->Apply(fileSizes);
BENCHMARK(BM_WriteFileBaseline)->Apply(fewRounds);
BENCHMARK(BM_Exit)->Apply(fewRounds);

} // namespace
} // namespace kalmo

BENCHMARK_MAIN();
