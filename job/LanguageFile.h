// Reading a language file into lines and writing lines back, in the file's
// own encoding and with its own line ends. Files that are not text (binary
// content, UTF-16 or UTF-32) are refused here, before any job sees them.
#pragma once

#include "job/FileAccess.h"
#include "job/LineList.h"
#include "job/TextEncoding.h"

#include <optional>
#include <string>

namespace kalmo {

struct LanguageFile {
    LineList lines; // UTF-8
    LineEnds lineEnds;
    TextEncoding encoding = TextEncoding::Utf8;
    // A UTF-8 file's byte-order mark is not part of line 0; it comes back on write.
    bool byteOrderMark = false;
    // In a file read as UTF-8: the bytes outside any UTF-8 character, which
    // are kept as they are, and the index of the line that holds the first.
    std::size_t invalidUtf8Bytes = 0;
    std::size_t firstInvalidUtf8Line = 0;
};

// Reads the file in the given set, or in the one detectEncoding finds. Throws
// "Cannot open file ..." when the file cannot be opened or read, or is not a
// text file this program can translate.
LanguageFile readLanguageFile(const std::string& path, const std::optional<TextEncoding>& encoding = std::nullopt);

// "N bytes of NAME are not valid UTF-8 (first on line L); they are kept as
// they are", with the line counted from 1; nothing when every byte was.
std::optional<std::string> invalidUtf8Note(const LanguageFile& file, const std::string& path);

// Writes the lines in the given encoding, after a UTF-8 byte-order mark when
// asked, with the line ends of the file as loaded (see joinLines), safely.
// Gives the bytes written. Throws "Cannot create file ..." and leaves an
// existing file untouched.
std::string writeLanguageFile(const std::string& path, const LineList& lines, const LineEnds& loadedEnds,
                              const TextEncoding& encoding, bool byteOrderMark = false, Backup backup = Backup::None);

} // namespace kalmo
