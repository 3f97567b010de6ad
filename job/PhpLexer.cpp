// Finding the real define calls of a PHP file; see PhpLexer.h.
#include "job/PhpLexer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kalmo {
namespace {

enum class Mode : unsigned char { Html, Code, BlockComment, SingleQuoted, DoubleQuoted, Backtick, Heredoc, Nowdoc };

// What the scanner is inside. Strings with interpolation nest code ("{$a['x']}"),
// so the modes form a stack; the bottom frame is Html or Code.
struct Frame {
    Mode mode = Mode::Html;
    // Code inside "{$...}" or "${...}": it ends at the "}" that closes it.
    bool interpolated = false;
    int openBraces = 0;
};

constexpr bool isLabelStart(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == '_' || byte >= 0x80;
}

constexpr bool isLabelChar(char ch) { return isLabelStart(ch) || (ch >= '0' && ch <= '9'); }

constexpr bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

using ByteTable = std::array<bool, 256>;

constexpr bool inTable(const ByteTable& table, char ch) { return table[static_cast<unsigned char>(ch)]; }

constexpr ByteTable labelChars()
{
    ByteTable table{};
    for (int byte = 0; byte < 256; ++byte)
        table[static_cast<std::size_t>(byte)] = isLabelChar(static_cast<char>(byte));
    return table;
}

constexpr ByteTable kLabelChars = labelChars();

// The characters that end a run of plain text inside an interpolating text:
// an escape, the start of "{$" or "${", and the closing quote (none in a
// heredoc). Tables, since texts are most of a language file.
constexpr ByteTable stopsFor(char closingQuote)
{
    ByteTable stops{};
    for (const char ch : {'\\', '{', '$'})
        stops[static_cast<unsigned char>(ch)] = true;
    if (closingQuote != 0)
        stops[static_cast<unsigned char>(closingQuote)] = true;
    return stops;
}

constexpr ByteTable kDoubleQuotedStops = stopsFor('"');
constexpr ByteTable kBacktickStops = stopsFor('`');
constexpr ByteTable kHeredocStops = stopsFor(0);

// The closing quote of an interpolating text; 0 for a heredoc.
constexpr char closingQuoteOf(Mode mode)
{
    return mode == Mode::DoubleQuoted ? '"' : mode == Mode::Backtick ? '`' : 0;
}

// How code treats a byte: most are names, blanks or plain operators, and
// only a few can change what the scanner is inside.
enum class CodeByte : unsigned char { Plain, Blank, Name, Special };

constexpr std::array<CodeByte, 256> codeBytes()
{
    std::array<CodeByte, 256> kinds{};
    for (int byte = 0; byte < 256; ++byte) {
        if (isLabelStart(static_cast<char>(byte)))
            kinds[static_cast<std::size_t>(byte)] = CodeByte::Name;
    }
    kinds[' '] = CodeByte::Blank;
    kinds['\t'] = CodeByte::Blank;
    for (const char ch : std::string_view("$'\"`/#?-:<{}\\"))
        kinds[static_cast<unsigned char>(ch)] = CodeByte::Special;
    return kinds;
}

constexpr std::array<CodeByte, 256> kCodeBytes = codeBytes();

// word equals lower, an all-lower-case ASCII word, in any letter case. ASCII
// letters differ from their capitals only in bit 5, and no other byte meets
// a letter when that bit is set.
bool equalsIgnoringCase(std::string_view word, std::string_view lower)
{
    if (word.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if ((word[i] | 0x20) != lower[i])
            return false;
    }
    return true;
}

// The name define in any letter case, in two loads rather than a loop:
// every define call of a file asks. Setting bit 5 of each byte lowers the
// letters alone (see equalsIgnoringCase), in either byte order.
bool isDefine(std::string_view name)
{
    if (name.size() != 6)
        return false;
    std::uint32_t head = 0;
    std::uint16_t tail = 0;
    std::uint32_t wantedHead = 0;
    std::uint16_t wantedTail = 0;
    std::memcpy(&head, name.data(), sizeof head);
    std::memcpy(&tail, name.data() + sizeof head, sizeof tail);
    std::memcpy(&wantedHead, "defi", sizeof wantedHead);
    std::memcpy(&wantedTail, "ne", sizeof wantedTail);
    return (head | 0x20202020u) == wantedHead && static_cast<std::uint16_t>(tail | 0x2020u) == wantedTail;
}

// Where the scan of a text stopped.
enum class TextEnd { Closed, LineEnd, Code };

class Scanner {
public:
    std::vector<DefineCall> run(const LineList& lines)
    {
        // Language files are mostly entries.
        calls_.reserve(lines.size() / 2);
        frames_.reserve(8);
        frames_.push_back({});
        for (std::size_t i = 0; i < lines.size(); ++i) {
            line_ = lines[i];
            lineIndex_ = static_cast<int>(i);
            scanLine();
        }
        return std::move(calls_);
    }

private:
    Frame& top() { return frames_.back(); }

