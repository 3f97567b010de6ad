// A path taken apart at its last slash: the folder keeps the slash, so that
// folder + name is the path again.
#include "job/PathParts.h"

#include <gtest/gtest.h>

#include <string>

namespace kalmo {
namespace {

struct PathCase {
    std::string path;
    std::string folder;
    std::string name;
};

class PathPartsTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathPartsTest, FolderAndNameMakeThePathAgain)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(folderOf(c.path), c.folder);
    EXPECT_EQ(fileNameOf(c.path), c.name);
    EXPECT_EQ(folderOf(c.path) + fileNameOf(c.path), c.path);
}

INSTANTIATE_TEST_SUITE_P(Paths, PathPartsTest,
                         ::testing::Values(PathCase{"/a/b/lang.php", "/a/b/", "lang.php"},
                                           PathCase{"lang.php", "", "lang.php"},
                                           PathCase{"/lang.php", "/", "lang.php"},
                                           PathCase{"sub/lang.php", "sub/", "lang.php"},
                                           PathCase{"/a/b/", "/a/b/", ""}));

} // namespace
} // namespace kalmo
