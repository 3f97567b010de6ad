// A translation job wired to plain fields for its windows and to two panes
// shaped like the source viewer's, the way tests, benchmarks and fuzzers
// drive the job without a screen.
#pragma once

#include "app/layouts/MemoLayouts.h"
#include "controls/memo/CodeMemoModel.h"
#include "job/TranslationJob.h"
#include "testing/FakeTranslationJobView.h"

#include <string>

namespace kalmo::testing_support {

struct JobRig {
    JobRig()
    {
        shapeViewerPanes(memo1, memo2);
        job.FormCreate();
    }

    // Loads the file at `path` as if the user chose it in the file dialog.
    void load(const std::string& path)
    {
        windows.dialogAnswer = path;
        job.LoadSourceFile1Click();
    }

    FakeTranslationJobView windows;
    TCustomCodeMemo memo1;
    TCustomCodeMemo memo2;
    TranslationJob job{windows, memo1, memo2};
};

} // namespace kalmo::testing_support
