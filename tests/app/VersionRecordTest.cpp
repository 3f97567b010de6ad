// The version record reader: real executables built with and without a
// record, ELF files of both classes and byte orders written by the test,
// and damaged files, which must give no version and never a read outside
// the file. Also the formatting of the four numbers.
#include "app/VersionRecord.h"

#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using kalmo::FileVersion;
using kalmo::formatFileVersion;
using kalmo::readFileVersion;
using kalmo::testing_support::TempFolder;

namespace {

struct TestSection {
    TestSection(std::string name = {}, std::string contents = {}, std::uint32_t type = 1)
        : name(std::move(name)), contents(std::move(contents)), type(type)
    {
    }

    std::string name;
    std::string contents;
    std::uint32_t type = 1; // PROGBITS
    std::uint32_t link = 0;
    // Overrides of what the writer would store, to damage the file.
    std::optional<std::uint64_t> nameOffset, offset, size;
};

// A minimal ELF file: header, section contents, name table, section table.
struct TestElf {
    bool is64 = true;
    bool bigEndian = false;
    std::vector<TestSection> sections;
    std::optional<std::uint64_t> shoff, shentsize, shnum, shstrndx;
    std::string magic = "\x7F" "ELF";
    std::optional<char> classByte, dataByte;

    std::string bytes() const
    {
        const std::size_t headerSize = is64 ? 64 : 52;
        const std::size_t entrySize = is64 ? 64 : 40;
        const std::size_t word = is64 ? 8 : 4;
        std::string out(headerSize, '\0');
        out.replace(0, 4, magic);
        out[4] = classByte.value_or(is64 ? 2 : 1);
        out[5] = dataByte.value_or(bigEndian ? 2 : 1);
        out[6] = 1;

        std::string names(1, '\0');
        std::vector<std::uint64_t> nameAt, dataAt;
        for (const TestSection& s : sections) {
            nameAt.push_back(s.name.empty() ? 0 : names.size());
            if (!s.name.empty())
                names += s.name + '\0';
        }
        for (const TestSection& s : sections) {
            dataAt.push_back(out.size());
            out += s.name == ".shstrtab" ? names : s.contents;
        }
        while (out.size() % 8 != 0)
            out += '\0';
        const std::uint64_t tableAt = out.size();
        for (std::size_t i = 0; i < sections.size(); ++i) {
            const TestSection& s = sections[i];
            std::string entry(entrySize, '\0');
            const std::uint64_t size = s.name == ".shstrtab" ? names.size() : s.contents.size();
            put(entry, 0, 4, s.nameOffset.value_or(nameAt[i]));
            put(entry, 4, 4, s.type);
            put(entry, is64 ? 24 : 16, word, s.offset.value_or(i == 0 ? 0 : dataAt[i]));
            put(entry, is64 ? 32 : 20, word, s.size.value_or(i == 0 ? 0 : size));
            put(entry, is64 ? 40 : 24, 4, s.link);
            out += entry;
        }
        put(out, is64 ? 0x28 : 0x20, word, shoff.value_or(tableAt));
        put(out, is64 ? 0x3A : 0x2E, 2, shentsize.value_or(entrySize));
        put(out, is64 ? 0x3C : 0x30, 2, shnum.value_or(sections.size()));
        put(out, is64 ? 0x3E : 0x32, 2, shstrndx.value_or(sections.size() - 1));
        return out;
    }

    void put(std::string& to, std::size_t at, std::size_t width, std::uint64_t value) const
    {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
            to[at + i] = static_cast<char>((value >> shift) & 0xFF);
        }
    }
};

std::string recordBytes(const FileVersion& version, bool bigEndian)
{
    std::string bytes;
    for (std::uint16_t part : version) {
        const char high = static_cast<char>(part >> 8), low = static_cast<char>(part & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

constexpr FileVersion kVersion{0, 8, 1, 2};

TestElf elfWithRecord(bool is64, bool bigEndian)
{
    TestElf elf;
    elf.is64 = is64;
    elf.bigEndian = bigEndian;
    elf.sections = {{},
                    {".text", std::string(24, '\x90')},
                    {".kalmo_version", recordBytes(kVersion, bigEndian)},
                    {".shstrtab", "", 3}};
    return elf;
}

} // namespace

TEST(VersionRecord, ReadsTheRecordOfRealExecutablesAndNothingFromOneWithout)
{
    EXPECT_EQ(readFileVersion(PROBE_WITH_RECORD), kVersion);
    EXPECT_EQ(readFileVersion(PROBE_WITHOUT_RECORD), std::nullopt);
}

TEST(VersionRecord, OwnExecutablePathIsThisTestProgram)
{
    const std::string path = kalmo::ownExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "version_record_tests");
}

TEST(VersionRecord, ReadsBothClassesAndByteOrders)
{
    TempFolder folder;
    for (bool is64 : {true, false})
        for (bool bigEndian : {false, true}) {
            SCOPED_TRACE(testing::Message() << (is64 ? "64" : "32") << (bigEndian ? " big" : " little"));
            EXPECT_EQ(readFileVersion(folder.write("f", elfWithRecord(is64, bigEndian).bytes())), kVersion);
        }
}

TEST(VersionRecord, ReadsSectionCountAndNameTableFromTheFirstHeaderWhenEscaped)
{
    TestElf elf = elfWithRecord(true, false);
    elf.sections[0].size = elf.sections.size();
    elf.sections[0].link = 3;
    elf.shnum = 0;
    elf.shstrndx = 0xFFFF;
    TempFolder folder;
    EXPECT_EQ(readFileVersion(folder.write("f", elf.bytes())), kVersion);
}

TEST(VersionRecord, ANameThatOnlyStartsLikeTheRecordIsNotTheRecord)
{
    TestElf elf = elfWithRecord(true, false);
    elf.sections[1].name = ".kalmo_version.old";
    elf.sections[1].contents = recordBytes({9, 9, 9, 9}, false);
    TempFolder folder;
    EXPECT_EQ(readFileVersion(folder.write("f", elf.bytes())), kVersion);
}

struct Damage {
    const char* name;
    std::function<void(TestElf&)> apply;
};

class DamagedFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, GivesNoVersion)
{
    for (bool is64 : {true, false}) {
        SCOPED_TRACE(is64 ? "64-bit" : "32-bit");
        TestElf elf = elfWithRecord(is64, false);
        GetParam().apply(elf);
        TempFolder folder;
        EXPECT_EQ(readFileVersion(folder.write("f", elf.bytes())), std::nullopt);
    }
}

