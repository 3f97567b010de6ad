// The program's version record: four 16-bit numbers (major, minor, release,
// build) that the build stores in the executable, in an ELF section of
// their own, and that the About window reads back from the file on disk.
// Standard C++ only, so the reader is tested without a screen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kalmo {

inline constexpr const char* kVersionSectionName = ".kalmo_version";

// major, minor, release, build
using FileVersion = std::array<std::uint16_t, 4>;

// The version record of the executable at path; empty when the file has
// none or cannot be read as an executable.
std::optional<FileVersion> readFileVersion(const std::string& path);

// The full path of the running program's own file; empty when the system
// does not tell.
std::string ownExecutablePath();

// Fills format printf-style: each %d, %i or %u takes the next of the four
// numbers (unsigned), "%%" is a percent sign. Any other text, and a
// conversion past the fourth, is kept as written, so a format that does not
// match the record cannot read beyond it.
std::string formatFileVersion(const std::string& format, const FileVersion& version);

// The running program's version as "major.minor.release.build"; empty when
// its file holds no record.
std::string ownVersionText();

} // namespace kalmo
