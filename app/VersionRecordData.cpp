// The version record itself, compiled once per version into a small object
// library that an executable links. The numbers come from the build
// (KALMO_VERSION_PARTS, four comma-separated 16-bit values).
#include <cstdint>

#ifndef KALMO_VERSION_PARTS
#error "KALMO_VERSION_PARTS must be set by the build"
#endif

namespace {

// Nothing refers to the record, so it must be kept against the compiler
// and against the linker's section garbage collection alike.
[[gnu::used, gnu::retain, gnu::section(".kalmo_version")]]
const std::uint16_t versionRecord[4] = {KALMO_VERSION_PARTS};

} // namespace