constexpr std::uint64_t kHuge = 0xFFFFFFFFFFFFFFF0ULL;

INSTANTIATE_TEST_SUITE_P(
    VersionRecord, DamagedFile,
    testing::Values(
        Damage{"NoRecordSection", [](TestElf& e) { e.sections.erase(e.sections.begin() + 2); }},
        Damage{"RecordTooShort", [](TestElf& e) { e.sections[2].contents.resize(6); }},
        Damage{"RecordTooLong", [](TestElf& e) { e.sections[2].contents += "\1\0"; }},
        Damage{"RecordWithoutContents", [](TestElf& e) { e.sections[2].type = 8; }},
        Damage{"NotElf", [](TestElf& e) { e.magic = "\x7F" "ELG"; }},
        Damage{"UnknownClass", [](TestElf& e) { e.classByte = 3; }},
        Damage{"UnknownByteOrder", [](TestElf& e) { e.dataByte = 0; }},
        Damage{"NoSectionTable", [](TestElf& e) { e.shoff = 0; }},
        Damage{"SectionTableBeyondTheEnd", [](TestElf& e) { e.shoff = 1 << 20; }},
        Damage{"SectionTableAtAnOverflowingOffset", [](TestElf& e) { e.shoff = kHuge; }},
        Damage{"SectionHeadersTooSmall", [](TestElf& e) { e.shentsize = 16; }},
        Damage{"MoreSectionsThanTheFileHolds", [](TestElf& e) { e.shnum = 0xFF00; }},
        Damage{"NameTableIndexOutOfRange", [](TestElf& e) { e.shstrndx = 7; }},
        Damage{"NameOffsetBeyondTheNameTable", [](TestElf& e) { e.sections[2].nameOffset = 4000; }},
        Damage{"NameTableCutInsideTheName", [](TestElf& e) { e.sections[3].size = 8; }},
        Damage{"RecordBeyondTheEnd", [](TestElf& e) { e.sections[2].offset = 1 << 20; }},
        Damage{"RecordAtAnOverflowingOffset", [](TestElf& e) { e.sections[2].offset = kHuge; }},
        Damage{"RecordWithAHugeSize", [](TestElf& e) { e.sections[2].size = kHuge; }},
        Damage{"NameTableWithAHugeSize", [](TestElf& e) { e.sections[3].size = kHuge; }}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST(VersionRecord, EveryTruncationOfAValidFileGivesNoVersion)
{
    TempFolder folder;
    for (bool is64 : {true, false}) {
        const std::string bytes = elfWithRecord(is64, false).bytes();
        for (std::size_t length = 0; length < bytes.size(); ++length)
            ASSERT_EQ(readFileVersion(folder.write("f", bytes.substr(0, length))), std::nullopt)
                << (is64 ? "64" : "32") << "-bit, " << length << " bytes";
    }
}

TEST(VersionRecord, MissingFilesAndFoldersGiveNoVersion)
{
    TempFolder folder;
    EXPECT_EQ(readFileVersion(folder.path("missing")), std::nullopt);
    EXPECT_EQ(readFileVersion(folder.root().string()), std::nullopt);
    EXPECT_EQ(readFileVersion(""), std::nullopt);
}

TEST(VersionRecord, FormatFillsTheNumbersInOrderAndNothingElse)
{
    struct Case {
        const char* format;
        FileVersion version;
        const char* expected;
    };
    const Case cases[] = {
        {"%d.%d.%d.%d", {0, 8, 1, 2}, "0.8.1.2"},
        {"%d.%d.%d.%d", {65535, 1, 0, 40000}, "65535.1.0.40000"},
        {"v%u-%i", {1, 2, 3, 4}, "v1-2"},
        {"%d.%d.%d.%d.%d", {1, 2, 3, 4}, "1.2.3.4.%d"},
        {"100%% %s %x %", {1, 2, 3, 4}, "100% %s %x %"},
        {"", {1, 2, 3, 4}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFileVersion(c.format, c.version), c.expected) << c.format;
}
