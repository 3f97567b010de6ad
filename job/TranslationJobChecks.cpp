// The translation job's checks: the findings of the whole translation kept
// up to date commit by commit, the entry on show checked as it is typed,
// and the steps from problem to problem; see TranslationJob.h.
#include "job/TranslationJob.h"

#include "job/TypedText.h"

#include <algorithm>
#include <set>

namespace kalmo {

void TranslationJob::checkWholeFile(EntryListings listed)
{
    checker_ = std::make_unique<TranslationChecker>(NamedLines{fileName_, &loadedSource()},
                                                    NamedLines{TranslatedFilePath(), &workingLines_},
                                                    CheckOptions{encoding_}, std::move(listed));
    findings_ = checker_->check();
    if (OnProblemsChanged)
        OnProblemsChanged();
}

void TranslationJob::checkWorkingLine(int line)
{
    if (!checker_)
        return;
    // The line's findings stand together, among those of the translated
    // file, which come before those of the source.
    const std::string& file = TranslatedFilePath();
    const auto onLine = [&](const Finding& finding) { return finding.file == file && finding.line == line + 1; };
    const auto first = std::find_if(findings_.begin(), findings_.end(), [&](const Finding& finding) {
        return finding.file != file || finding.line >= line + 1;
    });
    const auto last = std::find_if_not(first, findings_.end(), onLine);
    std::vector<Finding> fresh = checker_->checkLine(line);
    const auto at = findings_.erase(first, last);
    findings_.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    if (OnProblemsChanged)
        OnProblemsChanged();
}

std::vector<Finding> TranslationJob::Problems() const
{
    return silenced_.without(TranslatedFilePath(), findings_);
}

std::vector<Finding> TranslationJob::EntryProblems(const std::string& field) const
{
    if (!checker_ || currentEntry_ == 0 || wholeLineMode_ || fullTextMode_ || workingEntry_ < 0
        || workingEntry_ >= static_cast<int>(workingLines_.size()))
        return {};
    // The line as the commit would write it.
    const std::string& working = workingLines_[static_cast<std::size_t>(workingEntry_)];
    const std::string typed = typedTextToWrite(shownTranslation_, field, encoding_);
    std::optional<std::string> rebuilt;
    if (typed != shownTranslation_)
        rebuilt = rebuildWithTranslation(working, quotes_, typed);
    return silenced_.without(TranslatedFilePath(), checker_->checkLineAs(workingEntry_, rebuilt.value_or(working)));
}

void TranslationJob::NextProblem()
{
    stepToProblem(Direction::Forward);
}

void TranslationJob::PreviousProblem()
{
    stepToProblem(Direction::Backward);
}

void TranslationJob::stepToProblem(Direction direction)
{
    stepToFirstOf(direction, [this, direction] {
        // Taken after the commit, so the entry just left counts as the user left it.
        std::set<int> lines;
        for (const Finding& finding : Problems())
            if (asksForAFix(finding))
                if (const int line = checker_->sourceLineOf(finding.constant); line > 0)
                    lines.insert(line);
        std::vector<int> order(lines.begin(), lines.end());
        if (direction == Direction::Backward)
            std::reverse(order.begin(), order.end());
        // From the entry after the one on show on, then from the other end.
        const bool forward = direction == Direction::Forward;
        const auto beyond = std::find_if(order.begin(), order.end(),
                                         [&](int line) { return forward ? line > currentEntry_ : line < currentEntry_; });
        std::rotate(order.begin(), beyond, order.end());
        std::erase(order, currentEntry_);
        return order;
    });
}

void TranslationJob::ShowProblem(const Finding& finding)
{
    stepToFirstOf(Direction::Forward, [this, &finding] {
        const int line = checker_->sourceLineOf(finding.constant);
        return line > 0 ? std::vector<int>{line} : std::vector<int>{};
    });
}

void TranslationJob::IgnoreProblem(const std::string& constant, const std::string& check)
{
    silenced_.silence(TranslatedFilePath(), constant, check);
    if (OnProblemsChanged)
        OnProblemsChanged();
}

} // namespace kalmo
