// Reading a language file into lines and writing lines back, in the file's
// own encoding.
#pragma once

#include "job/LineList.h"
#include "job/TextEncoding.h"

#include <string>

namespace kalmo {

struct LanguageFile {
    LineList lines; // UTF-8
    TextEncoding encoding = TextEncoding::Utf8;
};

// Throws "Cannot open file ..." when the file cannot be opened or read.
LanguageFile readLanguageFile(const std::string& path);

// Writes the lines in the given encoding, each ended by CR LF, safely.
// Throws "Cannot create file ..." and leaves an existing file untouched.
void writeLanguageFile(const std::string& path, const LineList& lines, TextEncoding encoding);

} // namespace kalmo
