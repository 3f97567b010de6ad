// Character sets: naming, detection from a file's bytes, and conversions
// that keep every byte, checked against the system converter's characters.
#include "job/TextEncoding.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kalmo {
namespace {

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

// Every byte, and for a multi-byte set every byte after every possible
// lead byte, reads as valid UTF-8 and is written back unchanged.
class EveryByteRoundTrips : public testing::TestWithParam<TextEncoding> {};

TEST_P(EveryByteRoundTrips, InEverySupportedSet)
{
    const TextEncoding& encoding = GetParam();
    std::string bytes = allBytes();
    if (encoding.name() == "GBK" || encoding.name() == "GB18030" || encoding.name() == "Big5"
        || encoding.name() == "Shift_JIS" || encoding.name() == "EUC-JP" || encoding.name() == "EUC-KR"
        || encoding == TextEncoding::Utf8) {
        for (int lead = 0x80; lead < 0x100; ++lead) {
            for (int trail = 0; trail < 0x100; ++trail) {
                bytes += static_cast<char>(lead);
                bytes += static_cast<char>(trail);
            }
        }
    }
    const std::string utf8 = toUtf8(bytes, encoding);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_TRUE(fromUtf8(utf8, encoding) == bytes);
}

INSTANTIATE_TEST_SUITE_P(Sets, EveryByteRoundTrips, testing::ValuesIn(commonEncodings()),
                         [](const testing::TestParamInfo<TextEncoding>& info) {
                             std::string name;
                             for (const char c : info.param.name())
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

struct ConversionCase {
    const char* set;
    std::string bytes;
    std::string utf8;
};

class Conversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, ReadsTheSetsCharacters)
{
    const auto encoding = TextEncoding::named(GetParam().set);
    ASSERT_TRUE(encoding);
    EXPECT_EQ(toUtf8(GetParam().bytes, *encoding), GetParam().utf8);
    EXPECT_EQ(fromUtf8(GetParam().utf8, *encoding), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Conversion,
    testing::Values(ConversionCase{"ISO-8859-2", "Zobaczy\xE6 si\xEA \xB3\xF1\xA1", "Zobaczy\xC4\x87 si\xC4\x99 \xC5\x82\xC5\x84\xC4\x84"},
                    ConversionCase{"windows-1251", "\xC7\xE4\xA8", "\xD0\x97\xD0\xB4\xD0\x81"},
                    ConversionCase{"ISO-8859-7", "\xCA\xE1", "\xCE\x9A\xCE\xB1"},
                    ConversionCase{"KOI8-R", "\xC1", "\xD0\xB0"},
                    ConversionCase{"TIS-620", "\xA1", "\xE0\xB8\x81"},
                    // Undefined bytes: Windows-1252's as C1 controls, others' as U+F700 + byte.
                    ConversionCase{"Windows-1252", "\x80\x81\x9D", "\xE2\x82\xAC\xC2\x81\xC2\x9D"},
                    ConversionCase{"TIS-620", "\xDB", "\xEF\x9F\x9B"},
                    ConversionCase{"GBK", "\xC4\xE3", "\xE4\xBD\xA0"},
                    ConversionCase{"GBK", "\xFF" "a\xC4", "\xEF\x9F\xBF" "a\xEF\x9F\x84"},
                    ConversionCase{"GB18030", "\x81\x30\x81\x30", "\xC2\x80"},
                    ConversionCase{"Big5", "\xA4\xA4", "\xE4\xB8\xAD"},
                    // Shift_JIS keeps the backslash a backslash.
                    ConversionCase{"Shift_JIS", "\x82\xA0\\", "\xE3\x81\x82\\"},
                    ConversionCase{"EUC-JP", "\xA4\xA2", "\xE3\x81\x82"},
                    ConversionCase{"EUC-KR", "\xB0\xA1", "\xEA\xB0\x80"},
                    // A UTF-8 file's stray byte, and a character that is itself a raw-byte point.
                    ConversionCase{"UTF-8", "caf\xE9", "caf\xEF\x9F\xA9"},
                    ConversionCase{"UTF-8", "\xEF\x9F\xA9", "\xEF\x9F\xAF\xEF\x9E\x9F\xEF\x9E\xA9"}),
    testing_support::NameFrom<&ConversionCase::set>{});

struct WriteCase {
    const char* set;
    std::string utf8;
    std::string bytes;
};

class CharactersOutsideTheSet : public testing::TestWithParam<WriteCase> {};

TEST_P(CharactersOutsideTheSet, BecomeCharacterReferences)
{
    EXPECT_EQ(fromUtf8(GetParam().utf8, *TextEncoding::named(GetParam().set)), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharactersOutsideTheSet,
    testing::Values(
        WriteCase{"ISO-8859-2", "Zobaczy\xC4\x87 \xE2\x80\x93 \xE2\x80\x9Eto\xE2\x80\x9D \xC5\x84",
                  "Zobaczy\xE6 &#8211; &#8222;to&#8221; \xF1"},
        WriteCase{"Windows-1250", "Zobaczy\xC4\x87 \xE2\x80\x93 \xE2\x80\x9Eto\xE2\x80\x9D \xC5\x84",
                  "Zobaczy\xE6 \x96 \x84to\x94 \xF1"},
        WriteCase{"Windows-1251", "\xD0\x96\xC3\xA9", "\xC6&#233;"},
        WriteCase{"Windows-1252", "\xE2\x82\xAC \xD0\x96" "a\xF0\x9F\x98\x80", "\x80 &#1046;a&#128512;"},
        WriteCase{"GBK", "\xE4\xBD\xA0\xF0\x9F\x98\x80", "\xC4\xE3&#128512;"},
        WriteCase{"UTF-8", "\xC5\xBC\xF0\x9F\x98\x80", "\xC5\xBC\xF0\x9F\x98\x80"}),
    testing_support::NameFrom<&WriteCase::set>{});

TEST(TextEncoding, NamesFollowTheConverterInAnyLetterCase)
{
    const std::pair<const char*, const char*> cases[] = {
        {"iso-8859-2", "ISO-8859-2"},     {"WINDOWS-1251", "Windows-1251"}, {"cp1250", "Windows-1250"},
        {"ISO_8859-7", "ISO-8859-7"},     {"latin1", "Windows-1252"},       {"ISO-8859-1", "Windows-1252"},
        {"US-ASCII", "Windows-1252"},     {"utf8", "UTF-8"},                {"gb2312", "GBK"},
        {"shift_jis", "Shift_JIS"},       {"cp850", "CP850"},
    };
    for (const auto& [name, shown] : cases) {
        const auto encoding = TextEncoding::named(name);
        ASSERT_TRUE(encoding) << name;
        EXPECT_EQ(encoding->name(), shown);
        EXPECT_EQ(TextEncoding::problem(name), "");
    }
}

TEST(TextEncoding, CommonSetsAreGroupedByScriptOrRegionWithReadableNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"utf8", "Unicode (UTF-8)"},
        {"latin1", "Western European (Windows-1252)"},
        {"iso_8859-2", "Central European (ISO-8859-2)"},
        {"cp1251", "Cyrillic (Windows-1251)"},
        {"ISO-8859-7", "Greek (ISO-8859-7)"},
        {"TIS-620", "Thai (TIS-620)"},
        {"gb2312", "Chinese Simplified (GBK)"},
        {"shift_jis", "Japanese (Shift_JIS)"},
        // A set only the converter knows is shown by its name, in no group.
        {"cp850", "CP850"},
    };
    for (const auto& [name, readable] : cases) {
        const auto encoding = TextEncoding::named(name);
        ASSERT_TRUE(encoding) << name;
        EXPECT_EQ(encoding->readableName(), readable);
    }
    EXPECT_EQ(TextEncoding::named("cp850")->group(), "");

    // Every common set has a group, and the sets of a group stand together.
    std::vector<std::string> groupsMet;
    for (const TextEncoding& encoding : commonEncodings()) {
        const std::string group = encoding.group();
        ASSERT_FALSE(group.empty()) << encoding.name();
        if (groupsMet.empty() || groupsMet.back() != group) {
            EXPECT_EQ(std::count(groupsMet.begin(), groupsMet.end(), group), 0) << group;
            groupsMet.push_back(group);
        }
    }
    EXPECT_EQ(groupsMet.front(), "Unicode");
    EXPECT_EQ(commonEncodings()[1].group(), "European");
    EXPECT_EQ(TextEncoding::named("KOI8-R")->group(), "Cyrillic");
}

TEST(TextEncoding, SetsThatCannotBeKeptAreRefusedWithTheirName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"no-such-set", "Unknown character set \"no-such-set\""},
        {"", "Unknown character set \"\""},
        {"UTF-16", "The character set \"UTF-16\" cannot be used: it is a multi-byte set this program does not support"},
        {"IBM037", "The character set \"IBM037\" cannot be used: it does not keep ASCII characters as they are"},
    };
    for (const auto& [name, problem] : cases) {
        EXPECT_FALSE(TextEncoding::named(name)) << name;
        EXPECT_EQ(TextEncoding::problem(name), problem);
    }
}

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct DetectionCase {
    const char* what;
    std::string bytes;
    const char* set;
};

