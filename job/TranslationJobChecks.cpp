// The translation job's checks: the findings of the whole translation kept
// up to date commit by commit, the entry on show checked as it is typed,
// and the steps from problem to problem; see TranslationJob.h.
#include "job/TranslationJob.h"

#include "job/TypedText.h"

#include <algorithm>
#include <limits>
#include <set>

namespace kalmo {

void TranslationJob::checkWholeFile(EntryListings listed)
{
    checker_ = std::make_unique<TranslationChecker>(NamedLines{fileName_, &loadedSource()},
                                                    NamedLines{TranslatedFilePath(), &workingLines_},
                                                    CheckOptions{encoding_}, std::move(listed));
    findings_ = checker_->check();
    // The check names the translated file's findings first.
    const std::string& translated = TranslatedFilePath();
    translatedFindings_ = static_cast<std::size_t>(
        std::find_if(findings_.begin(), findings_.end(), [&](const Finding& finding) { return finding.file != translated; })
        - findings_.begin());
    recheckedLines_.clear();
    if (OnProblemsChanged)
        OnProblemsChanged();
}

void TranslationJob::checkWorkingLine(int line)
{
    if (!checker_)
        return;
    recheckedLines_.insert_or_assign(line, checker_->checkLine(line));
    if (OnProblemsChanged)
        OnProblemsChanged();
}

std::vector<Finding> TranslationJob::currentFindings() const
{
    if (recheckedLines_.empty())
        return findings_;
    std::vector<Finding> all;
    all.reserve(findings_.size() + recheckedLines_.size());
    auto rechecked = recheckedLines_.begin();
    // Findings name lines from 1, the rechecked lines count from 0.
    const auto putRecheckedBefore = [&](int findingLine) {
        for (; rechecked != recheckedLines_.end() && rechecked->first + 1 < findingLine; ++rechecked)
            all.insert(all.end(), rechecked->second.begin(), rechecked->second.end());
    };
    constexpr int afterEveryLine = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        const Finding& finding = findings_[i];
        if (i < translatedFindings_) {
            putRecheckedBefore(finding.line);
            if (recheckedLines_.contains(finding.line - 1))
                continue;
        } else {
            putRecheckedBefore(afterEveryLine);
        }
        all.push_back(finding);
    }
    putRecheckedBefore(afterEveryLine);
    return all;
}

std::vector<Finding> TranslationJob::Problems() const
{
    return silenced_.without(TranslatedFilePath(), currentFindings());
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
