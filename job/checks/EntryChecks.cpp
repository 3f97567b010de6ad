// The checks of one entry of a translated file; see EntryChecks.h.
#include "job/checks/EntryChecks.h"

#include "job/EntryParser.h"
#include "job/checks/CheckNames.h"
#include "job/checks/Spelling.h"
#include "job/checks/TextRules.h"
#include "job/checks/TextSpans.h"

#include <algorithm>

namespace kalmo {
namespace {

bool isQuote(char ch) { return ch == '\'' || ch == '"'; }
bool isSpace(char ch) { return ch == ' ' || ch == '\t'; }

std::string quoted(std::string_view text)
{
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
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
    // Only a quote, a trailing backslash or, between double quotes, a "$"
    // can need escaping.
    const bool mayNeedEscaping = value.ends_with('\\') || value.find(quote) != std::string_view::npos
        || (quote == '"' && value.find('$') != std::string_view::npos);
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

class EntryChecker {
public:
    EntryChecker(const EntryInFile& translated, const std::optional<EntryInFile>& source, const CheckOptions& options,
                 std::vector<Finding>& findings)
        : translated_(translated), source_(source), options_(options), findings_(findings)
    {
    }

    // counterpart: the source's entry of the same constant; its form excuses
    // the same form in the translation (a number, a value over several lines).
    // False when the value is not a text PHP reads as written.
    bool checkLiteral()
    {
        const Entry& entry = translated_.entry;
        const Entry* counterpart = source_ ? &source_->entry : nullptr;
        const std::string_view line = lineOf(translated_);
        const char quote = entry.quotes.valueQuote;
        const std::string& name = entry.name;
        if (!isQuote(quote)) {
            if (counterpart && isQuote(counterpart->quotes.valueQuote)) {
                add(FindingKind::Error, "the value of " + name + " is not a quoted text");
                return false;
            }
            return true;
        }
        if (entry.positions.textStart == 0) {
            add(FindingKind::Error, "the value of " + name + " has no opening quote");
            return false;
        }
        if (entry.positions.textEnd == 0) {
            if (endsInEscapingBackslash(line, entry)) {
                add(FindingKind::Error,
                    "the value of " + name + " ends in a backslash that escapes its closing quote; write \\\\ for "
                    "one backslash");
            } else if (counterpart && counterpart->positions.textEnd != 0) {
                add(FindingKind::Error, "the value of " + name + " is not closed on its line");
            } else {
                add(FindingKind::Note, "the value of " + name + " goes on past its line; it is left as it stands");
                return true;
            }
            return false;
        }
        const std::string_view tail = tailOf(line, entry);
        const auto sourceHasTheSameForm = [&] {
            return counterpart && counterpart->positions.textEnd != 0
                && !closesStatement(tailOf(lineOf(*source_), *counterpart));
        };
        if (!closesStatement(tail) && !sourceHasTheSameForm()) {
            if (endsTheValueEarly(tail, quote)) {
                add(FindingKind::Error,
                    "the value of " + name + " has an unescaped " + std::string(1, quote) + ", which ends it at column "
                        + std::to_string(columnOf(line, entry.positions.textEnd)) + "; write \\"
                        + std::string(1, quote));
                return false;
            }
            add(FindingKind::Warning, "the value of " + name + " is followed by " + quoted(tail) + " instead of \");\"");
        }
        if (const auto variable = expandedVariable(entryValue(line, entry), quote)) {
            add(FindingKind::Error,
                "PHP would expand " + quoted(*variable) + " in the value of " + name + "; write \\$ for a dollar sign");
            return false;
        }
        return true;
    }

    void compareWithSource()
    {
        const Entry& entry = translated_.entry;
        const Entry& counterpart = source_->entry;
        const std::string_view sourceText = entryValue(lineOf(*source_), counterpart);
        const std::string_view translation = entryValue(lineOf(translated_), entry);
        if (sourceText == translation) {
            // A text of placeholders, numbers or addresses is the same in
            // every language.
            if (counterpart.rebuildable && !hasNothingToTranslate(sourceText, counterpart.quotes.valueQuote))
                add(FindingKind::Note, entry.name + " is not translated yet", check::Unchanged);
            return;
        }
        const TextPair texts{sourceText, translation, counterpart.quotes.valueQuote, entry.quotes.valueQuote};
        const unsigned marks = textMarks(sourceText) | textMarks(translation);
        for (const TextRule& rule : kTextRules)
            if (auto problem = (rule.needs & marks) != 0 || rule.needs == kAnyText ? rule.problem(texts) : std::nullopt)
                add(rule.kind, std::move(*problem), rule.check);
        if (options_.encoding)
            if (auto problem = charsetProblem(translation, *options_.encoding))
                add(FindingKind::Note, std::move(*problem), check::Charset);
        if (options_.dictionary)
            for (const SpelledWord& word : misspeltWords(translation, entry.quotes.valueQuote, *options_.dictionary))
                add(FindingKind::Note, misspeltMessage(word, *options_.dictionary), check::Spelling);
    }

private:
    void add(FindingKind kind, std::string message, std::string_view check = check::PhpValue)
    {
        findings_.push_back(Finding{translated_.file.name, translated_.entry.line + 1, kind, std::move(message),
                                    std::string(check), translated_.entry.name});
    }

    static std::string_view lineOf(const EntryInFile& in)
    {
        return (*in.file.lines)[static_cast<std::size_t>(in.entry.line)];
    }

    const EntryInFile& translated_;
    const std::optional<EntryInFile>& source_;
    const CheckOptions& options_;
    std::vector<Finding>& findings_;
};

} // namespace

void checkEntry(const EntryInFile& translated, const std::optional<EntryInFile>& source, bool compareTexts,
                const CheckOptions& options, std::vector<Finding>& findings)
{
    EntryChecker checker(translated, source, options, findings);
    // A value PHP reads otherwise has no text worth comparing.
    if (checker.checkLiteral() && source && compareTexts)
        checker.compareWithSource();
}

} // namespace kalmo
