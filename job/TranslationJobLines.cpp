// The translation job's lists and what follows them: the viewer panes, the
// progress count, the unsaved mark and the journal's changes learn of each
// changed line, so that a commit costs the line it changed, not the file.
#include "job/TranslationJob.h"

namespace kalmo {

void TranslationJob::workingLineChanged(int line)
{
    workingChangedInPanes_.push_back(line);
    unsavedLines_.lineChanged(savedLines_, workingLines_, line);
    translatedLines_.lineChanged(sourceLines_, workingLines_, line);
    if (!progress_.workingLineChanged(loadedSourceLines_, workingLines_, line))
        progress_.recount(loadedSourceLines_, workingLines_);
}

void TranslationJob::sourceLineChanged(int line)
{
    sourceChangedInPanes_.push_back(line);
    rewrittenSource_.lineChanged(loadedSourceLines_, sourceLines_, line);
    translatedLines_.lineChanged(sourceLines_, workingLines_, line);
}

void TranslationJob::listsReplaced()
{
    panesReplaced_ = true;
    workingChangedInPanes_.clear();
    sourceChangedInPanes_.clear();
    progress_.recount(loadedSourceLines_, workingLines_);
    unsavedLines_.recount(savedLines_, workingLines_);
    translatedLines_.recount(sourceLines_, workingLines_);
    rewrittenSource_.recount(loadedSourceLines_, sourceLines_);
}

} // namespace kalmo
