// Temporary files of the safe write and their cleanup; see TemporaryFiles.h.
#include "job/TemporaryFiles.h"

#include "job/ProcessIdentity.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmo {
namespace {

constexpr std::string_view kPrefix = ".kalmo-";
constexpr std::string_view kRandomPart = "-XXXXXX";

// A host name never holds a slash, but a file name must not either.
std::string hostInName(std::string host)
{
    std::replace(host.begin(), host.end(), '/', '_');
    return host;
}

bool isAlphanumeric(char ch) { return std::isalnum(static_cast<unsigned char>(ch)) != 0; }

// The process that made a file of ours, or nullopt for any other name.
std::optional<ProcessIdentity> makerOf(std::string_view name)
{
    if (!name.starts_with(kPrefix) || name.size() < kPrefix.size() + kRandomPart.size() + 2)
        return std::nullopt;
    const std::string_view random = name.substr(name.size() - kRandomPart.size());
    if (random[0] != '-' || !std::all_of(random.begin() + 1, random.end(), isAlphanumeric))
        return std::nullopt;
    const std::string_view maker = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kRandomPart.size());
    const auto dash = maker.find('-');
    if (dash == std::string_view::npos || dash == 0)
        return std::nullopt;
    long processId = 0;
    const auto [end, error] = std::from_chars(maker.data(), maker.data() + dash, processId);
    if (error != std::errc() || end != maker.data() + dash)
        return std::nullopt;
    return ProcessIdentity{processId, std::string(maker.substr(dash + 1))};
}

} // namespace

std::string temporaryFilePattern(const std::string& folder)
{
    const ProcessIdentity self = thisProcess();
    return folder + std::string(kPrefix) + std::to_string(self.processId) + '-' + hostInName(self.host)
        + std::string(kRandomPart);
}

void removeStaleTemporaryFiles(const std::string& folder)
{
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr)
        return;
    const uid_t user = ::geteuid();
    while (const dirent* entry = ::readdir(directory)) {
        const auto maker = makerOf(entry->d_name);
        if (!maker || !processIsGone(*maker))
            continue;
        const std::string path = folder + entry->d_name;
        struct stat status {};
        if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == user)
            ::unlink(path.c_str());
    }
    ::closedir(directory);
}

} // namespace kalmo
