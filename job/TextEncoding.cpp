// A language file's character set: its name, its detection, its conversions; see TextEncoding.h.
#include "job/TextEncoding.h"

#include "base/KalmoError.h"
#include "base/Utf8Codec.h"
#include "job/CharsetConverter.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>

namespace kalmo {
namespace {

struct KnownSet {
    const char* name;
    const char* converterName;
    // Only stateless multi-byte sets are listed: their characters can be
    // read and checked one at a time.
    bool multiByte;
    // Further names, in normalized form (see normalized), space-separated.
    std::string_view aliases;
    // For people choosing a set: the script or region the sets are grouped
    // by, and what this one is for, as in "Central European (ISO-8859-2)".
    const char* group;
    const char* purpose;
};

// Windows-1252 also stands for ISO-8859-1 and US-ASCII, as web browsers
// read them; GB2312 is read as its superset GBK, and Shift_JIS as Windows'
// form, whose ASCII half is ASCII (the converter's own SHIFT_JIS reads a
// backslash as a yen sign). The sets of one group stand together.
constexpr KnownSet kKnownSets[] = {
    {"UTF-8", "UTF-8", false, "", "Unicode", "Unicode"},
    {"Windows-1252", "WINDOWS-1252", false,
     "CP1252 XCP1252 ISO88591 ISO885911987 LATIN1 L1 CP819 IBM819 ISOIR100 USASCII ASCII ANSIX341968 ISO646US US",
     "European", "Western European"},
    {"ISO-8859-15", "ISO-8859-15", false, "LATIN9 LATIN0", "European", "Western European"},
    {"Windows-1250", "WINDOWS-1250", false, "CP1250 XCP1250", "European", "Central European"},
    {"ISO-8859-2", "ISO-8859-2", false, "LATIN2 L2", "European", "Central European"},
    {"ISO-8859-3", "ISO-8859-3", false, "LATIN3", "European", "South European"},
    {"ISO-8859-16", "ISO-8859-16", false, "LATIN10", "European", "South-Eastern European"},
    {"ISO-8859-10", "ISO-8859-10", false, "LATIN6", "European", "Nordic"},
    {"ISO-8859-14", "ISO-8859-14", false, "LATIN8", "European", "Celtic"},
    {"Windows-1257", "WINDOWS-1257", false, "CP1257", "European", "Baltic"},
    {"ISO-8859-13", "ISO-8859-13", false, "LATIN7", "European", "Baltic"},
    {"ISO-8859-4", "ISO-8859-4", false, "LATIN4", "European", "Baltic"},
    {"Windows-1254", "WINDOWS-1254", false, "CP1254", "European", "Turkish"},
    {"ISO-8859-9", "ISO-8859-9", false, "LATIN5", "European", "Turkish"},
    {"Windows-1251", "WINDOWS-1251", false, "CP1251 XCP1251", "Cyrillic", "Cyrillic"},
    {"ISO-8859-5", "ISO-8859-5", false, "CYRILLIC", "Cyrillic", "Cyrillic"},
    {"KOI8-R", "KOI8-R", false, "", "Cyrillic", "Russian"},
    {"KOI8-U", "KOI8-U", false, "", "Cyrillic", "Ukrainian"},
    {"Windows-1253", "WINDOWS-1253", false, "CP1253", "Greek", "Greek"},
    {"ISO-8859-7", "ISO-8859-7", false, "GREEK", "Greek", "Greek"},
    {"Windows-1255", "WINDOWS-1255", false, "CP1255", "Middle Eastern", "Hebrew"},
    {"ISO-8859-8", "ISO-8859-8", false, "HEBREW", "Middle Eastern", "Hebrew"},
    {"Windows-1256", "WINDOWS-1256", false, "CP1256", "Middle Eastern", "Arabic"},
    {"ISO-8859-6", "ISO-8859-6", false, "ARABIC", "Middle Eastern", "Arabic"},
    {"Windows-874", "CP874", false, "CP874", "South-East Asian", "Thai"},
    {"TIS-620", "TIS-620", false, "", "South-East Asian", "Thai"},
    {"Windows-1258", "WINDOWS-1258", false, "CP1258", "South-East Asian", "Vietnamese"},
    {"GBK", "GBK", true, "GB2312 CP936 EUCCN XGBK", "East Asian", "Chinese Simplified"},
    {"GB18030", "GB18030", true, "", "East Asian", "Chinese Simplified"},
    {"Big5", "BIG5", true, "CNBIG5 XXBIG5", "East Asian", "Chinese Traditional"},
    {"Shift_JIS", "CP932", true, "SJIS CP932 MSKANJI WINDOWS31J XSJIS CSSHIFTJIS", "East Asian", "Japanese"},
    {"EUC-JP", "EUC-JP", true, "XEUCJP", "East Asian", "Japanese"},
    {"EUC-KR", "EUC-KR", true, "XEUCKR", "East Asian", "Korean"},
};

// Names compare by their letters and digits alone: "iso_8859-2",
// "ISO-8859-2" and "iso88592" are one set.
std::string normalized(std::string_view name)
{
    std::string out;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool hasAlias(std::string_view aliases, std::string_view name)
{
    while (!aliases.empty()) {
        const auto space = aliases.find(' ');
        if (aliases.substr(0, space) == name)
            return true;
        aliases = space == std::string_view::npos ? std::string_view() : aliases.substr(space + 1);
    }
    return false;
}

const KnownSet* knownSetNamed(std::string_view name)
{
    const std::string wanted = normalized(name);
    if (wanted.empty())
        return nullptr;
    for (const KnownSet& set : kKnownSets) {
        if (normalized(set.name) == wanted || hasAlias(set.aliases, wanted))
            return &set;
    }
    return nullptr;
}

// Longer names are no character set; they are not handed to the converter.
constexpr std::size_t kMaxNameLength = 64;

// Converters are built once per set and shared by every later conversion.
class ConverterCache {
public:
    static ConverterCache& instance()
    {
        static ConverterCache cache;
        return cache;
    }

    // The converter of a set by its shown name, opening it when new.
    CharsetOpening open(const std::string& name)
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = converters_.find(name); found != converters_.end())
            return {found->second, {}};
        const KnownSet* known = knownSetNamed(name);
        CharsetOpening opening;
        if (known && known->name == name) {
            opening = openCharset(known->converterName, known->multiByte,
                                  name == TextEncoding::Windows1252.name() ? UndefinedBytes::AsC1Controls
                                                                           : UndefinedBytes::AsRawBytePoints);
        } else {
            opening = openCharset(name, false, UndefinedBytes::AsRawBytePoints);
        }
        if (opening.converter)
            converters_.emplace(name, opening.converter);
        return opening;
    }

private:
    std::mutex mutex_;
    std::map<std::string, std::shared_ptr<const CharsetConverter>> converters_;
};

const CharsetConverter& converterOf(const TextEncoding& encoding)
{
    const CharsetOpening opening = ConverterCache::instance().open(encoding.name());
    if (!opening.converter)
        throw KalmoError("The character set \"" + encoding.name() + "\" cannot be converted: " + opening.problem);
    return *opening.converter;
}

std::string uppercase(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isCharsetNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == ':';
}

// Bytes that were no UTF-8 when read are held as code points of their own,
// all of which start with these two bytes.
bool holdsRawBytePoints(std::string_view utf8)
{
    return utf8.find("\xEF\x9E") != std::string_view::npos || utf8.find("\xEF\x9F") != std::string_view::npos;
}

// UTF-8 that is read as UTF-8: a byte outside a well-formed sequence, and a
// sequence that is itself a raw-byte point, stay raw bytes.
std::string utf8WithRawBytes(std::string_view bytes)
{
    if (!holdsRawBytePoints(bytes) && isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) {
            appendRawByte(out, static_cast<unsigned char>(bytes[i++]));
            continue;
        }
        if (isRawBytePoint(decodeUtf8Sequence(bytes, i, length))) {
            for (std::size_t k = 0; k < length; ++k)
                appendRawByte(out, static_cast<unsigned char>(bytes[i + k]));
        } else {
            out.append(bytes.substr(i, length));
        }
        i += length;
    }
    return out;
}

