// Refilling a viewer pane the way the translation job does after every
// commit (ClearText, AppendLines, PlaceCaret) and painting one screenful,
// against QPlainTextEdit taking the same text and painting once. The memo
// is meant to stay at least ten times faster.
#include "controls/memo/qt/CodeMemo.h"
#include "app/layouts/MemoLayouts.h"

#include <QApplication>
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
