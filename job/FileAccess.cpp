// Whole-file reading and safe writing with POSIX calls; see FileAccess.h.
#include "job/FileAccess.h"

#include "base/KalmoError.h"
#include "job/PathParts.h"
#include "job/TemporaryFiles.h"

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalmo {
namespace {

// Closes the descriptor when the scope ends, whatever way it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closing can report a late write error, so the writer asks for it.
    int release()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

std::string kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a plain file";
}

// Why a file of this kind cannot be written over or read as a language
// file; empty for a regular file.
std::string reasonAgainst(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return systemReason(EISDIR);
    if (!S_ISREG(status.st_mode))
        return "It is " + kindOf(status.st_mode) + ", not a regular file";
    return {};
}

const char* const kTooLarge = "It is larger than 256 MiB, too large for a language file";

// The file a path names once symbolic links are followed, so that a save
// replaces the file a link points to and keeps the link. A dangling link
// names the file it would create.
std::string followLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0)
            throw cannotCreateFile(path, systemReason(errno));
        target.resize(static_cast<std::size_t>(length));
        current = target.starts_with('/') ? target : folderOf(current) + target;
    }
    throw cannotCreateFile(path, systemReason(ELOOP));
}

// Root may write every file, so the owner's write bit is what marks a file
// read-only; for others the system's own check counts as well.
bool isReadOnly(const std::string& file, const struct stat& status)
{
    return (status.st_mode & S_IWUSR) == 0 || ::access(file.c_str(), W_OK) != 0;
}

// Writes bytes to a temporary file beside target and renames it over
// target. The new file takes mode, owner and group from `like` when given,
// else the mode a new file gets. Errors name `shownPath`.
void replaceFile(const std::string& target, const std::string& bytes, const struct stat* like,
                 const std::string& shownPath)
{
    // A save is where temporary files of killed saves get found: the
    // folder is ours to write in anyway.
    // A bare name lies in the current folder, which the scan must open by name.
    const std::string folder = folderOf(target).empty() ? std::string("./") : folderOf(target);
    removeStaleTemporaryFiles(folder);
    std::string temporary = temporaryFilePattern(folder);
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        throw cannotCreateFile(shownPath, systemReason(errno));

    const auto fail = [&](int errorNumber) {
        ::unlink(temporary.c_str());
        return cannotCreateFile(shownPath, systemReason(errorNumber));
    };
    // mkstemp makes the file private. Owner first: changing it may clear
    // the set-id bits that the mode then puts back.
    mode_t mode = 0;
    if (like) {
        if (::fchown(file.get(), like->st_uid, like->st_gid) != 0 && errno != EPERM)
            throw fail(errno);
        mode = like->st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.get(), mode) != 0)
        throw fail(errno);

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw fail(errno);
        }
        written += static_cast<std::size_t>(count);
    }
    if (::fsync(file.get()) != 0)
        throw fail(errno);
    if (file.release() != 0)
        throw fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        throw fail(errno);
    // The rename itself reaches the disk with the folder; the new file is
    // complete either way, so a folder that cannot be synced is no failure.
    FileDescriptor directory(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0)
        ::fsync(directory.get());
}

void keepAsBackup(const std::string& backup, const std::string& bytes, const struct stat& like);

void writeFile(const std::string& path, const std::string& bytes, Backup backup, const struct stat* likeIfNew)
{
    const std::string target = followLinks(path);
    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    if (!targetExists && errno != ENOENT)
        throw cannotCreateFile(path, systemReason(errno));
    if (targetExists) {
        const std::string reason = reasonAgainst(existing);
        if (!reason.empty())
            throw cannotCreateFile(path, reason);
        if (isReadOnly(target, existing))
            throw cannotCreateFile(path, "It is read-only");
        // The old file is safe in the backup before anything replaces it,
        // and a backup that cannot be written stops the save.
        if (backup == Backup::Keep)
            keepAsBackup(path + ".bak", readWholeFile(target), existing);
    }
    replaceFile(target, bytes, targetExists ? &existing : likeIfNew, path);
}

// Moves `from` to the first name from + ".N" (N from 1) that is free, never
// over a file that exists.
void moveToFirstFreeNumber(const std::string& from)
{
    for (unsigned long number = 1;; ++number) {
        const std::string to = from + "." + std::to_string(number);
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return;
        if (errno == EEXIST)
            continue;
        if (errno != EINVAL)
            throw cannotCreateFile(to, systemReason(errno));
        // A file system that cannot refuse to replace: look, then rename.
        struct stat status {};
        if (::lstat(to.c_str(), &status) == 0)
            continue;
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw cannotCreateFile(to, systemReason(errno));
        return;
    }
}

void keepAsBackup(const std::string& backup, const std::string& bytes, const struct stat& like)
{
    struct stat status {};
    if (::lstat(backup.c_str(), &status) != 0) {
        if (errno != ENOENT)
            throw cannotCreateFile(backup, systemReason(errno));
    } else if (S_ISLNK(status.st_mode)) {
        // Followed, the backup would land on whatever the link names, the
        // source file included; the link holds no work of its own.
        if (::unlink(backup.c_str()) != 0)
            throw cannotCreateFile(backup, systemReason(errno));
    } else if (S_ISREG(status.st_mode)) {
        // One that cannot be read counts as different: moved aside, not replaced.
        if (fileHolds(backup, bytes))
            return;
        moveToFirstFreeNumber(backup);
    }
    // Anything else in the way (a folder, a FIFO) makes the write below
    // fail with a reason that names it.
    writeFile(backup, bytes, Backup::None, &like);
}

} // namespace

std::string readWholeFile(const std::string& path)
{
    // Judged before opening, since opening a device can already act on it;
    // and again on the open file, which may not be the one judged.
    const auto refuse = [&](const struct stat& status) {
        const std::string reason = reasonAgainst(status);
        if (!reason.empty())
            throw cannotOpenFile(path, reason);
        if (static_cast<std::uintmax_t>(status.st_size) > kMaxFileSize)
            throw cannotOpenFile(path, kTooLarge);
    };
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        throw cannotOpenFile(path, systemReason(errno));
    refuse(status);
    // Non-blocking, so that a FIFO put in the file's place meanwhile
    // cannot hold the open until a writer comes.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0)
        throw cannotOpenFile(path, systemReason(errno));
    if (::fstat(file.get(), &status) != 0)
        throw cannotOpenFile(path, systemReason(errno));
    refuse(status);

    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw cannotOpenFile(path, systemReason(errno));
        }
        if (count == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(count));
        // A file that grows while it is read is held to the same limit.
        if (content.size() > kMaxFileSize)
            throw cannotOpenFile(path, kTooLarge);
    }
    return content;
}

bool fileHolds(const std::string& path, const std::string& bytes)
{
    try {
        return readWholeFile(path) == bytes;
    } catch (const KalmoError&) {
        return false;
    }
}

void writeFileSafely(const std::string& path, const std::string& bytes, Backup backup)
{
    writeFile(path, bytes, backup, nullptr);
}

void reportFileSizeLimitAsError()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace kalmo
