// What the translation job tells those who follow its work without being
// part of it (the translation memory): a file became the job's, the
// translated file was written, an entry was shown. Told on the job's thread,
// after the job is done with the step.
#pragma once

#include <string>

namespace kalmo {

class TranslationJobEvents {
public:
    virtual ~TranslationJobEvents() = default;

    // A load, a continue, a reload or recovered work made the file the
    // job's; the entries to review start empty.
    virtual void FileLoaded() = 0;
    // The translated file at path now holds the job's SavedLines().
    virtual void TranslationSaved(const std::string& path) = 0;
    // The entry at CurrentEntry() is on show.
    virtual void EntryShown() = 0;
};

} // namespace kalmo
