// The translation job's ways out of a save: Save As, and the choices a
// failed Exit offers instead of the same error again and again.
#include "job/TranslationJob.h"

#include "base/KalmoError.h"
#include "job/TranslationJobView.h"

#include <optional>
#include <string>
#include <utility>

namespace kalmo {
namespace {

const char* const kTargetFilter = "PHP files (*.php)|*.PHP";
const char* const kSaveAs = "Save As\u2026";
const char* const kQuitWithoutSaving = "Quit Without Saving";
const char* const kCancel = "Cancel";

} // namespace

void TranslationJob::SaveAs()
{
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    saveAs();
}

bool TranslationJob::saveAs()
{
    const auto chosen = windows_.ChooseTargetFile({kTargetFilter, "Save Translation As"});
    if (!chosen)
        return false;
    // The target changes only once the translation stands there; a file of
    // that name that this run did not write is kept as a backup first.
    const std::string previousTarget = std::exchange(targetPath_, *chosen);
    try {
        Save();
    } catch (const KalmoError&) {
        targetPath_ = previousTarget;
        throw;
    }
    return true;
}

void TranslationJob::saveOrAskBeforeExit()
{
    // A commit that fails stops Exit as it stops a step: the field is the
    // problem, not the file.
    std::optional<std::string> failed;
    withCommittedLinesToWrite([&](const LineList& lines) {
        try {
            writeTranslation(lines);
        } catch (const KalmoError& error) {
            failed = error.what();
        }
    });
    if (!failed)
        return;
    std::string problem = *failed;
    for (;;) {
        const Question question{
            errorReportText(problem)
                + " Save the translation under another name, or quit and keep the work for the next start?",
            {kSaveAs, kQuitWithoutSaving, kCancel},
            /*defaultAnswer=*/2,
            /*cancelAnswer=*/2};
        const std::size_t answer = windows_.Ask(question);
        if (answer == 1) {
            keepUnsavedWorkInJournal();
            return;
        }
        if (answer != 0)
            throw AnsweredError(problem);
        // A cancelled dialog or a name that fails too comes back to the choice.
        try {
            if (saveAs())
                return;
        } catch (const KalmoError& error) {
            problem = error.what();
        }
    }
}

} // namespace kalmo
