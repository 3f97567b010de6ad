// The folder and the name of a file's path, split at its last slash: the
// one home for taking a path apart.
#pragma once

#include <string>

namespace kalmo {

// The folder with its slash ("/a/b/" of "/a/b/x.php"); "" for a bare name,
// so that folderOf(path) + fileNameOf(path) is the path again.
std::string folderOf(const std::string& path);

// The name of a file without its folder.
std::string fileNameOf(const std::string& path);

} // namespace kalmo
