// The translation job's lists and what follows them: the viewer panes, the
// progress count, the unsaved mark and the journal's changes learn of each
// changed line, so that a commit costs the line it changed, not the file.
#include "job/TranslationJob.h"

#include "controls/memo/CodeMemoModel.h"
#include "job/TranslationJobView.h"

#include <set>
#include <string>

namespace kalmo {

void TranslationJob::workingLineChanged(int line)
{
    workingChangedInPanes_.push_back(line);
    unsavedLines_.lineChanged(savedLines_, workingLines_, line);
    translatedLines_.lineChanged(sourceLines_, workingLines_, line);
    if (!progress_.workingLineChanged(loadedSource(), workingLines_, line))
        progress_.recount(loadedSource(), workingLines_);
}

void TranslationJob::sourceLineChanged(int line)
{
    sourceChangedInPanes_.push_back(line);
    sourceEntryLines_.reset();
    rewrittenSource_.lineChanged(loadedSource(), sourceLines_, line);
    translatedLines_.lineChanged(sourceLines_, workingLines_, line);
}

void TranslationJob::listsReplaced()
{
    panesReplaced_ = true;
    sourceEntryLines_.reset();
    workingChangedInPanes_.clear();
    sourceChangedInPanes_.clear();
    unsavedLines_.recount(savedLines_, workingLines_);
    translatedLines_.recount(sourceLines_, workingLines_);
    rewrittenSource_.recount(loadedSource(), sourceLines_);
    recountEntries();
}

void TranslationJob::keepLoadedSource()
{
    if (sourceRewritten_)
        return;
    loadedSourceLines_ = sourceLines_;
    sourceRewritten_ = true;
}

void TranslationJob::recountEntries()
{
    EntryListings listed = listEntriesOfBoth(loadedSource(), workingLines_);
    progress_.recount(loadedSource(), workingLines_, listed);
    checkWholeFile(std::move(listed));
}

const std::vector<int>& TranslationJob::sourceEntryLines()
{
    if (!sourceEntryLines_) {
        sourceEntryLines_.emplace();
        for (const Entry& entry : listEntries(sourceLines_))
            sourceEntryLines_->push_back(entry.line);
    }
    return *sourceEntryLines_;
}

std::optional<std::set<int>> TranslationJob::paneEdits() const
{
    const TCodeMemoStrings& pane = memo2_.Lines();
    if (panesReplaced_ || !workingChangedInPanes_.empty() || !pane.KeptShapeSinceFill()
        || static_cast<std::size_t>(pane.LineCount()) != workingLines_.size())
        return std::nullopt;
    // As lowerPaneLines decides: a line the pane only tidied keeps its bytes.
    std::set<int> edits;
    for (const int line : pane.LinesPutSinceFill()) {
        const std::string& given = workingLines_[static_cast<std::size_t>(line)];
        const std::string& shown = pane.Line(line);
        if (given != shown && pane.Tidied(given) != pane.Tidied(shown))
            edits.insert(line);
    }
    return edits;
}

std::string TranslationJob::paneLineAt(int line, const std::set<int>& edits) const
{
    return edits.contains(line) ? memo2_.Lines().Line(line) : workingLines_[static_cast<std::size_t>(line)];
}

std::set<int> TranslationJob::paneLinesUnsaved(const std::set<int>& edits) const
{
    std::set<int> candidates = unsavedLines_.lines();
    candidates.insert(edits.begin(), edits.end());
    std::set<int> unsaved;
    for (const int line : candidates)
        if (paneLineAt(line, edits) != savedLines_[static_cast<std::size_t>(line)])
            unsaved.insert(line);
    return unsaved;
}

bool TranslationJob::paneUnsaved() const
{
    // Outside the free editor the lower pane holds the working lines.
    if (!fullTextMode_)
        return unsavedLines_.any();
    const auto edits = paneEdits();
    if (!edits || !unsavedLines_.sameLength())
        return lowerPaneLines() != savedLines_;
    return !paneLinesUnsaved(*edits).empty();
}

} // namespace kalmo
