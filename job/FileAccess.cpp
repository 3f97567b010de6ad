#include "job/FileAccess.h"

#include "job/KalmoError.h"

#include <cerrno>
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

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

} // namespace

std::string readWholeFile(const std::string& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        throw cannotOpenFile(path, systemReason(errno));
    std::string content;
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
    }
    return content;
}

void writeFileSafely(const std::string& path, const std::string& bytes)
{
    struct stat existing {};
    const bool targetExists = ::stat(path.c_str(), &existing) == 0;
    if (targetExists && S_ISDIR(existing.st_mode))
        throw cannotCreateFile(path, systemReason(EISDIR));

    std::string temporary = folderOf(path) + ".kalmo-XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        throw cannotCreateFile(path, systemReason(errno));

    const auto fail = [&](int errorNumber) {
        ::unlink(temporary.c_str());
        return cannotCreateFile(path, systemReason(errorNumber));
    };
    // mkstemp makes the file private; the result gets the permissions a new
    // file would get, or those of the file it replaces.
    mode_t mode = existing.st_mode & 07777;
    if (!targetExists) {
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
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        throw fail(errno);
}

} // namespace kalmo
