// The checks a translated language file must pass; see TranslationCheck.h.
#include "job/TranslationCheck.h"

#include "job/EntryList.h"
#include "job/Placeholders.h"

#include <algorithm>
#include <optional>

namespace kalmo {
namespace {

bool isQuote(char ch) { return ch == '\'' || ch == '"'; }
bool isSpace(char ch) { return ch == ' ' || ch == '\t'; }

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : " ") + item;
    return text;
}

// Whether what follows a value's closing quote ends the statement: ")" and
// ";" between blanks, then at most a comment.
bool closesStatement(std::string_view tail)
{
    std::size_t p = 0;
    const auto blanks = [&] {
        while (p < tail.size() && isSpace(tail[p]))
            ++p;
    };
    for (const char expected : {')', ';'}) {
        blanks();
        if (p >= tail.size() || tail[p] != expected)
            return false;
        ++p;
    }
    blanks();
    const std::string_view rest = tail.substr(p);
    return rest.empty() || rest.starts_with("//") || rest.starts_with("#")
        || (rest.starts_with("/*") && rest.find("*/") != std::string_view::npos);
}

// A quote in the text ends the value where PHP code cannot go on: the
// characters after it are more text ("it's"), not an operator.
bool endsTheValueEarly(std::string_view tail, char quote)
{
    std::size_t p = 0;
    while (p < tail.size() && isSpace(tail[p]))
        ++p;
    const bool codeGoesOn = p < tail.size() && std::string_view(").,;").find(tail[p]) != std::string_view::npos;
    return !codeGoesOn && tail.find(quote) != std::string_view::npos;
}

// The column of a 1-based byte position, counted in characters from 1.
int columnOf(std::string_view line, int position)
{
    int column = 1;
    for (int p = 0; p + 1 < position; ++p) {
        if ((static_cast<unsigned char>(line[static_cast<std::size_t>(p)]) & 0xC0) != 0x80)
            ++column;
    }
    return column;
}

std::string_view tailOf(std::string_view line, const Entry& entry)
{
    return line.substr(static_cast<std::size_t>(entry.positions.textEnd));
}

// Whether the value's last quote on the line is taken as escaped by an odd
// run of backslashes before it, with the statement's end after it.
bool endsInEscapingBackslash(std::string_view line, const Entry& entry)
{
    const auto last = line.rfind(entry.quotes.valueQuote);
    if (last == std::string_view::npos || static_cast<int>(last) < entry.positions.textStart)
        return false;
    std::size_t run = 0;
    while (run < last && line[last - 1 - run] == '\\')
        ++run;
    return run % 2 == 1 && closesStatement(line.substr(last + 1));
}

// The first "$name" PHP would expand in a double-quoted value.
std::optional<std::string> expandedVariable(std::string_view value, char quote)
{
    // Only a quote, a "$" or a trailing backslash can need escaping.
    const bool mayNeedEscaping = value.ends_with('\\')
        || std::any_of(value.begin(), value.end(), [quote](char ch) { return ch == quote || ch == '$'; });
    if (!mayNeedEscaping || escapeTranslation(value, quote) == value)
        return std::nullopt;
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '$' && backslashes % 2 == 0 && i + 1 < value.size()) {
            std::size_t end = i + 1;
            while (end < value.size() && value[end] != ' ' && value[end] != '$' && end - i < 24)
                ++end;
            return std::string(value.substr(i, end - i));
        }
        backslashes = value[i] == '\\' ? backslashes + 1 : 0;
    }
    return std::string("$");
}

class Checker {
public:
    Checker(const NamedLines& source, const NamedLines& translated)
        : source_(source), translated_(translated.lines ? translated : source),
          aloneCheck_(translated.lines == nullptr), sourceEntries_(listEntries(*source.lines)),
          translatedEntries_(aloneCheck_ ? std::vector<Entry>() : listEntries(*translated_.lines)),
          sourceByName_(sourceEntries_), translatedByName_(aloneCheck_ ? sourceEntries_ : translatedEntries_)
    {
    }

    std::vector<Finding> run()
    {
        // At most about one finding per entry, as a rule.
        findings_.reserve(std::max(sourceEntries_.size(), translatedEntries_.size()));
        const std::vector<Entry>& entries = aloneCheck_ ? sourceEntries_ : translatedEntries_;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& entry = entries[i];
            const bool isFirst = translatedByName_.isFirst(i);
            if (!isFirst) {
                add(translated_, entry, FindingKind::Warning,
                    entry.name + " is defined again (first at line "
                        + std::to_string(entries[translatedByName_.find(entry.name)].line + 1)
                        + "); PHP keeps the first");
            }
            const Entry* counterpart = nullptr;
            if (!aloneCheck_) {
                // Most translations keep the source's order: the entry at the
                // same place is the first guess.
                const bool samePlace
                    = i < sourceEntries_.size() && sourceByName_.isFirst(i) && sourceEntries_[i].name == entry.name;
                const std::size_t found = samePlace ? i : sourceByName_.find(entry.name);
                if (found != EntryIndex::npos) {
                    counterpart = &sourceEntries_[found];
                    translatedSource_[found] = true;
                }
                else if (isFirst)
                    add(translated_, entry, FindingKind::Warning, entry.name + " is not in the source");
            }
            // A value PHP reads otherwise has no placeholders worth comparing.
            if (checkLiteral(entry, counterpart) && counterpart && isFirst)
                compareWithSource(entry, *counterpart);
        }
        if (!aloneCheck_)
            reportMissing();
        return std::move(findings_);
    }

