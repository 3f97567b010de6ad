// How far a job's translation is: which entries of the source still hold
// their source text in the working lines, and which cannot take a
// translation at all. The status bar's count and the untranslated
// navigation read the same answer.
#pragma once

#include "job/EntryList.h"
#include "job/LineList.h"

#include <string>
#include <vector>

namespace kalmo {

struct EntryProgress {
    int line = 0; // the entry's index in the source lines
    std::string name;
    // The working line of the entry carries another value than the source.
    bool translated = false;
    // The commit can write a translation into the entry; the others are
    // counted apart, never as left to translate.
    bool writable = true;
};

// Writable and not translated yet: where Continue and the untranslated
// navigation stop.
bool isLeftToTranslate(const EntryProgress& entry);

// Every entry of the source, in file order. An entry's working line is the
// line with the same index while both lists have the same length (full-text
// editing can change that), else the first working entry of its name; an
// entry without a working line counts as untranslated.
std::vector<EntryProgress> entryProgress(const LineList& source, const LineList& working);

// "translated N of M" over the writable entries, then ", K whole-line only"
// when K entries are not writable, ", R to review" when R entries' source
// texts changed under their translations, then " *" when there are unsaved
// changes.
std::string progressText(const std::vector<EntryProgress>& entries, bool unsaved, std::size_t toReview = 0);

// The progress of a job kept up to date commit by commit: counted in full
// when the lists are replaced, then only the entry whose working line
// changed is read again.
class ProgressTally {
public:
    // Both lists in full, as entryProgress; `listed` holds their entries
    // when the caller has them already.
    void recount(const LineList& source, const LineList& working);
    void recount(const LineList& source, const LineList& working, const EntryListings& listed);
    // The working line at `line` changed in place; false when it cannot be
    // read again alone (another length of lists, no entry read there
    // before), and then recount must follow.
    bool workingLineChanged(const LineList& source, const LineList& working, int line);
    // What entryProgress gives for the lists as they stand.
    const std::vector<EntryProgress>& entries() const { return progress_; }
    // progressText of entries().
    std::string text(bool unsaved, std::size_t toReview) const;

private:
    std::vector<EntryProgress> progress_;
    // Per entry of progress_ the column of the working line's define call
    // it was compared with, -1 for none; kept while both lists have the
    // same length.
    std::vector<int> counterparts_;
    std::vector<Entry> sourceEntries_;
    bool sameLength_ = true;
    std::size_t writable_ = 0;
    std::size_t translated_ = 0;
};

// The "N of M" of a progress text; empty when the text is no progress text.
std::string translatedCount(const std::string& progressText);

} // namespace kalmo
