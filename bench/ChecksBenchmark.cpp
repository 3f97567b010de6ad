// The checks on the typing path: the entry on show checked again as the
// window does on every keystroke (a 2,000-character value with 50
// placeholders; the target is under 1 ms), one whole-value check of the
// rules alone, and a keystroke into the real translation field with
// spelling on, which hands the text to the spelling thread and must not
// wait for the dictionary.
#include "app/EntryChecks.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "app/SpellingLanguageMenu.h"
#include "app/SpellingService.h"
#include "controls/edit/qt/EntryEdit.h"
#include "job/checks/TextRules.h"
#include "testing/JobRig.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"
#include "bench/QtBenchmarkMain.h"

#include <QTest>

#include <benchmark/benchmark.h>

#include <string>

using namespace kalmo;

namespace {

// About 2,000 characters: 50 sentences, each with a placeholder, a tag or
// an entity now and then.
std::string longValue(const char* word)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += std::string(i % 5 == 0 ? "<b>" : "") + word + " number %" + std::to_string(i % 9 + 1) + "$s in the "
            + (i % 7 == 0 ? "caf&eacute;" : "garden") + (i % 5 == 0 ? "</b>" : "") + " today. ";
    return text;
}

std::string fileWith(const std::string& value)
{
    return "<?php\ndefine('_LONG', '" + value + "');\n?>\n";
}

void EntryCheckWhileTyping(benchmark::State& state)
{
    testing_support::TempFolder folder;
    testing_support::JobRig rig;
    rig.load(folder.write("lang.php", fileWith(longValue("Sentence"))));
    const std::string typed = longValue("Satz");
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = rig.job.EntryProblems(typed).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["characters"] = static_cast<double>(typed.size());
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(EntryCheckWhileTyping)->Unit(benchmark::kMicrosecond);

void TextRulesOnALongValue(benchmark::State& state)
{
    const std::string source = longValue("Sentence");
    const std::string translation = longValue("Satz");
    for (auto _ : state)
        for (const TextRule& rule : kTextRules)
            benchmark::DoNotOptimize(rule.problem({source, translation, '\'', '\''}));
}
BENCHMARK(TextRulesOnALongValue)->Unit(benchmark::kMicrosecond);

// One key into the shown main window's field, a long German text on show,
// with the German dictionary on (1) or off (0); with it on, the spelling
// thread looks the words up meanwhile.
void Keystroke(benchmark::State& state)
{
    testing_support::TempFolder folder;
    qputenv("LC_ALL", "de_DE.UTF-8");
    TForm1 main;
    TForm2 viewer;
    connectJobWindows(main, viewer);
    main.show();
    main.LoadFile(folder.write("lang.php", fileWith(longValue("Sentence"))));
    if (!main.EntryChecks1->Spelling().Active()) {
        state.SkipWithError("no German dictionary (hunspell-de-de)");
        return;
    }
    if (state.range(0) == 0)
        main.EntryChecks1->SetDictionary(nullptr);
    main.EntryEdit1->setFocus();
    main.EntryEdit1->setText(QString::fromStdString(longValue("Satz")));
    main.EntryEdit1->end(false);
    for (auto _ : state)
        QTest::keyClick(main.EntryEdit1, Qt::Key_A);
}
BENCHMARK(Keystroke)->ArgName("spelling")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    testing_support::useTemporaryUserFolders();
    return kalmo::bench::runWidgetBenchmarks(argc, argv);
}
