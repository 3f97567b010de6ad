// What a commit writes for the translation field: only the changed part is
// typed text, private byte points typed there become the characters they
// are, and control characters never reach a written value.
#include "job/TypedText.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using namespace std::string_literals;

// U+F700 + byte: the private code point that stands for a byte kept as it is.
std::string rawByte(unsigned char byte)
{
    std::string text;
    appendUtf8(text, 0xF700 + byte);
    return text;
}

struct TypedCase {
    const char* what;
    std::string shown;
    std::string field;
    const char* set;
    std::string written;
};

void PrintTo(const TypedCase& c, std::ostream* out) { *out << c.what; }

class TypedText : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedText, WritesWhatTheUserTyped)
{
    const TypedCase& c = GetParam();
    EXPECT_EQ(typedTextToWrite(c.shown, c.field, *TextEncoding::named(c.set)), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedText,
    testing::Values(
        TypedCase{"an untouched field stays as loaded", "a" + rawByte(0xE9) + "\tb\x01", "a" + rawByte(0xE9) + "\tb\x01",
                  "UTF-8", "a" + rawByte(0xE9) + "\tb\x01"},
        TypedCase{"loaded bytes beside the change stay bytes", "caf" + rawByte(0xE9) + "\tx",
                  "caf" + rawByte(0xE9) + "\xC3\xA9\tx", "UTF-8", "caf" + rawByte(0xE9) + "\xC3\xA9\tx"},
        TypedCase{"typed byte point in UTF-8 is its own UTF-8 bytes", "", rawByte(0xE9), "UTF-8",
                  rawByte(0xEF) + rawByte(0x9F) + rawByte(0xA9)},
        TypedCase{"typed byte point in ISO-8859-2 is a reference", "ab", "a" + rawByte(0xE9) + "b", "ISO-8859-2",
                  "a&#63465;b"},
        TypedCase{"typed byte point in Windows-1252 is a reference", "", rawByte(0x81), "Windows-1252", "&#63361;"},
        TypedCase{"a byte point changed in its last byte is typed whole", rawByte(0xE9), rawByte(0xA9), "UTF-8",
                  rawByte(0xEF) + rawByte(0x9E) + rawByte(0xA9)},
        TypedCase{"a character changed in its last byte is typed whole", "x\xC3\xA9", "x\xC3\xA8", "UTF-8",
                  "x\xC3\xA8"},
        TypedCase{"line breaks become one space each", "", "a\r\nb\rc\nd\xE2\x80\xA8" "e\xE2\x80\xA9" "f",
                  "UTF-8", "a b c d e f"},
        TypedCase{"a tab becomes a space", "ab", "a\tb", "UTF-8", "a b"},
        TypedCase{"NUL, DEL, escape and C1 controls are dropped", "", "a\0b\x7F" "c\x1B" "d\xC2\x85" "e"s,
                  "UTF-8", "abcde"},
        TypedCase{"control characters are dropped in every set", "x", "\0x\x01"s, "ISO-8859-2", "x"},
        TypedCase{"a byte that is not UTF-8 is the replacement character", "", "caf\xE9", "UTF-8",
                  "caf\xEF\xBF\xBD"}),
    testing_support::NameFrom<&TypedCase::what>());

} // namespace
} // namespace kalmo
