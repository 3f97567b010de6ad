// Reading and writing a language file in its own encoding and line ends; see LanguageFile.h.
#include "job/LanguageFile.h"

#include "base/KalmoError.h"
#include "job/EntryList.h"

#include <optional>

namespace kalmo {
namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

// True when every byte at a position p with p % period in zeroPositions is NUL.
bool nulsAt(std::string_view bytes, std::size_t period, std::initializer_list<std::size_t> zeroPositions)
{
    if (bytes.size() < period)
        return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (const std::size_t position : zeroPositions) {
            if (i % period == position && bytes[i] != '\0')
                return false;
        }
    }
    return true;
}

// The name of a wide Unicode form the bytes are in, judged by a byte-order
// mark or, without one, by the NUL bytes that ASCII text has in that form.
std::optional<std::string> wideUnicodeForm(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (startsWith(bytes, "\xFF\xFE\0\0"sv) || nulsAt(bytes, 4, {1, 2, 3}))
        return "UTF-32 (little-endian)";
    if (startsWith(bytes, "\0\0\xFE\xFF"sv) || nulsAt(bytes, 4, {0, 1, 2}))
        return "UTF-32 (big-endian)";
    if (startsWith(bytes, "\xFF\xFE"sv) || nulsAt(bytes, 2, {1}))
        return "UTF-16 (little-endian)";
    if (startsWith(bytes, "\xFE\xFF"sv) || nulsAt(bytes, 2, {0}))
        return "UTF-16 (big-endian)";
    return std::nullopt;
}

// A language file is text; reading on past a NUL or taking UTF-16 for
// single bytes would write a damaged copy at Exit.
void refuseWhatIsNotText(const std::string& path, std::string_view bytes)
{
    if (const auto form = wideUnicodeForm(bytes))
        throw cannotOpenFile(path, "It is a " + *form + " file; save it as UTF-8 and load it again");
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        throw cannotOpenFile(path, "It holds a NUL byte (at byte " + std::to_string(nul)
                                       + "), so it is not a text file");
}

// The index of the line that holds the byte at offset: CR LF, a lone CR
// and a lone LF each end a line, as splitLines splits them.
std::size_t lineOfOffset(std::string_view bytes, std::size_t offset)
{
    std::size_t line = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        // i + 1 <= offset, which is inside the bytes.
        if (bytes[i] == '\n' || (bytes[i] == '\r' && bytes[i + 1] != '\n'))
            ++line;
    }
    return line;
}

} // namespace

LanguageFile readLanguageFile(const std::string& path, const std::optional<TextEncoding>& encoding)
{
    const std::string bytes = readWholeFile(path);
    refuseWhatIsNotText(path, bytes);
    LanguageFile file;
    file.encoding = encoding.value_or(detectEncoding(bytes));
    std::string_view text = bytes;
    if (file.encoding == TextEncoding::Utf8 && text.starts_with(kUtf8ByteOrderMark)) {
        file.byteOrderMark = true;
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    if (file.encoding == TextEncoding::Utf8) {
        const Utf8Census census = utf8Census(text);
        file.invalidUtf8Bytes = census.invalidBytes;
        if (census.invalidBytes > 0)
            file.firstInvalidUtf8Line = lineOfOffset(text, census.firstInvalid);
    }
    try {
        file.lines = splitLines(toUtf8(text, file.encoding), &file.lineEnds);
    } catch (const KalmoError& error) {
        throw cannotOpenFile(path, error.what());
    }
    return file;
}

std::optional<std::string> invalidUtf8Note(const LanguageFile& file, const std::string& path)
{
    if (file.invalidUtf8Bytes == 0)
        return std::nullopt;
    const std::string line = std::to_string(file.firstInvalidUtf8Line + 1);
    if (file.invalidUtf8Bytes == 1)
        return "1 byte of " + fileNameOf(path) + " is not valid UTF-8 (on line " + line + "); it is kept as it is";
    return std::to_string(file.invalidUtf8Bytes) + " bytes of " + fileNameOf(path) + " are not valid UTF-8 (first on line "
        + line + "); they are kept as they are";
}

std::string writeLanguageFile(const std::string& path, const LineList& lines, const LineEnds& loadedEnds,
                              const TextEncoding& encoding, bool byteOrderMark, Backup backup)
{
    std::string bytes = joinLines(lines, loadedEnds);
    try {
        convertFromUtf8(bytes, encoding);
    } catch (const KalmoError& error) {
        throw cannotCreateFile(path, error.what());
    }
    if (byteOrderMark)
        bytes.insert(0, kUtf8ByteOrderMark);
    writeFileSafely(path, bytes, backup);
    return bytes;
}

} // namespace kalmo
