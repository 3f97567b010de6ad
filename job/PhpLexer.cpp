// Finding the real define calls of a PHP file; see PhpLexer.h.
#include "job/PhpLexer.h"

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
    std::string label; // Heredoc and Nowdoc: the closing identifier
};

bool isLabelStart(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == '_' || byte >= 0x80;
}

bool isLabelChar(char ch) { return isLabelStart(ch) || (ch >= '0' && ch <= '9'); }

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

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
            case Mode::BlockComment: scanBlockComment(); break;
            case Mode::SingleQuoted: scanSingleQuoted(); break;
            case Mode::DoubleQuoted: scanInterpolated("\"\\{$"); break;
            case Mode::Backtick: scanInterpolated("`\\{$"); break;
            case Mode::Heredoc: scanInterpolated("\\{$"); break;
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

    void scanCode()
    {
        while (pos_ < line_.size()) {
            const char ch = line_[pos_];
            if (isLabelStart(ch) || (ch == '\\' && pos_ + 1 < line_.size() && isLabelStart(line_[pos_ + 1]))) {
                scanName();
                continue;
            }
            if (ch == ' ' || ch == '\t') {
                ++pos_;
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
                    while (pos_ < line_.size() && isLabelChar(line_[pos_]))
                        ++pos_;
                }
                callMayFollow_ = true;
                continue;
            case '\'': enterString(Mode::SingleQuoted); return;
            case '"': enterString(Mode::DoubleQuoted); return;
            case '`': enterString(Mode::Backtick); return;
            case '/':
                memberNameNext_ = memberNameWasNext;
                if (at(pos_ + 1, '/')) {
                    skipLineComment();
                    return;
                }
                if (at(pos_ + 1, '*')) {
                    pos_ += 2;
                    push(Mode::BlockComment);
                    return;
                }
                memberNameNext_ = false;
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
        pos_ = nameStart;
        bool qualified = false;
        while (pos_ < line_.size()) {
            if (isLabelChar(line_[pos_])) {
                ++pos_;
            } else if (!memberName && line_[pos_] == '\\' && pos_ + 1 < line_.size()
                       && isLabelStart(line_[pos_ + 1])) {
                qualified = true;
                ++pos_;
            } else {
                break;
            }
        }
        const std::string_view name = line_.substr(nameStart, pos_ - nameStart);
        if (!qualified && equalsIgnoringCase(name, "define") && callMayFollow_ && opensCall(pos_))
            calls_.push_back({lineIndex_, static_cast<int>(start)});
        const bool keyword = !memberName && start == nameStart && !qualified;
        callMayFollow_ = !(keyword && (equalsIgnoringCase(name, "function") || equalsIgnoringCase(name, "new")));
    }

    bool opensCall(std::size_t from) const
    {
        while (from < line_.size() && isBlank(line_[from]))
            ++from;
        return at(from, '(');
    }

    void enterString(Mode mode)
    {
        ++pos_;
        callMayFollow_ = true;
        push(mode);
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
        while (p < line_.size() && isLabelChar(line_[p]))
            ++p;
        const std::string_view label = line_.substr(labelStart, p - labelStart);
        if (quote != 0 && !at(p++, quote))
            return false;
        if (p != line_.size())
            return false;
        push(quote == '\'' ? Mode::Nowdoc : Mode::Heredoc);
        top().label = label;
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
        const std::string& label = top().label;
        const std::size_t end = p + label.size();
        if (line_.compare(p, label.size(), label) != 0 || (end < line_.size() && isLabelChar(line_[end])))
            return;
        pos_ = end;
        pop();
    }

    void scanBlockComment()
    {
        const auto close = line_.find("*/", pos_);
        if (close == std::string_view::npos) {
            pos_ = line_.size();
            return;
        }
        pos_ = close + 2;
        pop();
    }

    void scanSingleQuoted()
    {
        while (true) {
            const auto found = line_.find_first_of("'\\", pos_);
            if (found == std::string_view::npos) {
                pos_ = line_.size();
                return;
            }
            pos_ = found + (line_[found] == '\\' ? 2 : 1);
            if (line_[found] == '\'') {
                pop();
                return;
            }
        }
    }

    // Double quotes, backticks and heredocs: escapes, and code inside "{$...}"
    // and "${...}". stops holds the backslash, "{", "$" and the closing quote.
    void scanInterpolated(std::string_view stops)
    {
        while (true) {
            const auto found = line_.find_first_of(stops, pos_);
            if (found == std::string_view::npos) {
                pos_ = line_.size();
                return;
            }
            const char ch = line_[found];
            if (ch == '\\') {
                pos_ = found + 2;
            } else if (ch == '{' && at(found + 1, '$')) {
                pos_ = found + 1;
                pushInterpolatedCode();
                return;
            } else if (ch == '$' && at(found + 1, '{')) {
                pos_ = found + 2;
                pushInterpolatedCode();
                return;
            } else if (ch == '{' || ch == '$') {
                pos_ = found + 1;
            } else {
                pos_ = found + 1;
                pop();
                return;
            }
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
