// The language files loaded last, most recent first, each with how far its
// translation was at its last save: the window program's File > Recent Files,
// kept between runs in its settings.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kalmo {

struct RecentFile {
    std::string path;
    // "N of M" as the last save left it; empty until the file was saved.
    std::string progress;

    bool operator==(const RecentFile&) const = default;
};

class RecentFiles {
public:
    static constexpr std::size_t Capacity = 10;

    // The file goes first, the oldest beyond the capacity falls off. A file
    // already listed moves there and keeps its progress unless a new one is given.
    void Push(const std::string& path, std::optional<std::string> progress = std::nullopt);
    void Remove(const std::string& path);
    const std::vector<RecentFile>& Files() const { return files_; }

private:
    std::vector<RecentFile> files_;
};

} // namespace kalmo
