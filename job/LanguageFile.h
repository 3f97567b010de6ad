// Reading a language file into lines and writing lines back, in the file's
// own encoding and with its own line ends. Files that are not text (binary
// content, UTF-16 or UTF-32) are refused here, before any job sees them.
#pragma once

#include "job/FileAccess.h"
#include "job/LineList.h"
#include "job/TextEncoding.h"

#include <string>

namespace kalmo {

struct LanguageFile {
    LineList lines; // UTF-8
    LineEnds lineEnds;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Throws "Cannot open file ..." when the file cannot be opened or read, or
// is not a text file this program can translate.
LanguageFile readLanguageFile(const std::string& path);

// Writes the lines in the given encoding with the line ends of the file as
// loaded (see joinLines), safely. Throws "Cannot create file ..." and leaves
// an existing file untouched.
void writeLanguageFile(const std::string& path, const LineList& lines, const LineEnds& loadedEnds,
                       TextEncoding encoding, Backup backup = Backup::None);

} // namespace kalmo
