// Speed of the translation job on generated language files of 1,000 to
// 100,000 lines: a load that shows the first entry and one step to the next
// entry, each beside the plain work it cannot avoid (reading and splitting the
// file; copying both line lists), so that the ratios say how much the job adds.
#include "controls/memo/MemoLayouts.h"
#include "job/FileAccess.h"
#include "job/LineList.h"
#include "job/TranslationJob.h"
#include "tests/job/FakeTranslationWindows.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <array>
#include <map>
#include <utility>
#include <string>

namespace kalmo {
namespace {

using testing_support::FakeTranslationWindows;
using testing_support::TempFolder;

// Texts of the kind a CMS language file holds, escapes and non-ASCII included.
constexpr std::array kTexts = {
    "Save",
    "You are not authorised to view this resource.",
    "Don\\'t forget to log out",
    "Het bestand is opgeslagen in de map %s",
    "Café, crème brûlée and naïve façades",
    "<strong>Warning:</strong> this cannot be undone!",
    "Number of items per page",
    "Search results for \"%s\" (%d found)",
    "",
    "Please select a category before you continue with the next step of the wizard, or press Cancel.",
};

// A PHP header and comment block, then sections of defines between comments,
// blank lines and the odd other statement: about one define per two lines.
// With firstEntryAtMiddle the first half's defines have an unquoted name, so
// the entry search passes over them and the load lands in the middle: the job
// can only step, and stepping there one entry at a time would cost O(n^2).
std::string makeLanguageFile(int lineCount, bool firstEntryAtMiddle)
{
    std::string content = "<?php\n"
                          "/**\n"
                          " * @package  Generated language file\n"
                          " * @license  GNU/GPL\n"
                          " */\n"
                          "if (!defined('_VALID_MOS')) die('Direct Access to this location is not allowed.');\n";
    int lines = 6;
    for (int n = 0; lines < lineCount - 1; ++n) {
        std::string line;
        switch (n % 8) {
        case 0: line = "// Section " + std::to_string(n / 8); break;
        case 2: line = ""; break;
        case 4: line = (n % 32 == 4) ? "$mosConfig_lang_count = " + std::to_string(n) + ";" : "// ---"; break;
        case 6: line = ""; break;
        default: {
            const char* text = kTexts[static_cast<std::size_t>(n * 7 % kTexts.size())];
            const bool passedOver = firstEntryAtMiddle && lines < lineCount / 2;
            const std::string quote = passedOver ? "" : (n % 5 == 0) ? "\"" : "'";
            const std::string name = quote + "_ITEM_" + std::to_string(n) + quote;
            line = (n % 5 == 0) ? "DEFINE(" + name + ", \"" + text + "\");" : "define(" + name + ", '" + text + "');";
            if (n % 9 == 0)
                line += " // reviewed";
        }
        }
        content += line;
        content += (n % 3 == 0) ? "\r\n" : "\n";
        ++lines;
    }
    return content + "?>\n";
}

// One file per size and kind, written once for the whole run.
class GeneratedFiles {
public:
    const std::string& pathFor(int lineCount, bool firstEntryAtMiddle = false)
    {
        const auto key = std::pair(lineCount, firstEntryAtMiddle);
        auto found = paths_.find(key);
        if (found == paths_.end()) {
            const std::string name = std::string(firstEntryAtMiddle ? "middle_" : "lang_") + std::to_string(lineCount) + ".php";
            found = paths_.emplace(key, folder_.write(name, makeLanguageFile(lineCount, firstEntryAtMiddle))).first;
        }
        return found->second;
    }

private:
    TempFolder folder_;
    std::map<std::pair<int, bool>, std::string> paths_;
};

GeneratedFiles& generatedFiles()
{
    static GeneratedFiles files;
    return files;
}

// A job wired to its windows and two panes shaped like the source viewer's.
struct JobRig {
    JobRig()
    {
        for (TCustomCodeMemo* memo : {&memo1, &memo2}) {
            applyViewerPaneLayout(*memo);
            memo->SetFontCell(7, 14);
        }
        memo1.SetBounds(488, 193);
        memo2.SetBounds(488, 199);
        job.FormCreate();
    }

    void load(const std::string& path)
    {
        windows.dialogAnswer = path;
        job.LoadSourceFile1Click();
    }

    FakeTranslationWindows windows;
    TCustomCodeMemo memo1;
    TCustomCodeMemo memo2;
    TranslationJob job{windows, memo1, memo2};
};

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
