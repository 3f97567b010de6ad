// ELF section lookup: header, section header table, section name table.
#include "app/ElfSections.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <limits>
#include <utility>

namespace kalmo {
namespace {

constexpr std::uint8_t kClass32 = 1;
constexpr std::uint8_t kClass64 = 2;
constexpr std::uint8_t kDataLittle = 1;
constexpr std::uint8_t kDataBig = 2;
constexpr std::uint32_t kSectionNoBits = 8;
constexpr std::uint16_t kSectionIndexEscape = 0xFFFF;
// Real name tables hold a few hundred bytes; a damaged size must not make us
// read the whole file.
constexpr std::uint64_t kMaxNameTableSize = 1 << 20;

// Where the fields we need sit in the two classes of ELF.
struct Layout {
    std::uint64_t headerSize;
    std::uint64_t shoff, shoffWidth;
    std::uint64_t shentsize, shnum, shstrndx;
    std::uint64_t entrySize;
    std::uint64_t shName, shType, shOffset, shSize, shLink, wordWidth;
};

constexpr Layout kLayout32{52, 0x20, 4, 0x2E, 0x30, 0x32, 40, 0, 4, 16, 20, 24, 4};
constexpr Layout kLayout64{64, 0x28, 8, 0x3A, 0x3C, 0x3E, 64, 0, 4, 24, 32, 40, 8};

struct SectionHeader {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

class ElfFile {
public:
    explicit ElfFile(const std::string& path)
        : in_(path, std::ios::binary)
    {
        if (!in_)
            return;
        in_.seekg(0, std::ios::end);
        const std::streamoff end = in_.tellg();
        if (end < 0)
            return;
        size_ = static_cast<std::uint64_t>(end);
        std::array<std::uint8_t, 6> ident{};
        if (!read(0, ident.data(), ident.size()))
            return;
        if (ident[0] != 0x7F || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F')
            return;
        if (ident[4] != kClass32 && ident[4] != kClass64)
            return;
        if (ident[5] != kDataLittle && ident[5] != kDataBig)
            return;
        layout_ = ident[4] == kClass64 ? &kLayout64 : &kLayout32;
        bigEndian_ = ident[5] == kDataBig;
    }

    bool isElf() const { return layout_ != nullptr; }
    bool bigEndian() const { return bigEndian_; }

    std::optional<std::vector<std::uint8_t>> section(const std::string& name, std::uint64_t maxSize)
    {
        if (!isElf() || size_ < layout_->headerSize)
            return std::nullopt;
        std::uint64_t tableOffset = 0, entrySize = 0, count = 0, namesIndex = 0;
        if (!number(layout_->shoff, layout_->shoffWidth, tableOffset)
            || !number(layout_->shentsize, 2, entrySize) || !number(layout_->shnum, 2, count)
            || !number(layout_->shstrndx, 2, namesIndex))
            return std::nullopt;
        if (tableOffset == 0 || entrySize < layout_->entrySize)
            return std::nullopt;
        tableOffset_ = tableOffset;
        entrySize_ = entrySize;

        // Files with many sections keep the real count and name-table index
        // in the first section header.
        if (count == 0 || namesIndex == kSectionIndexEscape) {
            const std::optional<SectionHeader> first = header(0, 1);
            if (!first)
                return std::nullopt;
            if (count == 0)
                count = first->size;
            if (namesIndex == kSectionIndexEscape)
                namesIndex = first->link;
        }
        // The whole table must lie in the file; that also bounds the loop below.
        if (count == 0 || count > (size_ - std::min(size_, tableOffset)) / entrySize)
            return std::nullopt;

        const std::optional<SectionHeader> namesHeader = header(namesIndex, count);
        if (!namesHeader)
            return std::nullopt;
        const std::optional<std::vector<std::uint8_t>> names = contents(*namesHeader, kMaxNameTableSize);
        if (!names)
            return std::nullopt;

        for (std::uint64_t i = 0; i < count; ++i) {
            const std::optional<SectionHeader> candidate = header(i, count);
            if (!candidate)
                return std::nullopt;
            if (nameIs(*names, candidate->name, name))
                return contents(*candidate, maxSize);
        }
        return std::nullopt;
    }

private:
    bool read(std::uint64_t offset, void* out, std::uint64_t length)
    {
        if (offset > size_ || length > size_ - offset)
            return false;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(static_cast<char*>(out), static_cast<std::streamsize>(length));
        return in_.gcount() == static_cast<std::streamsize>(length);
    }

    bool number(std::uint64_t offset, std::uint64_t width, std::uint64_t& value)
    {
        std::array<std::uint8_t, 8> bytes{};
        if (!read(offset, bytes.data(), width))
            return false;
        value = 0;
        for (std::uint64_t i = 0; i < width; ++i) {
            const std::uint64_t byte = bytes[bigEndian_ ? i : width - 1 - i];
            value = (value << 8) | byte;
        }
        return true;
    }

    std::optional<SectionHeader> header(std::uint64_t index, std::uint64_t count)
    {
        if (index >= count || index > (std::numeric_limits<std::uint64_t>::max() - tableOffset_) / entrySize_)
            return std::nullopt;
        const std::uint64_t at = tableOffset_ + index * entrySize_;
        std::uint64_t name = 0, type = 0, link = 0;
        SectionHeader h;
        if (at > size_ || size_ - at < layout_->entrySize || !number(at + layout_->shName, 4, name)
            || !number(at + layout_->shType, 4, type) || !number(at + layout_->shOffset, layout_->wordWidth, h.offset)
            || !number(at + layout_->shSize, layout_->wordWidth, h.size) || !number(at + layout_->shLink, 4, link))
            return std::nullopt;
        h.name = static_cast<std::uint32_t>(name);
        h.type = static_cast<std::uint32_t>(type);
        h.link = static_cast<std::uint32_t>(link);
        return h;
    }

    std::optional<std::vector<std::uint8_t>> contents(const SectionHeader& h, std::uint64_t maxSize)
    {
        if (h.type == kSectionNoBits || h.size > maxSize)
            return std::nullopt;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(h.size));
        if (!read(h.offset, bytes.data(), h.size))
            return std::nullopt;
        return bytes;
    }

    static bool nameIs(const std::vector<std::uint8_t>& names, std::uint32_t at, const std::string& name)
    {
        if (at >= names.size() || names.size() - at <= name.size())
            return false;
        return std::memcmp(names.data() + at, name.data(), name.size()) == 0 && names[at + name.size()] == 0;
    }

    std::ifstream in_;
    std::uint64_t size_ = 0;
    const Layout* layout_ = nullptr;
    bool bigEndian_ = false;
    std::uint64_t tableOffset_ = 0;
    std::uint64_t entrySize_ = 1;
};

} // namespace

std::optional<ElfSection> readElfSection(const std::string& path, const std::string& name, std::uint64_t maxSize)
{
    ElfFile file(path);
    std::optional<std::vector<std::uint8_t>> bytes = file.section(name, maxSize);
    if (!bytes)
        return std::nullopt;
    return ElfSection{std::move(*bytes), file.bigEndian()};
}

} // namespace kalmo
