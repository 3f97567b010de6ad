// The character set of a language file: how it is named, how it is found
// from a file's bytes, and the conversions between it and the UTF-8 that
// every line is inside the program. Reading and writing keep every byte of
// a line nobody changed, whatever the set.
#pragma once

#include "base/Utf8Codec.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

class TextEncoding {
public:
    static const TextEncoding Utf8;
    static const TextEncoding Windows1252;

    // The set the system's converter knows by this name, in any letter case.
    // ISO-8859-1 and US-ASCII are read as Windows-1252, as web browsers do.
    // Nullopt for a name the converter does not know, and for a set this
    // program cannot read and write losslessly (see problem).
    static std::optional<TextEncoding> named(std::string_view name);
    // Why named gives nothing for this name, as an error message naming it.
    static std::string problem(std::string_view name);

    // As the status bar and `kalmo script` show it, e.g. "ISO-8859-2".
    const std::string& name() const { return name_; }
    // For choosing among the common sets: the script or region they are
    // grouped by ("Cyrillic") and a name that says what the set is for
    // ("Cyrillic (Windows-1251)"). Another set has no group and its plain name.
    std::string group() const;
    std::string readableName() const;

    bool operator==(const TextEncoding&) const = default;

private:
    explicit TextEncoding(std::string name) : name_(std::move(name)) {}
    std::string name_;
};

inline const TextEncoding TextEncoding::Utf8{"UTF-8"};
inline const TextEncoding TextEncoding::Windows1252{"Windows-1252"};

// The sets offered for reloading a file, those of a group together, UTF-8 first.
const std::vector<TextEncoding>& commonEncodings();

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The names declared as "charset=NAME" in the bytes, in file order.
std::vector<std::string> declaredCharsets(std::string_view bytes);

// How close bytes are to UTF-8: the well-formed sequences beyond ASCII, the
// bytes that belong to no well-formed sequence, and the offset of the first.
struct Utf8Census {
    std::size_t multiByteSequences = 0;
    std::size_t invalidBytes = 0;
    std::size_t firstInvalid = 0;
};
Utf8Census utf8Census(std::string_view bytes);

// A file's set: UTF-8 after a byte-order mark; UTF-8 when the bytes are
// valid UTF-8 holding more than ASCII, whatever they declare; else the
// first declared set the converter knows, where a declared UTF-8 counts only
// when few bytes are invalid (at most 4, or at most one in 8 of the
// sequences beyond ASCII); else UTF-8 when at least one well-formed
// sequence beyond ASCII is there and few bytes are invalid; else UTF-8 for
// pure ASCII and Windows-1252 for anything else. UTF-8 with invalid bytes
// reads them as raw bytes, kept as they are.
TextEncoding detectEncoding(std::string_view bytes);

// The five bytes Windows-1252 leaves undefined map to U+0081, U+008D, U+008F,
// U+0090 and U+009D; other sets' undefined bytes map to U+F700 + byte. Both
// come back as the same bytes. Throws KalmoError when the system's converter
// cannot convert the set after all.
std::string toUtf8(std::string_view bytes, const TextEncoding& encoding);
// Characters the set cannot hold become "&#N;" (decimal code point), which
// the CMS shows as that character.
std::string fromUtf8(std::string_view utf8, const TextEncoding& encoding);
// fromUtf8 in place, for a whole file: text that needs no conversion is
// left where it is rather than copied.
void convertFromUtf8(std::string& text, const TextEncoding& encoding);

std::string windows1252ToUtf8(std::string_view bytes);
std::string utf8ToWindows1252(std::string_view utf8);

} // namespace kalmo
