// Editing costs of a viewer pane in full-text mode at 1,000 and 100,000
// lines: one typed character, one Enter, one Delete that joins two lines.
// Beside them the floor any line-vector store pays: inserting one string
// into, and removing one from, the middle of a std::vector<std::string> of
// the same size. A typed character must not grow with the line count; Enter
// and the join may cost the vector step and little more. The set-up that
// puts the text back after each measured step runs with the timer paused.
#include "app/layouts/MemoLayouts.h"
#include "base/KeyCodes.h"
#include "controls/memo/CodeMemoModel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace kalmo {
namespace {

std::vector<std::string> paneLines(int count)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back("\"entry " + std::to_string(i) + "\" = \"some translated text of a line\";");
    }
    return lines;
}

// The lower pane with its lines, enabled and editable, caret on `line`.
std::unique_ptr<TCustomCodeMemo> editablePane(std::vector<std::string> lines, int caretCol, int line)
{
    auto memo = std::make_unique<TCustomCodeMemo>();
    shapeViewerPane(*memo, layout::source_viewer::Memo2);
    memo->ClearText();
    memo->Lines().AppendLines(lines);
    memo->SetEnabled(true);
    memo->SetReadOnly(false);
    memo->KeyDown(vk::LetterA, 0);
    memo->PlaceCaret(caretCol, line);
    return memo;
}

constexpr int kCharactersPerRound = 32;

void BM_TypeCharacter(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const int line = count / 2;
    auto memo = editablePane(paneLines(count), 1, line);
    const std::string original = memo->Lines().Line(line);
    for (auto _ : state) {
        for (int i = 0; i < kCharactersPerRound; ++i) {
            memo->KeyPress(U'x');
        }
        state.PauseTiming();
        memo->Lines().PutLine(line, original);
        memo->PlaceCaret(1, line);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCharactersPerRound);
}

void BM_Enter(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    auto memo = editablePane(paneLines(count), 8, count / 2);
    for (auto _ : state) {
        memo->KeyPress(13);
        state.PauseTiming();
        memo->KeyDown(vk::Backspace, 0); // joins the line back
        state.ResumeTiming();
    }
}

void BM_DeleteJoin(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const int line = count / 2;
    auto memo = editablePane(paneLines(count), 8, line);
    memo->KeyPress(13);
    const int end = memo->Lines().LineLength(line);
    memo->PlaceCaret(end, line);
    for (auto _ : state) {
        memo->KeyDown(vk::Delete, 0);
        state.PauseTiming();
        memo->KeyPress(13); // splits it again
        memo->PlaceCaret(end, line);
        state.ResumeTiming();
    }
}

void BM_VectorInsert(benchmark::State& state)
{
    std::vector<std::string> lines = paneLines(static_cast<int>(state.range(0)));
    const auto middle = static_cast<std::ptrdiff_t>(lines.size() / 2);
    for (auto _ : state) {
        lines.insert(lines.begin() + middle, "\"entry\" = \"inserted\";");
        state.PauseTiming();
        lines.erase(lines.begin() + middle);
        state.ResumeTiming();
    }
}

void BM_VectorRemove(benchmark::State& state)
{
    std::vector<std::string> lines = paneLines(static_cast<int>(state.range(0)));
    const auto middle = static_cast<std::ptrdiff_t>(lines.size() / 2);
    for (auto _ : state) {
        lines.erase(lines.begin() + middle);
        state.PauseTiming();
        lines.insert(lines.begin() + middle, "\"entry\" = \"inserted\";");
        state.ResumeTiming();
    }
}

BENCHMARK(BM_TypeCharacter)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Enter)->Arg(1000)->Arg(100000);
BENCHMARK(BM_DeleteJoin)->Arg(1000)->Arg(100000);
BENCHMARK(BM_VectorInsert)->Arg(100000);
BENCHMARK(BM_VectorRemove)->Arg(100000);

} // namespace
} // namespace kalmo

BENCHMARK_MAIN();
