// The checks a translated language file must pass before the CMS loads it:
// every entry a PHP string on one line that reads back as written, its text
// true to the source's (placeholders, tags, entities, blanks, punctuation),
// each constant once, none missing or extra.
#pragma once

#include "job/EntryList.h"
#include "job/Finding.h"
#include "job/LineList.h"
#include "job/checks/EntryChecks.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Findings about translated against source, in the translated file's line
// order, then the constants missing from it in the source's line order.
// Without a translated file (lines null) the source is checked on its own.
std::vector<Finding> checkTranslation(const NamedLines& source, const NamedLines& translated,
                                      const CheckOptions& options = {});

// The same checks with the entries of both files listed once, so that one
// entry can be checked again after its value changed: the job's findings
// follow each commit, and the window's follow each keystroke.
class TranslationChecker {
public:
    // The lines must outlive the checker; they are read again only where asked to.
    TranslationChecker(NamedLines source, NamedLines translated, CheckOptions options = {});
    // With the entries of both files listed already (`listed.working` those
    // of the translated file).
    TranslationChecker(NamedLines source, NamedLines translated, CheckOptions options, EntryListings listed);
    TranslationChecker(const TranslationChecker&) = delete;
    TranslationChecker& operator=(const TranslationChecker&) = delete;

    std::vector<Finding> check() const;

    // What check() gives for the entry on the translated file's line
    // (0-based), read again from the line as it stands now, or as `text`
    // would make it; only the entry's value may have changed since the
    // entries were listed. Nothing for a line that is no entry.
    std::vector<Finding> checkLine(int line);
    std::vector<Finding> checkLineAs(int line, std::string_view text) const;

    // The source's line (0-based) of the constant's first entry; -1 when none.
    int sourceLineOf(std::string_view constant) const;

private:
    const Entry* translatedEntryOn(int line) const;
    // The findings of translated entry i, read from `lines`.
    void checkEntryAt(std::size_t i, const Entry& entry, const NamedLines& lines, std::vector<bool>* sourceSeen,
                      std::vector<Finding>& findings) const;

    const NamedLines source_;
    const NamedLines translated_;
    const CheckOptions options_;
    const bool aloneCheck_;
    const std::vector<Entry> sourceEntries_;
    std::vector<Entry> translatedEntries_;
    const EntryIndex sourceByName_;
    const EntryIndex translatedByName_;
};

} // namespace kalmo
