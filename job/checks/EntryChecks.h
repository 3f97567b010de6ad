// The checks of one entry of a translated file: its value as PHP reads it,
// then its text against the source entry's. The whole-file check, the job's
// findings and the window's check while typing all run these.
#pragma once

#include "job/EntryList.h"
#include "job/Finding.h"
#include "job/TextEncoding.h"
#include "job/checks/SpellingDictionary.h"

#include <optional>
#include <string>
#include <vector>

namespace kalmo {

struct NamedLines {
    std::string name; // as findings name the file
    const LineList* lines = nullptr;
};

struct EntryInFile {
    const NamedLines& file;
    const Entry& entry;
};

struct CheckOptions {
    // The translated file's character set; a character it cannot hold is
    // noted. Not looked at when unset.
    std::optional<TextEncoding> encoding;
    // The translation's language: a word it does not know is noted. No
    // spelling check without one.
    SpellingDictionary* dictionary = nullptr;
};

// Appends the findings about the translated entry. source: the source's
// entry of the same constant, or none; compareTexts: whether its text is
// compared with the source's (not for a second definition, which PHP
// passes over).
void checkEntry(const EntryInFile& translated, const std::optional<EntryInFile>& source, bool compareTexts,
                const CheckOptions& options, std::vector<Finding>& findings);

// What the charset check says of a translation in a file of this set.
std::optional<std::string> charsetProblem(std::string_view translation, const TextEncoding& encoding);

} // namespace kalmo
