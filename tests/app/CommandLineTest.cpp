// kalmo-translator's information options, run as a user runs them: on a
// machine without a display, they print and end without making a window.
#include "testing/ShellCommand.h"

#include <gtest/gtest.h>

#include <string>

using namespace kalmo::testing_support;

namespace {

struct InformationCase {
    const char* option;
    std::string printedStart;
    const char* alsoPrinted;
};

class InformationOptionWithoutDisplay : public testing::TestWithParam<InformationCase> {};

TEST_P(InformationOptionWithoutDisplay, PrintsAndExitsZero)
{
    const InformationCase& c = GetParam();
    const CommandResult run = runShellCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
                                              + shellQuoted(KALMO_TRANSLATOR) + " " + c.option);
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    // Nothing about a display, or anything else, comes before the answer.
    EXPECT_EQ(run.output.substr(0, c.printedStart.size()), c.printedStart) << run.output;
    EXPECT_NE(run.output.find(c.alsoPrinted), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Options, InformationOptionWithoutDisplay,
                         testing::Values(InformationCase{"--help", "Usage: ", "A language file (*.php)"},
                                         InformationCase{"-h", "Usage: ", "-v, --version"},
                                         // Qt's own options may stand before it.
                                         InformationCase{"-platform xcb --help", "Usage: ", "[FILE]"},
                                         InformationCase{"--version", "KALMO Translator " KALMO_VERSION_TEXT "\n", ""},
                                         InformationCase{"-v", "KALMO Translator " KALMO_VERSION_TEXT "\n", ""}));

} // namespace
