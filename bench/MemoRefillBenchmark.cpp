// Refilling a viewer pane the way the translation job does after every
// commit (ClearText, AppendLines, PlaceCaret) and painting one screenful,
// against QPlainTextEdit taking the same text and painting once. The memo
// is meant to stay at least ten times faster.
//
// Beside it, repainting one screenful, the cost paid on every scroll step
// and caret blink: plain ASCII lines (the common case, which must stay as
// cheap as it is), and lines in Thai, Chinese and accented Latin, and in
// Arabic and Hebrew with their right-to-left runs, for comparison.
#include "controls/memo/qt/CodeMemo.h"
#include "app/layouts/MemoLayouts.h"
#include "bench/QtBenchmarkMain.h"

#include <QImage>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace kalmo;

namespace {

constexpr int lineCount = 100000;
const QSize paneSize(layout::source_viewer::Memo1.width, layout::source_viewer::Memo1.height);

std::vector<std::string> sourceLines()
{
    std::vector<std::string> lines;
    lines.reserve(lineCount);
    for (int i = 0; i < lineCount; ++i) {
        lines.push_back(i % 3 == 0 ? "$lang['entry_" + std::to_string(i) + "'] = \"Some translated text here\";"
                                   : "    // comment line " + std::to_string(i));
    }
    return lines;
}

void MemoRefill(benchmark::State& state)
{
    const std::vector<std::string> lines = sourceLines();
    TCodeMemo memo;
    applyViewerPaneLayout(memo.model());
    memo.resize(paneSize);
    QImage screen(paneSize, QImage::Format_RGB32);
    for (auto _ : state) {
        memo.model().ClearText();
        memo.model().Lines().AppendLines(lines);
        memo.model().PlaceCaret(1, lineCount / 2);
        memo.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(MemoRefill)->Unit(benchmark::kMillisecond);

void PlainTextEditRefill(benchmark::State& state)
{
    QStringList joined;
    for (const std::string& line : sourceLines())
        joined.push_back(QString::fromStdString(line));
    const QString text = joined.join(QLatin1Char('\n'));
    QPlainTextEdit edit;
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(11);
    edit.setFont(font);
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(paneSize);
    QImage screen(paneSize, QImage::Format_RGB32);
    for (auto _ : state) {
        edit.setPlainText(text);
        edit.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(PlainTextEditRefill)->Unit(benchmark::kMillisecond);

std::vector<std::string> screenLines(const std::vector<std::string>& values)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back("define('_ENTRY_" + std::to_string(i) + "', '" + values[static_cast<std::size_t>(i) % values.size()]
                        + "');");
    return lines;
}

void repaint(benchmark::State& state, const std::vector<std::string>& lines)
{
    TCodeMemo memo;
    applyViewerPaneLayout(memo.model());
    memo.resize(paneSize);
    memo.model().ClearText();
    memo.model().Lines().AppendLines(lines);
    memo.model().PlaceCaret(1, 1);
    QImage screen(paneSize, QImage::Format_RGB32);
    for (auto _ : state) {
        memo.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void AsciiRepaint(benchmark::State& state)
{
    repaint(state, screenLines({"Welcome to our website", "Last updated on %s", "Research &amp; Development"}));
}
BENCHMARK(AsciiRepaint)->Unit(benchmark::kMicrosecond);

void MixedScriptsRepaint(benchmark::State& state)
{
    repaint(state, screenLines({"\u0e22\u0e34\u0e19\u0e14\u0e35\u0e15\u0e49\u0e2d\u0e19\u0e23\u0e31\u0e1a \u0e19\u0e35\u0e49",
                                "\u6b22\u8fce\u8bbf\u95ee\u6211\u4eec\u7684\u7f51\u7ad9", "cafe\u0301 Ti\u1ebfng Vi\u1ec7t"}));
}
BENCHMARK(MixedScriptsRepaint)->Unit(benchmark::kMicrosecond);

void RightToLeftRepaint(benchmark::State& state)
{
    repaint(state, screenLines({"\u0645\u0631\u062d\u0628\u0627 %s \u0628\u0643",
                                "\u05e9\u05dc\u05d5\u05dd %d \u05e2\u05d5\u05dc\u05dd", "\u0623\u0647\u0644\u0627 123"}));
}
BENCHMARK(RightToLeftRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return kalmo::bench::runWidgetBenchmarks(argc, argv);
}
