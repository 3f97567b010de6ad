// The lock file beside a loaded language file; see FileLock.h.
#include "job/FileLock.h"

#include "base/KalmoError.h"
#include "job/FileAccess.h"

#include <charconv>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmo {
namespace {

constexpr std::string_view kMark = "KALMO Translator lock ";

std::string lockContent(const ProcessIdentity& holder)
{
    std::string content = std::string(kMark) + std::to_string(holder.processId) + " " + holder.host;
    if (!holder.started.empty())
        content += " " + holder.started;
    return content + "\n";
}

// What the regular file at lockPath holds; nothing when there is none (a
// link is not followed) or it cannot be read.
std::optional<std::string> lockFileContent(const std::string& lockPath)
{
    struct stat status {};
    if (::lstat(lockPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    try {
        return readWholeFile(lockPath);
    } catch (const KalmoError&) {
        return std::nullopt;
    }
}

// The holder a lock file names: "KALMO Translator lock PID HOST". Nothing
// when no regular file is there or it is not a lock of ours.
std::optional<LockHolder> readLock(const std::string& lockPath)
{
    const auto content = lockFileContent(lockPath);
    if (!content)
        return std::nullopt;
    std::string_view rest = *content;
    if (!rest.starts_with(kMark) || !rest.ends_with('\n'))
        return std::nullopt;
    rest.remove_prefix(kMark.size());
    rest.remove_suffix(1);
    LockHolder holder;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), holder.processId);
    const std::size_t digits = static_cast<std::size_t>(end - rest.data());
    // Process ids start at 1; 0 and below would name groups of processes to kill().
    if (error != std::errc() || holder.processId <= 0 || digits >= rest.size() || rest[digits] != ' ')
        return std::nullopt;
    // The host, then when the process started where the lock says so.
    const std::string_view named = rest.substr(digits + 1);
    const auto space = named.find(' ');
    holder.host = named.substr(0, space);
    if (space != std::string_view::npos)
        holder.started = named.substr(space + 1);
    const bool startedWhenGiven = space == std::string_view::npos || !holder.started.empty();
    if (holder.host.empty() || !startedWhenGiven || holder.host.find('\n') != std::string::npos
        || holder.started.find_first_of(" \n") != std::string::npos)
        return std::nullopt;
    return holder;
}

bool stillRunningElsewhere(const LockHolder& holder)
{
    const ProcessIdentity self = thisProcess();
    const bool isThisProcess = holder.processId == self.processId && holder.host == self.host;
    return !isThisProcess && !processIsGone(holder);
}

} // namespace

std::string lockPathFor(const std::string& path)
{
    const std::filesystem::path file(path);
    return std::filesystem::path(file).replace_filename(".~lock." + file.filename().string() + "#").string();
}

std::optional<LockHolder> otherLockHolder(const std::string& path)
{
    auto holder = readLock(lockPathFor(path));
    if (holder && stillRunningElsewhere(*holder))
        return holder;
    return std::nullopt;
}

void FileLock::take(const std::string& path)
{
    const std::string lockPath = lockPathFor(path);
    if (lockPath == lockPath_)
        return;
    release();
    struct stat status {};
    if (::lstat(lockPath.c_str(), &status) == 0) {
        // Whatever is there and not a lock of ours is another program's file.
        const auto holder = readLock(lockPath);
        if (!holder || stillRunningElsewhere(*holder))
            return;
    }
    const std::string content = lockContent(thisProcess());
    try {
        writeFileSafely(lockPath, content);
    } catch (const KalmoError&) {
        // A read-only folder, a full disk: the file opens without a lock.
        return;
    }
    lockPath_ = lockPath;
    content_ = content;
}

void FileLock::release()
{
    if (lockPath_.empty())
        return;
    // Removed by hand meanwhile, the lock may be another program's by now.
    if (lockFileContent(lockPath_) == content_)
        ::unlink(lockPath_.c_str());
    lockPath_.clear();
    content_.clear();
}

} // namespace kalmo