    bool at(std::size_t pos, char ch) const { return pos < line_.size() && line_[pos] == ch; }

    void push(Mode mode)
    {
        frames_.push_back({});
        top().mode = mode;
    }

    void pop()
    {
        if (frames_.size() > 1)
            frames_.pop_back();
    }

    void scanLine()
    {
        pos_ = 0;
        if (top().mode == Mode::Heredoc || top().mode == Mode::Nowdoc)
            closeHeredocAtLineStart();
        while (pos_ < line_.size()) {
            switch (top().mode) {
            case Mode::Html: scanHtml(); break;
            case Mode::Code: scanCode(); break;
            case Mode::BlockComment:
                if (skipBlockComment())
                    pop();
                break;
            case Mode::SingleQuoted:
                if (skipSingleQuoted())
                    pop();
                break;
            case Mode::DoubleQuoted:
            case Mode::Backtick:
            case Mode::Heredoc: goOnInText(); break;
            case Mode::Nowdoc: pos_ = line_.size(); break;
            }
        }
    }

    // "<?php" followed by a blank or the line end, or "<?=", opens PHP code.
    void scanHtml()
    {
        for (auto open = line_.find("<?", pos_); open != std::string_view::npos; open = line_.find("<?", open + 2)) {
            if (at(open + 2, '=')) {
                pos_ = open + 3;
                top().mode = Mode::Code;
                return;
            }
            const std::size_t after = open + 5;
            if (equalsIgnoringCase(line_.substr(open + 2, 3), "php")
                && (after == line_.size() || isBlank(line_[after]))) {
                pos_ = after;
                top().mode = Mode::Code;
                return;
            }
        }
        pos_ = line_.size();
    }

    void closeToHtml(std::size_t after)
    {
        // Only the code stops: "<?php" goes on with the same frame, inside
        // an interpolation as anywhere.
        top().mode = Mode::Html;
        pos_ = after;
        callMayFollow_ = true;
        memberNameNext_ = false;
    }

    // Texts and comments that end on the line they open on are passed over
    // here, without a frame of their own.
    void scanCode()
    {
        while (pos_ < line_.size()) {
            const char ch = line_[pos_];
            switch (kCodeBytes[static_cast<unsigned char>(ch)]) {
            case CodeByte::Blank: ++pos_; continue;
            case CodeByte::Name: scanName(); continue;
            case CodeByte::Plain:
                ++pos_;
                callMayFollow_ = true;
                memberNameNext_ = false;
                continue;
            case CodeByte::Special: break;
            }
            if (ch == '\\' && pos_ + 1 < line_.size() && isLabelStart(line_[pos_ + 1])) {
                scanName();
                continue;
            }
            // Comments keep a member's name coming; anything else ends it.
            const bool memberNameWasNext = memberNameNext_;
            memberNameNext_ = false;
            switch (ch) {
            case '$':
                // A variable's name, "define" included, is no function's.
                ++pos_;
                if (pos_ < line_.size() && isLabelStart(line_[pos_])) {
                    while (pos_ < line_.size() && inTable(kLabelChars, line_[pos_]))
                        ++pos_;
                }
                callMayFollow_ = true;
                continue;
            case '\'':
                ++pos_;
                callMayFollow_ = true;
                if (skipSingleQuoted())
                    continue;
                push(Mode::SingleQuoted);
                return;
            case '"':
            case '`':
                ++pos_;
                callMayFollow_ = true;
                if (enterText(ch == '"' ? Mode::DoubleQuoted : Mode::Backtick))
                    continue;
                return;
            case '/':
                if (at(pos_ + 1, '/')) {
                    memberNameNext_ = memberNameWasNext;
                    skipLineComment();
                    return;
                }
                if (at(pos_ + 1, '*')) {
                    memberNameNext_ = memberNameWasNext;
                    pos_ += 2;
                    if (skipBlockComment())
                        continue;
                    push(Mode::BlockComment);
                    return;
                }
                break;
            case '#':
                // Where a member's name is due, "#[" opens a comment too.
                if (!at(pos_ + 1, '[') || memberNameWasNext) {
                    memberNameNext_ = memberNameWasNext;
                    skipLineComment();
                    return;
                }
                // "#[" opens an attribute: code, whose names are classes.
                pos_ += 2;
                callMayFollow_ = false;
                continue;
            case '?':
                if (at(pos_ + 1, '>')) {
                    closeToHtml(pos_ + 2);
                    return;
                }
                // "??" comes before "?>": "<??>" closes nothing.
                if (at(pos_ + 1, '?')) {
                    pos_ += 2;
                    callMayFollow_ = true;
                    continue;
                }
                if (at(pos_ + 1, '-') && at(pos_ + 2, '>')) {
                    pos_ += 3;
                    callMayFollow_ = false;
                    memberNameNext_ = true;
                    continue;
                }
                break;
            case '-':
            case ':':
                if (at(pos_ + 1, ch == '-' ? '>' : ':')) {
                    pos_ += 2;
                    callMayFollow_ = false;
                    memberNameNext_ = ch == '-';
                    continue;
                }
                break;
            case '<':
                if (at(pos_ + 1, '<') && at(pos_ + 2, '<') && openHeredoc())
                    return;
                break;
            case '{':
                ++top().openBraces;
                break;
            case '}':
                if (top().interpolated && top().openBraces == 0) {
                    ++pos_;
                    pop();
                    return;
                }
                --top().openBraces;
                break;
            default: break;
            }
            ++pos_;
            callMayFollow_ = true;
        }
    }