class Detection : public testing::TestWithParam<DetectionCase> {};

TEST_P(Detection, FindsTheFilesSet)
{
    EXPECT_EQ(detectEncoding(GetParam().bytes).name(), GetParam().set) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Detection,
    testing::Values(
        DetectionCase{"a byte-order mark wins", "\xEF\xBB\xBF<?php define('_ISO', 'charset=iso-8859-2');", "UTF-8"},
        DetectionCase{"UTF-8 wins over its declaration", "charset=tis-620 \xE0\xB8\x81", "UTF-8"},
        DetectionCase{"declared set", "charset=iso-8859-2 Zobaczy\xE6", "ISO-8859-2"},
        DetectionCase{"pure ASCII in its declared set", "define('_ISO', 'charset=ISO-8859-2');", "ISO-8859-2"},
        DetectionCase{"HTML meta", "<meta content=\"text/html; CHARSET = 'windows-1251'\"> \xC7", "Windows-1251"},
        DetectionCase{"mixed case after a cut word", "charse chArSeT=koi8-r \xC1\xC2 charset", "KOI8-R"},
        DetectionCase{"ISO-8859-1 as browsers read it", "charset=ISO-8859-1 caf\xE9", "Windows-1252"},
        DetectionCase{"unknown declarations and UTF-8 that is not pass",
                      "charset=x-none charset=utf-8 charset=koi8-r \xC1\xC2\xC3\xC4\xC5", "KOI8-R"},
        // A declared UTF-8 with a few bytes that are not: at most 4, or one
        // in 8 of the sequences beyond ASCII.
        DetectionCase{"declared UTF-8 with one bad byte", "charset=utf-8 caf\xE9", "UTF-8"},
        DetectionCase{"declared UTF-8 in another spelling", "<meta charset=\"UTF8\"> caf\xE9 \xC3\xA9", "UTF-8"},
        DetectionCase{"declared UTF-8 with four bad bytes", "charset=utf-8 \xE9\xE8\xEA\xEB", "UTF-8"},
        DetectionCase{"declared UTF-8 mostly not", "charset=utf-8 \xE9\xE8\xEA\xEB\xE0", "Windows-1252"},
        DetectionCase{"declared UTF-8, one bad byte in 8", "charset=utf-8 " + repeated("\xC3\xA9", 35) + "\xE9\xE8\xEA\xEB\xE0",
                      "UTF-8"},
        DetectionCase{"declared UTF-8, more than one bad byte in 8",
                      "charset=utf-8 " + repeated("\xC3\xA9", 34) + "\xE9\xE8\xEA\xEB\xE0", "Windows-1252"},
        // Undeclared: also at least one well-formed sequence.
        DetectionCase{"valid UTF-8 but for two bytes", "Gr\xC3\xBC\xC3\x9F" "e, caf\xE9 na\xEFve", "UTF-8"},
        DetectionCase{"one sequence and four bad bytes", "\xC3\xA9 \xE9\xE8\xEA\xEB", "UTF-8"},
        DetectionCase{"one sequence by chance among Windows-1252 letters", "gro\xDF\x94 \xFC\xE4\xF6\xDC\xC4",
                      "Windows-1252"},
        DetectionCase{"many sequences, one bad byte in 8", repeated("\xC3\xA9", 35) + "\xE9\xE8\xEA\xEB\xE0", "UTF-8"},
        DetectionCase{"many sequences, more than one bad byte in 8", repeated("\xC3\xA9", 34) + "\xE9\xE8\xEA\xEB\xE0",
                      "Windows-1252"},
        DetectionCase{"another declared set wins over nearly UTF-8", "charset=windows-1251 \xC2\xB3\xED",
                      "Windows-1251"},
        DetectionCase{"pure ASCII declaring UTF-8", "charset=UTF-8", "UTF-8"},
        DetectionCase{"pure ASCII", "<?php define('_A', 'a');", "UTF-8"},
        DetectionCase{"undeclared bytes", "caf\xE9", "Windows-1252"}),
    testing_support::NameFrom<&DetectionCase::what>());

TEST(TextEncoding, ValidUtf8IsTakenAsItIs)
{
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(detectEncoding(text), TextEncoding::Utf8);
    EXPECT_EQ(toUtf8(text, TextEncoding::Utf8), text);
    EXPECT_EQ(fromUtf8(text, TextEncoding::Utf8), text);
}

TEST(TextEncoding, RejectsMalformedUtf8)
{
    for (const std::string bad : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF",
                                  "caf\xE9"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << testing::PrintToString(bad);
        EXPECT_EQ(detectEncoding(bad), TextEncoding::Windows1252);
    }
}

TEST(TextEncoding, EveryWindows1252ByteRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
    EXPECT_EQ(windows1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(TextEncoding, CharactersWindows1252CannotHoldBecomeCharacterReferences)
{
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC 5"), "\x80 5");
    EXPECT_EQ(utf8ToWindows1252("\xD0\x96" "a\xF0\x9F\x98\x80"), "&#1046;a&#128512;");
}

} // namespace
} // namespace kalmo
