// The checks a translated language file must pass; see TranslationCheck.h.
#include "job/TranslationCheck.h"

#include "job/checks/CheckNames.h"

#include <algorithm>
#include <optional>

namespace kalmo {
namespace {

Finding findingAbout(const NamedLines& file, const Entry& entry, FindingKind kind, std::string message,
                     std::string_view check)
{
    return {file.name, entry.line + 1, kind, std::move(message), std::string(check), entry.name};
}

} // namespace

std::vector<Finding> checkTranslation(const NamedLines& source, const NamedLines& translated,
                                      const CheckOptions& options)
{
    return TranslationChecker(source, translated, options).check();
}

TranslationChecker::TranslationChecker(NamedLines source, NamedLines translated, CheckOptions options)
    : TranslationChecker(source, translated, std::move(options),
                         translated.lines ? EntryListings{listEntries(*source.lines), listEntries(*translated.lines)}
                                          : EntryListings{listEntries(*source.lines), {}})
{
}

TranslationChecker::TranslationChecker(NamedLines source, NamedLines translated, CheckOptions options,
                                       EntryListings listed)
    : source_(std::move(source)), translated_(translated.lines ? translated : source_), options_(std::move(options)),
      aloneCheck_(translated.lines == nullptr), sourceEntries_(std::move(listed.source)),
      translatedEntries_(aloneCheck_ ? sourceEntries_ : std::move(listed.working)),
      sourceByName_(sourceEntries_), translatedByName_(translatedEntries_, sourceByName_)
{
}

std::vector<Finding> TranslationChecker::check() const
{
    std::vector<Finding> findings;
    // At most about one finding per entry, as a rule.
    findings.reserve(std::max(sourceEntries_.size(), translatedEntries_.size()));
    std::vector<bool> sourceSeen(sourceEntries_.size());
    for (std::size_t i = 0; i < translatedEntries_.size(); ++i)
        checkEntryAt(i, translatedEntries_[i], translated_, &sourceSeen, findings);
    if (aloneCheck_)
        return findings;
    for (std::size_t i = 0; i < sourceEntries_.size(); ++i) {
        const Entry& entry = sourceEntries_[i];
        if (sourceByName_.isFirst(i) && !sourceSeen[i])
            findings.push_back(findingAbout(source_, entry, FindingKind::Warning,
                                            entry.name + " is missing from " + fileNameOf(translated_.name),
                                            check::Missing));
    }
    return findings;
}

void TranslationChecker::checkEntryAt(std::size_t i, const Entry& entry, const NamedLines& lines,
                                      std::vector<bool>* sourceSeen, std::vector<Finding>& findings) const
{
    const bool isFirst = translatedByName_.isFirst(i);
    if (!isFirst) {
        findings.push_back(findingAbout(
            translated_, entry, FindingKind::Warning,
            entry.name + " is defined again (first at line "
                + std::to_string(translatedEntries_[translatedByName_.find(entry.name)].line + 1) + "); PHP keeps the first",
            check::Duplicate));
    }
    std::optional<EntryInFile> counterpart;
    if (!aloneCheck_) {
        // Most translations keep the source's order: the entry at the same
        // place is the first guess.
        const bool samePlace
            = i < sourceEntries_.size() && sourceByName_.isFirst(i) && sourceEntries_[i].name == entry.name;
        const std::size_t found = samePlace ? i : sourceByName_.find(entry.name);
        if (found != EntryIndex::npos) {
            counterpart.emplace(EntryInFile{source_, sourceEntries_[found]});
            if (sourceSeen)
                (*sourceSeen)[found] = true;
        } else if (isFirst) {
            findings.push_back(
                findingAbout(translated_, entry, FindingKind::Warning, entry.name + " is not in the source", check::Extra));
        }
    }
    checkEntry({lines, entry}, counterpart, isFirst, options_, findings);
}

const Entry* TranslationChecker::translatedEntryOn(int line) const
{
    return entryOnLine(translatedEntries_, line);
}

std::vector<Finding> TranslationChecker::checkLine(int line)
{
    const Entry* listed = translatedEntryOn(line);
    if (!listed)
        return {};
    auto& entry = translatedEntries_[static_cast<std::size_t>(listed - translatedEntries_.data())];
    auto again = entryReadAgain(entry, (*translated_.lines)[static_cast<std::size_t>(line)]);
    // The line holds the call no more: the places listed are not its.
    if (!again)
        return {};
    entry = std::move(*again);
    std::vector<Finding> findings;
    checkEntryAt(static_cast<std::size_t>(&entry - translatedEntries_.data()), entry, translated_, nullptr, findings);
    return findings;
}

std::vector<Finding> TranslationChecker::checkLineAs(int line, std::string_view text) const
{
    const Entry* listed = translatedEntryOn(line);
    if (!listed)
        return {};
    // The entry is checked in a file of this one line, as line 0.
    const LineList alone{std::string(text)};
    const NamedLines lines{translated_.name, &alone};
    Entry entry = *listed;
    entry.line = 0;
    auto again = entryReadAgain(entry, text);
    if (!again)
        return {};
    entry = std::move(*again);
    std::vector<Finding> findings;
    checkEntryAt(static_cast<std::size_t>(listed - translatedEntries_.data()), entry, lines, nullptr, findings);
    for (Finding& finding : findings)
        finding.line = line + 1;
    return findings;
}

int TranslationChecker::sourceLineOf(std::string_view constant) const
{
    const std::size_t found = sourceByName_.find(constant);
    return found == EntryIndex::npos ? -1 : sourceEntries_[found].line;
}

} // namespace kalmo
