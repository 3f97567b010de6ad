#include "controls/memo/CodeMemoStrings.h"
#include <gtest/gtest.h>
TEST(X, Y) {}
