// Whole-file reading and safe writing with POSIX calls. Errors carry the
// path and the operating system's reason.
#pragma once

#include <cstddef>
#include <string>

namespace kalmo {

// No language file comes near this; anything larger is refused rather than
// read into memory.
inline constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;

// The bytes of a regular file; throws "Cannot open file ..." when it cannot
// be opened or read, is not a regular file (a FIFO, a device, a folder) or
// is larger than kMaxFileSize. Never blocks on a FIFO.
std::string readWholeFile(const std::string& path);

// True when the file holds exactly these bytes; false when it cannot be read.
bool fileHolds(const std::string& path, const std::string& bytes);

enum class Backup {
    None,
    // An existing target is first kept as target + ".bak", through the same
    // safe write. A backup is never replaced by a different one: an older
    // ".bak" holding other bytes first moves to the first free ".bak.N"
    // (N from 1). A ".bak" that is a symbolic link is removed, never
    // followed, and the backup written as a regular file in its place.
    Keep,
};

// Writes through a temporary file in the target's folder that replaces the
// target only once every byte is on disk, so a failure leaves the old file
// as it was. A symbolic link is followed: the file it points to is replaced
// and the link stays. A read-only target is refused. The replaced file keeps
// its permissions and, where the process may set them, its owner and group.
// Throws "Cannot create file ..." naming the file that could not be written.
void writeFileSafely(const std::string& path, const std::string& bytes, Backup backup = Backup::None);

// A file-size limit (ulimit -f) would end the program with SIGXFSZ in the
// middle of a save; once the signal is ignored, the write fails with EFBIG
// and the save reports it with nothing lost. Called once at start-up.
void reportFileSizeLimitAsError();

} // namespace kalmo
