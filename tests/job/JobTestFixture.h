// A job with its two viewer panes shaped like the window program's, plain
// fields for its windows and a folder for its files; every file it saves
// is judged by PHP.
#pragma once

#include "base/KalmoError.h"
#include "job/TranslationJob.h"
#include "testing/JobRig.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace kalmo {

// Entries at 3, 5 and 9 (the last line); the define lines at 0, 2 and 7 are
// never shown.
inline const char* const kTenLines = "<?php define('_ZERO', 'z');\n"
                                     "// header\n"
                                     "if (!defined('X')) {\n"
                                     "define('_A', 'Alpha');\n"
                                     "\n"
                                     "  define(\"_B\", \"Beta\"); // second\n"
                                     "$x = 1;\n"
                                     "define(_C, 'x');\n"
                                     "}\n"
                                     "define('_LAST', 'z');\n";

class TranslationJobTest : public testing::Test, protected testing_support::JobRig {
protected:
    TranslationJobTest()
    {
        // Every file the job writes must be one that PHP accepts.
        job.OnSaved = [](const std::string& path) { EXPECT_EQ(testing_support::phpSyntaxErrors(path), "") << path; };
    }

    void load(const std::string& name, const std::string& content)
    {
        windows.dialogAnswer = folder.write(name, content);
        job.LoadSourceFile1Click();
    }

    std::string errorOf(void (TranslationJob::*operation)())
    {
        try {
            (job.*operation)();
        } catch (const KalmoError& error) {
            return error.what();
        }
        return "<no error>";
    }

    testing_support::TempFolder folder;
};

} // namespace kalmo