private:
    void add(const NamedLines& file, const Entry& entry, FindingKind kind, std::string message)
    {
        findings_.push_back({file.name, entry.line + 1, kind, std::move(message)});
    }

    std::string_view lineOf(const NamedLines& file, const Entry& entry) const
    {
        return (*file.lines)[static_cast<std::size_t>(entry.line)];
    }

    // counterpart: the source's entry of the same constant; its form excuses
    // the same form in the translation (a number, a value over several lines).
    // False when the value is not a text PHP reads as written.
    bool checkLiteral(const Entry& entry, const Entry* counterpart)
    {
        const std::string_view line = lineOf(translated_, entry);
        const char quote = entry.quotes.valueQuote;
        const std::string& name = entry.name;
        if (!isQuote(quote)) {
            if (counterpart && isQuote(counterpart->quotes.valueQuote)) {
                add(translated_, entry, FindingKind::Error, "the value of " + name + " is not a quoted text");
                return false;
            }
            return true;
        }
        if (entry.positions.textStart == 0) {
            add(translated_, entry, FindingKind::Error, "the value of " + name + " has no opening quote");
            return false;
        }
        if (entry.positions.textEnd == 0) {
            if (endsInEscapingBackslash(line, entry)) {
                add(translated_, entry, FindingKind::Error,
                    "the value of " + name + " ends in a backslash that escapes its closing quote; write \\\\ for "
                    "one backslash");
            } else if (counterpart && counterpart->positions.textEnd != 0) {
                add(translated_, entry, FindingKind::Error, "the value of " + name + " is not closed on its line");
            } else {
                add(translated_, entry, FindingKind::Note,
                    "the value of " + name + " goes on past its line; it is left as it stands");
                return true;
            }
            return false;
        }
        const std::string_view tail = tailOf(line, entry);
        const bool sourceHasTheSameForm = counterpart && counterpart->positions.textEnd != 0
            && !closesStatement(tailOf(lineOf(source_, *counterpart), *counterpart));
        if (!closesStatement(tail) && !sourceHasTheSameForm) {
            if (endsTheValueEarly(tail, quote)) {
                add(translated_, entry, FindingKind::Error,
                    "the value of " + name + " has an unescaped " + std::string(1, quote) + ", which ends it at column "
                        + std::to_string(columnOf(line, entry.positions.textEnd)) + "; write \\"
                        + std::string(1, quote));
                return false;
            }
            add(translated_, entry, FindingKind::Warning,
                "the value of " + name + " is followed by " + quoted(tail) + " instead of \");\"");
        }
        if (const auto variable = expandedVariable(entryValue(line, entry), quote)) {
            add(translated_, entry, FindingKind::Error,
                "PHP would expand " + quoted(*variable) + " in the value of " + name + "; write \\$ for a dollar sign");
            return false;
        }
        return true;
    }

    void compareWithSource(const Entry& entry, const Entry& counterpart)
    {
        if (!isTranslated(*source_.lines, counterpart, *translated_.lines, entry)) {
            if (counterpart.rebuildable)
                add(translated_, entry, FindingKind::Note, entry.name + " is not translated yet");
            return;
        }
        const auto difference
            = comparePlaceholders(entryValue(*source_.lines, counterpart), entryValue(*translated_.lines, entry));
        if (difference.empty())
            return;
        std::string message = "the placeholders of " + entry.name + " differ from the source:";
        if (!difference.missing.empty())
            message += " missing " + joined(difference.missing) + (difference.extra.empty() ? "" : ";");
        if (!difference.extra.empty())
            message += " not in the source " + joined(difference.extra);
        add(translated_, entry, FindingKind::Warning, message);
    }

    void reportMissing()
    {
        for (std::size_t i = 0; i < sourceEntries_.size(); ++i) {
            const Entry& entry = sourceEntries_[i];
            if (sourceByName_.isFirst(i) && !translatedSource_[i]) {
                add(source_, entry, FindingKind::Warning,
                    entry.name + " is missing from " + fileNameOf(translated_.name));
            }
        }
    }

    const NamedLines& source_;
    const NamedLines& translated_;
    const bool aloneCheck_;
    const std::vector<Entry> sourceEntries_;
    const std::vector<Entry> translatedEntries_;
    const EntryIndex sourceByName_;
    const EntryIndex translatedByName_;
    // Source entries the translated file has an entry for.
    std::vector<bool> translatedSource_ = std::vector<bool>(sourceEntries_.size());
    std::vector<Finding> findings_;
};

} // namespace

std::vector<Finding> checkTranslation(const NamedLines& source, const NamedLines& translated)
{
    return Checker(source, translated).run();
}

} // namespace kalmo