// The table's row of a set offered by name; a set known only to the
// converter has none.
const KnownSet* commonSet(const TextEncoding& encoding)
{
    const KnownSet* known = knownSetNamed(encoding.name());
    return known && known->name == encoding.name() ? known : nullptr;
}

} // namespace

std::optional<TextEncoding> TextEncoding::named(std::string_view name)
{
    if (name.size() > kMaxNameLength)
        return std::nullopt;
    if (const KnownSet* known = knownSetNamed(name))
        return TextEncoding(known->name);
    if (normalized(name).empty())
        return std::nullopt;
    TextEncoding other(uppercase(name));
    if (!ConverterCache::instance().open(other.name()).converter)
        return std::nullopt;
    return other;
}

std::string TextEncoding::problem(std::string_view name)
{
    if (named(name))
        return {};
    const std::string quoted = "\"" + std::string(name) + "\"";
    if (name.size() > kMaxNameLength || normalized(name).empty())
        return "Unknown character set " + quoted;
    const CharsetOpening opening = openCharset(std::string(name), false, UndefinedBytes::AsRawBytePoints);
    if (!opening.knownToConverter)
        return "Unknown character set " + quoted;
    return "The character set " + quoted + " cannot be used: " + opening.problem;
}

std::string TextEncoding::group() const
{
    const KnownSet* known = commonSet(*this);
    return known ? known->group : "";
}

