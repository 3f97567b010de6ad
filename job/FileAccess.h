// Whole-file reading and safe writing with POSIX calls. Errors carry the
// path and the operating system's reason.
#pragma once

#include <string>

namespace kalmo {

// The file's bytes; throws "Cannot open file ..." when it cannot be opened or read.
std::string readWholeFile(const std::string& path);

// Writes through a temporary file in the target's folder that replaces the
// target only once every byte is on disk, so a failure leaves the old file
// as it was. Throws "Cannot create file ..." with the target's path.
void writeFileSafely(const std::string& path, const std::string& bytes);

} // namespace kalmo
