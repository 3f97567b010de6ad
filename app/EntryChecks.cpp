// The checks of the entry on show while the user types; see EntryChecks.h.
#include "app/EntryChecks.h"

#include "app/SpellingMenu.h"
#include "app/SpellingService.h"
#include "controls/edit/qt/EntryEdit.h"
#include "job/TranslationJob.h"

#include <QFontMetrics>
#include <QMenu>

#include <algorithm>

namespace kalmo {
namespace {

int utf16Length(std::string_view utf8) { return static_cast<int>(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).size()); }

} // namespace

EntryChecks::EntryChecks(TEntryEdit& field, std::function<TranslationJob*()> job, QObject* parent)
    : QObject(parent), field_(field), job_(std::move(job)), spelling_(new SpellingService(this))
{
    field_.Model().Features().ShowError = true;
    field_.Model().OnValueValidate = [this](std::string_view, bool& valid) {
        valid = std::none_of(findings_.begin(), findings_.end(), asksForAFix);
    };
    connect(&field_, &QLineEdit::textChanged, this, &EntryChecks::Recheck);
    connect(spelling_, &SpellingService::misspelt, this, &EntryChecks::showMisspelt);
    field_.OnContextMenu = [this](TEntryEdit&, QMenu& menu, int position) { addSpellingItems(menu, position); };
}

EntryChecks::~EntryChecks() = default;

void EntryChecks::Recheck()
{
    const TranslationJob* job = job_ ? job_() : nullptr;
    const std::string text = field_.Text();
    findings_ = job ? job->EntryProblems(text) : std::vector<Finding>();
    field_.Revalidate();
    emit findingsChanged();

    // The words already underlined stay so while they stand where they
    // did; the thread's answer for the new text follows.
    const QString shown = field_.QLineEdit::text();
    std::erase_if(misspelt_, [&](const Misspelt& m) { return shown.mid(m.start, m.word.size()) != m.word; });
    const bool checksSpelling
        = job && job->CurrentEntry() != 0 && spelling_->Active() && !job->WholeLineMode() && !job->FullTextMode();
    if (!checksSpelling)
        misspelt_.clear();
    underlineMisspelt();
    if (checksSpelling)
        spelling_->Check(text, job->ValueQuote());
}

void EntryChecks::showMisspelt(const std::string& value, const std::vector<SpelledWord>& words)
{
    if (value != field_.Text())
        return;
    misspelt_.clear();
    for (const SpelledWord& word : words) {
        const int start = utf16Length(std::string_view(value).substr(0, word.begin));
        const QString written = QString::fromUtf8(value.data() + word.begin, static_cast<qsizetype>(word.end - word.begin));
        misspelt_.push_back({start, written, word.text});
    }
    underlineMisspelt();
}

void EntryChecks::underlineMisspelt()
{
    std::vector<TextStretch> stretches;
    for (const Misspelt& m : misspelt_)
        stretches.push_back({m.start, static_cast<int>(m.word.size())});
    field_.SetUnderlined(std::move(stretches));
}

QString EntryChecks::Summary() const
{
    if (findings_.empty())
        return {};
    const bool fix = std::any_of(findings_.begin(), findings_.end(), asksForAFix);
    return QString::fromUtf8(fix ? "\u26A0 " : "\u2139 ") + QString::number(findings_.size()) + QStringLiteral(": ")
        + QString::fromStdString(findings_.front().message);
}

QString EntryChecks::Details() const
{
    QStringList lines;
    for (const Finding& finding : findings_)
        lines << QString::fromUtf8(kindName(finding.kind)) + QStringLiteral(": ") + QString::fromStdString(finding.message)
                + QStringLiteral(" [") + QString::fromStdString(finding.check) + QLatin1Char(']');
    return lines.join(QLatin1Char('\n'));
}

void EntryChecks::Ignore(const Finding& finding)
{
    if (TranslationJob* job = job_ ? job_() : nullptr)
        job->IgnoreProblem(finding.constant, finding.check);
    Recheck();
}

void EntryChecks::SetDictionary(std::shared_ptr<SpellingDictionary> dictionary)
{
    spelling_->SetDictionary(std::move(dictionary));
    misspelt_.clear();
    Recheck();
}

void EntryChecks::addSpellingItems(QMenu& menu, int position)
{
    const auto found = std::find_if(misspelt_.begin(), misspelt_.end(), [&](const Misspelt& m) {
        return position >= m.start && position <= m.start + m.word.size();
    });
    if (found == misspelt_.end())
        return;
    const Misspelt word = *found;
    QStringList suggestions;
    for (const std::string& suggestion : spelling_->Suggestions(word.lookedUp, 5))
        suggestions << QString::fromStdString(suggestion);
    addSpellingActions(menu, suggestions, {
        [this, word](const QString& suggestion) {
            // As typed: undoable, and the field counts as changed.
            field_.setSelection(word.start, static_cast<int>(word.word.size()));
            field_.insert(suggestion);
        },
        [this, word] {
            spelling_->AddToDictionary(word.lookedUp);
            Recheck();
        },
        [this, word] {
            spelling_->IgnoreAll(word.lookedUp);
            Recheck();
        },
    });
}

} // namespace kalmo
