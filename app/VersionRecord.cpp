// Reading the version record back from an executable and formatting it.
#include "app/VersionRecord.h"

#include "app/ElfSections.h"

#include <filesystem>
#include <system_error>

namespace kalmo {

std::optional<FileVersion> readFileVersion(const std::string& path)
{
    const std::optional<ElfSection> section = readElfSection(path, kVersionSectionName);
    // Anything but exactly one record is not ours to interpret.
    if (!section || section->bytes.size() != 2 * std::tuple_size_v<FileVersion>)
        return std::nullopt;
    FileVersion version{};
    for (std::size_t i = 0; i < version.size(); ++i) {
        const unsigned first = section->bytes[2 * i];
        const unsigned second = section->bytes[2 * i + 1];
        version[i] = static_cast<std::uint16_t>(section->bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return version;
}

std::string ownExecutablePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string formatFileVersion(const std::string& format, const FileVersion& version)
{
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char conversion = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && conversion == '%') {
            text += '%';
            ++i;
        } else if (c == '%' && (conversion == 'd' || conversion == 'i' || conversion == 'u')
                   && next < version.size()) {
            text += std::to_string(version[next++]);
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

std::string ownVersionText()
{
    const std::optional<FileVersion> version = readFileVersion(ownExecutablePath());
    return version ? formatFileVersion("%u.%u.%u.%u", *version) : std::string();
}

} // namespace kalmo