std::string TextEncoding::readableName() const
{
    const KnownSet* known = commonSet(*this);
    return known ? std::string(known->purpose) + " (" + name_ + ")" : name_;
}

const std::vector<TextEncoding>& commonEncodings()
{
    static const std::vector<TextEncoding> encodings = [] {
        std::vector<TextEncoding> all;
        for (const KnownSet& set : kKnownSets)
            all.push_back(*TextEncoding::named(set.name));
        return all;
    }();
    return encodings;
}

std::vector<std::string> declaredCharsets(std::string_view bytes)
{
    static constexpr std::string_view word = "charset";
    // Setting bit 5 folds an ASCII letter to lower case and maps no other
    // byte onto a lower-case letter but that letter's capital.
    const auto foldedEqual = [](char byte, char lower) { return (static_cast<unsigned char>(byte) | 0x20) == lower; };
    const auto wordAt = [&](std::size_t at) {
        return at + word.size() <= bytes.size()
            && std::equal(word.begin(), word.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                          [&](char lower, char byte) { return foldedEqual(byte, lower); });
    };
    // The word's first letter is looked for in each case with find, which
    // passes over a whole file far faster than a test per byte.
    std::size_t nextLower = bytes.find('c');
    std::size_t nextUpper = bytes.find('C');
    std::vector<std::string> names;
    while (std::min(nextLower, nextUpper) != std::string_view::npos) {
        const std::size_t at = std::min(nextLower, nextUpper);
        (at == nextLower ? nextLower : nextUpper) = bytes.find(bytes[at], at + 1);
        if (!wordAt(at))
            continue;
        std::size_t i = at + word.size();
        const auto skipBlanks = [&] {
            while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t'))
                ++i;
        };
        skipBlanks();
        if (i >= bytes.size() || bytes[i] != '=')
            continue;
        ++i;
        skipBlanks();
        if (i < bytes.size() && (bytes[i] == '"' || bytes[i] == '\''))
            ++i;
        const std::size_t start = i;
        while (i < bytes.size() && isCharsetNameCharacter(bytes[i]))
            ++i;
        if (i > start)
            names.emplace_back(bytes.substr(start, i - start));
    }
    return names;
}

Utf8Census utf8Census(std::string_view bytes)
{
    Utf8Census census;
    std::size_t i = 0;
    while ((i = nextNonAscii(bytes, i)) < bytes.size()) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) {
            if (census.invalidBytes++ == 0)
                census.firstInvalid = i;
            ++i;
            continue;
        }
        ++census.multiByteSequences;
        i += length;
    }
    return census;
}

TextEncoding detectEncoding(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8ByteOrderMark))
        return TextEncoding::Utf8;
    const Utf8Census census = utf8Census(bytes);
    // Valid UTF-8 beyond ASCII is hardly ever anything else, and files often
    // keep declaring the set they were converted from.
    if (census.multiByteSequences > 0 && census.invalidBytes == 0)
        return TextEncoding::Utf8;
    // Text in a single-byte set forms a UTF-8 sequence only by chance (an
    // accented capital followed by a symbol), while nearly every other
    // letter beyond ASCII is an invalid byte; a UTF-8 file with a stray
    // byte or two pasted in from elsewhere has few invalid bytes among many
    // sequences.
    const bool fewInvalidBytes
        = census.invalidBytes <= 4 || census.invalidBytes * 8 <= census.multiByteSequences + census.invalidBytes;
    for (const std::string& name : declaredCharsets(bytes)) {
        const auto declared = TextEncoding::named(name);
        if (!declared)
            continue;
        if (*declared != TextEncoding::Utf8)
            return *declared;
        if (fewInvalidBytes)
            return TextEncoding::Utf8;
    }
    if (census.multiByteSequences > 0 && fewInvalidBytes)
        return TextEncoding::Utf8;
    return census.invalidBytes == 0 ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string toUtf8(std::string_view bytes, const TextEncoding& encoding)
{
    if (encoding == TextEncoding::Utf8)
        return utf8WithRawBytes(bytes);
    return converterOf(encoding).toUtf8(bytes);
}

std::string fromUtf8(std::string_view utf8, const TextEncoding& encoding)
{
    if (encoding != TextEncoding::Utf8)
        return converterOf(encoding).fromUtf8(utf8);
    if (!holdsRawBytePoints(utf8))
        return std::string(utf8);
    return encodeUtf8Text(utf8, [](char32_t cp, std::string& out) {
        appendUtf8(out, cp);
        return true;
    });
}

void convertFromUtf8(std::string& text, const TextEncoding& encoding)
{
    if (encoding != TextEncoding::Utf8 || holdsRawBytePoints(text))
        text = fromUtf8(text, encoding);
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    return toUtf8(bytes, TextEncoding::Windows1252);
}

std::string utf8ToWindows1252(std::string_view utf8)
{
    return fromUtf8(utf8, TextEncoding::Windows1252);
}

} // namespace kalmo
