// The recently loaded files; see RecentFiles.h.
#include "job/RecentFiles.h"

#include <algorithm>

namespace kalmo {

void RecentFiles::Push(const std::string& path, std::optional<std::string> progress)
{
    RecentFile file{path, {}};
    const auto listed = std::find_if(files_.begin(), files_.end(), [&](const RecentFile& f) { return f.path == path; });
    if (listed != files_.end()) {
        file.progress = std::move(listed->progress);
        files_.erase(listed);
    }
    if (progress)
        file.progress = std::move(*progress);
    files_.insert(files_.begin(), std::move(file));
    if (files_.size() > Capacity)
        files_.resize(Capacity);
}

void RecentFiles::Remove(const std::string& path)
{
    std::erase_if(files_, [&](const RecentFile& f) { return f.path == path; });
}

} // namespace kalmo