    // A name or a keyword; "\define" is PHP's define too, while a qualified
    // "Space\define" names another function.
    void scanName()
    {
        // After "->" comes a member's name: one plain name, never a keyword.
        const bool memberName = memberNameNext_;
        memberNameNext_ = false;
        const std::size_t start = pos_;
        const std::size_t nameStart = line_[pos_] == '\\' ? pos_ + 1 : pos_;
        // Locals: the compiler must assume that the bytes read may alias members.
        const std::string_view line = line_;
        std::size_t end = nameStart;
        bool qualified = false;
        // Runs of a name's characters, joined by the backslashes of a
        // qualified name; the inner loop is the one every name takes.
        while (true) {
            while (end < line.size() && inTable(kLabelChars, line[end]))
                ++end;
            if (memberName || end + 1 >= line.size() || line[end] != '\\' || !isLabelStart(line[end + 1]))
                break;
            qualified = true;
            ++end;
        }
        pos_ = end;
        const std::string_view name = line.substr(nameStart, end - nameStart);
        if (!qualified && callMayFollow_ && isDefine(name)) {
            if (const std::size_t open = openingParenthesis(pos_); open != std::string_view::npos)
                calls_.push_back({lineIndex_, static_cast<int>(start), static_cast<int>(open)});
        }
        const bool keyword = !memberName && start == nameStart && !qualified;
        callMayFollow_ = !(keyword && (equalsIgnoringCase(name, "function") || equalsIgnoringCase(name, "new")));
    }

    // Where the "(" after blanks from offset from stands; npos when something else comes.
    std::size_t openingParenthesis(std::size_t from) const
    {
        while (from < line_.size() && isBlank(line_[from]))
            ++from;
        return at(from, '(') ? from : std::string_view::npos;
    }

    // "//" and "#" comments end at the line end or at "?>".
    void skipLineComment()
    {
        const auto close = line_.find("?>", pos_);
        if (close == std::string_view::npos)
            pos_ = line_.size();
        else
            closeToHtml(close + 2);
    }

    // "<<<ID", "<<<"ID"" or "<<<'ID'" ending the line opens a heredoc (a
    // nowdoc with single quotes) on the next line.
    bool openHeredoc()
    {
        std::size_t p = pos_ + 3;
        while (p < line_.size() && isBlank(line_[p]))
            ++p;
        const char quote = p < line_.size() && (line_[p] == '"' || line_[p] == '\'') ? line_[p] : 0;
        if (quote != 0)
            ++p;
        if (p >= line_.size() || !isLabelStart(line_[p]))
            return false;
        const std::size_t labelStart = p;
        while (p < line_.size() && inTable(kLabelChars, line_[p]))
            ++p;
        const std::string_view label = line_.substr(labelStart, p - labelStart);
        if (quote != 0 && !at(p++, quote))
            return false;
        if (p != line_.size())
            return false;
        push(quote == '\'' ? Mode::Nowdoc : Mode::Heredoc);
        labels_.emplace_back(label);
        pos_ = p;
        callMayFollow_ = true;
        return true;
    }

