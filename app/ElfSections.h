// Finding one named section in an ELF file by reading its section headers.
// Standard C++ only: the version record reader needs nothing more, and the
// reader must stay safe on any file it is pointed at, so every offset and
// size is checked against the file before it is used.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalmo {

struct ElfSection {
    std::vector<std::uint8_t> bytes;
    bool bigEndian = false; // the file's byte order, for numbers in bytes
};

// The contents of the first section called name in the ELF file at path
// (32- or 64-bit, either byte order). Empty optional when the file cannot be
// read, is not ELF, is malformed or truncated, or has no such section with
// contents in the file. maxSize guards against reading a huge section.
std::optional<ElfSection> readElfSection(const std::string& path, const std::string& name,
                                         std::uint64_t maxSize = 4096);

} // namespace kalmo