    // The closing identifier may be indented and followed by anything but a
    // character of a name.
    void closeHeredocAtLineStart()
    {
        std::size_t p = 0;
        while (p < line_.size() && isBlank(line_[p]))
            ++p;
        const std::string& label = labels_.back();
        const std::size_t end = p + label.size();
        if (line_.compare(p, label.size(), label) != 0 || (end < line_.size() && inTable(kLabelChars, line_[end])))
            return;
        pos_ = end;
        labels_.pop_back();
        pop();
    }

    // True when the comment closes on this line, with pos_ after it.
    bool skipBlockComment()
    {
        const auto close = line_.find("*/", pos_);
        pos_ = close == std::string_view::npos ? line_.size() : close + 2;
        return close != std::string_view::npos;
    }

    // True when the text closes on this line, with pos_ after its quote. A
    // quote after an odd run of backslashes is escaped; the run cannot reach
    // back past the text's start, which is a quote or the line's start.
    bool skipSingleQuoted()
    {
        while (true) {
            const auto found = line_.find('\'', pos_);
            if (found == std::string_view::npos) {
                pos_ = line_.size();
                return false;
            }
            pos_ = found + 1;
            std::size_t backslashes = 0;
            while (backslashes < found && line_[found - 1 - backslashes] == '\\')
                ++backslashes;
            if (backslashes % 2 == 0)
                return true;
        }
    }

    // Double quotes, backticks and heredocs: escapes, and code inside "{$...}"
    // and "${...}", which starts at pos_ when Code is returned.
    TextEnd skipInterpolated(Mode mode)
    {
        const std::string_view line = line_;
        const char quote = closingQuoteOf(mode);
        // Most texts hold no escape, "$" or "{": a few fast searches of the
        // bytes up to the quote settle those.
        const std::size_t end = quote == 0 ? line.size() : std::min(line.find(quote, pos_), line.size());
        const std::string_view plain = line.substr(pos_, end - pos_);
        if (plain.find('\\') == std::string_view::npos && plain.find('$') == std::string_view::npos
            && plain.find('{') == std::string_view::npos) {
            pos_ = end == line.size() ? end : end + 1;
            return end == line.size() ? TextEnd::LineEnd : TextEnd::Closed;
        }
        const ByteTable& stops = quote == '"' ? kDoubleQuotedStops : quote == '`' ? kBacktickStops : kHeredocStops;
        while (true) {
            std::size_t found = pos_;
            while (found < line.size() && !inTable(stops, line[found]))
                ++found;
            if (found >= line.size()) {
                pos_ = line.size();
                return TextEnd::LineEnd;
            }
            const char ch = line[found];
            if (ch == '\\') {
                pos_ = found + 2;
            } else if (ch == '{' && at(found + 1, '$')) {
                pos_ = found + 1;
                return TextEnd::Code;
            } else if (ch == '$' && at(found + 1, '{')) {
                pos_ = found + 2;
                return TextEnd::Code;
            } else if (ch == '{' || ch == '$') {
                pos_ = found + 1;
            } else {
                pos_ = found + 1;
                return TextEnd::Closed;
            }
        }
    }

    // A text opening in code; true when it closes on this line.
    bool enterText(Mode mode)
    {
        const TextEnd end = skipInterpolated(mode);
        if (end == TextEnd::Closed)
            return true;
        push(mode);
        if (end == TextEnd::Code)
            pushInterpolatedCode();
        return false;
    }

    // The text of the top frame goes on.
    void goOnInText()
    {
        switch (skipInterpolated(top().mode)) {
        case TextEnd::Closed: pop(); break;
        case TextEnd::Code: pushInterpolatedCode(); break;
        case TextEnd::LineEnd: break;
        }
    }

    void pushInterpolatedCode()
    {
        push(Mode::Code);
        top().interpolated = true;
        callMayFollow_ = true;
    }

    std::string_view line_;
    int lineIndex_ = 0;
    std::size_t pos_ = 0;
    std::vector<Frame> frames_;
    // The closing identifiers of the open heredocs and nowdocs, innermost last.
    std::vector<std::string> labels_;
    // False after what makes a following "define(" something other than a
    // call of PHP's function: "->", "?->", "::", "function", "new", an
    // attribute's "#[".
    bool callMayFollow_ = true;
    // Set by "->" and "?->" up to the next thing that is not blank.
    bool memberNameNext_ = false;
    std::vector<DefineCall> calls_;
};

} // namespace

std::vector<DefineCall> findDefineCalls(const LineList& lines)
{
    return Scanner().run(lines);
}

} // namespace kalmo
