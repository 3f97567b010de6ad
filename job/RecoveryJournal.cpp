// The recovery journal's file format; see RecoveryJournal.h.
#include "job/RecoveryJournal.h"

#include "base/KalmoError.h"

#include <charconv>
#include <limits>

namespace kalmo {
namespace {

constexpr std::string_view kFirstLine = "KALMO Translator recovery journal 1\n";
constexpr std::string_view kOwnKind = "KALMO Translator recovery journal ";

std::uint64_t fnv1a(std::string_view bytes, std::uint64_t hash = 14695981039346656037ULL)
{
    for (const char ch : bytes) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string hex64(std::uint64_t value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

// Line ends as runs: "12w1n" is twelve CR LF lines and a last one without an end.
constexpr std::string_view kEndLetters = "nwrl"; // LineEnd order: None, CrLf, Cr, Lf

std::string lineEndsText(const LineEnds& ends)
{
    std::string text;
    for (std::size_t i = 0; i < ends.size();) {
        std::size_t run = 1;
        while (i + run < ends.size() && ends[i + run] == ends[i])
            ++run;
        text += std::to_string(run);
        text += kEndLetters[static_cast<std::size_t>(ends[i])];
        i += run;
    }
    return text;
}

class Writer {
public:
    void record(std::string_view name, std::string_view value)
    {
        text_ += name;
        text_ += ' ';
        text_ += std::to_string(value.size());
        text_ += '\n';
        text_ += value;
        text_ += '\n';
    }
    void number(std::string_view name, std::int64_t value) { record(name, std::to_string(value)); }
    void flag(std::string_view name, bool value) { record(name, value ? "1" : "0"); }
    void changes(std::string_view name, const LineChanges& runs)
    {
        number(name, static_cast<std::int64_t>(runs.size()));
        for (const LineRun& run : runs) {
            number("keep", static_cast<std::int64_t>(run.keep));
            number("drop", static_cast<std::int64_t>(run.drop));
            number("insert", static_cast<std::int64_t>(run.insert.size()));
            for (const std::string& line : run.insert)
                record("line", line);
        }
    }
    std::string finish()
    {
        record("checksum", hex64(fnv1a(text_)));
        return std::move(text_);
    }

private:
    std::string text_{kFirstLine};
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // The name of the next record, without taking it.
    std::string_view nextName() const
    {
        const auto space = text_.find_first_of(" \n", at_);
        return space == std::string_view::npos ? std::string_view() : text_.substr(at_, space - at_);
    }

    std::string_view record(std::string_view name)
    {
        const std::size_t start = at_;
        if (nextName() != name)
            fail(start, "\"" + std::string(name) + "\" expected");
        at_ += name.size();
        if (at_ >= text_.size() || text_[at_] != ' ')
            fail(start, "no length after \"" + std::string(name) + "\"");
        ++at_;
        const auto lineEnd = text_.find('\n', at_);
        if (lineEnd == std::string_view::npos)
            fail(start, "the record \"" + std::string(name) + "\" is cut off");
        const std::uint64_t length = decimal(text_.substr(at_, lineEnd - at_), start);
        at_ = lineEnd + 1;
        if (length > text_.size() - at_ || text_.size() - at_ - length < 1 || text_[at_ + length] != '\n')
            fail(start, "the record \"" + std::string(name) + "\" is cut off");
        const std::string_view value = text_.substr(at_, static_cast<std::size_t>(length));
        at_ += static_cast<std::size_t>(length) + 1;
        return value;
    }

    std::uint64_t number(std::string_view name, std::uint64_t largest)
    {
        const std::size_t start = at_;
        const std::uint64_t value = decimal(record(name), start);
        if (value > largest)
            fail(start, "\"" + std::string(name) + "\" is out of range");
        return value;
    }

    bool flag(std::string_view name)
    {
        const std::size_t start = at_;
        const std::string_view value = record(name);
        if (value != "0" && value != "1")
            fail(start, "\"" + std::string(name) + "\" is neither 0 nor 1");
        return value == "1";
    }

    LineChanges changes(std::string_view name)
    {
        // Every run takes at least its three numbers, so a count larger than
        // the bytes left is damage, not a reason to reserve memory.
        const std::uint64_t count = number(name, text_.size());
        LineChanges runs;
        for (std::uint64_t i = 0; i < count; ++i) {
            LineRun run;
            run.keep = static_cast<std::size_t>(number("keep", kMaxCount));
            run.drop = static_cast<std::size_t>(number("drop", kMaxCount));
            const std::uint64_t lines = number("insert", text_.size());
            for (std::uint64_t j = 0; j < lines; ++j)
                run.insert.emplace_back(record("line"));
            runs.push_back(std::move(run));
        }
        return runs;
    }

    LineEnds lineEnds(std::string_view name)
    {
        const std::size_t start = at_;
        const std::string_view text = record(name);
        LineEnds ends;
        for (std::size_t i = 0; i < text.size();) {
            std::size_t digits = i;
            while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
                ++digits;
            const auto letter = digits < text.size() ? kEndLetters.find(text[digits]) : std::string_view::npos;
            if (digits == i || letter == std::string_view::npos)
                fail(start, "the line ends are not runs of a count and one of n, w, r, l");
            const std::uint64_t run = decimal(text.substr(i, digits - i), start);
            if (run > kMaxCount - ends.size())
                fail(start, "too many line ends");
            ends.insert(ends.end(), static_cast<std::size_t>(run), static_cast<LineEnd>(letter));
            i = digits + 1;
        }
        return ends;
    }

    // The checksum covers every byte before its own record, and nothing may follow it.
    void checksum()
    {
        const std::size_t start = at_;
        const std::string expected = hex64(fnv1a(text_.substr(0, at_)));
        if (record("checksum") != expected)
            fail(start, "the checksum does not match the content");
        if (at_ != text_.size())
            fail(at_, "bytes follow the checksum");
    }

private:
    // No file of 256 MiB has more lines than bytes.
    static constexpr std::uint64_t kMaxCount = std::uint64_t{1} << 28;

    std::uint64_t decimal(std::string_view digits, std::size_t where) const
    {
        std::uint64_t value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            fail(where, "\"" + std::string(digits.substr(0, 40)) + "\" is not a number");
        return value;
    }

    [[noreturn]] void fail(std::size_t where, const std::string& reason) const
    {
        throw KalmoError("at byte " + std::to_string(where) + ": " + reason);
    }

    std::string_view text_;
    std::size_t at_ = kFirstLine.size();
};

} // namespace

JournalLineEnds::JournalLineEnds()
{
    static const auto none = std::make_shared<const Shared>();
    shared_ = none;
}

JournalLineEnds::JournalLineEnds(LineEnds ends)
{
    std::string runs = lineEndsText(ends);
    shared_ = std::make_shared<const Shared>(Shared{std::move(ends), std::move(runs)});
}

std::uint64_t linesFingerprint(const LineList& lines)
{
    std::uint64_t hash = fnv1a(std::to_string(lines.size()));
    for (const std::string& line : lines) {
        // The length first, so that no two different lists join to the same bytes.
        hash = fnv1a(std::to_string(line.size()) + ':', hash);
        hash = fnv1a(line, hash);
    }
    return hash;
}

std::string bytesFingerprintText(std::string_view bytes)
{
    return hex64(fnv1a(bytes));
}

std::string journalText(const RecoveryJournal& journal)
{
    Writer out;
    out.record("source", journal.sourcePath);
    out.record("target", journal.targetPath);
    out.record("encoding", journal.encoding);
    out.flag("byte-order-mark", journal.byteOrderMark);
    out.number("process", journal.processId);
    out.record("host", journal.host);
    if (!journal.processStarted.empty())
        out.record("process-started", journal.processStarted);
    out.number("time", journal.time);
    out.number("entry", journal.currentEntry);
    out.flag("whole-line-mode", journal.wholeLineMode);
    out.flag("full-text-mode", journal.fullTextMode);
    out.number("changed-entries", journal.changedEntries);
    out.record("source-fingerprint", hex64(journal.sourceFingerprint));
    out.record("line-ends", journal.lineEnds.runs());
    out.changes("source-lines", journal.sourceLines);
    out.changes("working-lines", journal.workingLines);
    if (journal.paneLines)
        out.changes("pane-lines", *journal.paneLines);
    if (journal.pendingField)
        out.record("field", *journal.pendingField);
    return out.finish();
}

RecoveryJournal parseJournal(std::string_view text)
{
    if (!text.starts_with(kFirstLine)) {
        if (text.starts_with(kOwnKind))
            throw KalmoError("it was written by another version of KALMO Translator");
        throw KalmoError("it does not start as a recovery journal");
    }
    Reader in(text);
    constexpr auto kMaxInt = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    RecoveryJournal journal;
    journal.sourcePath = in.record("source");
    journal.targetPath = in.record("target");
    journal.encoding = in.record("encoding");
    journal.byteOrderMark = in.flag("byte-order-mark");
    journal.processId = static_cast<long>(in.number("process", kMaxInt));
    journal.host = in.record("host");
    // Journals of earlier versions name the process by its id alone.
    if (in.nextName() == "process-started")
        journal.processStarted = in.record("process-started");
    journal.time = static_cast<std::int64_t>(in.number("time", std::numeric_limits<std::int64_t>::max()));
    journal.currentEntry = static_cast<int>(in.number("entry", kMaxInt));
    journal.wholeLineMode = in.flag("whole-line-mode");
    journal.fullTextMode = in.flag("full-text-mode");
    journal.changedEntries = static_cast<int>(in.number("changed-entries", kMaxInt));
    const std::string_view fingerprint = in.record("source-fingerprint");
    const auto [end, error] = std::from_chars(fingerprint.data(), fingerprint.data() + fingerprint.size(),
                                              journal.sourceFingerprint, 16);
    if (fingerprint.size() != 16 || error != std::errc() || end != fingerprint.data() + fingerprint.size())
        throw KalmoError("the source fingerprint is not 16 hexadecimal digits");
    journal.lineEnds = in.lineEnds("line-ends");
    journal.sourceLines = in.changes("source-lines");
    journal.workingLines = in.changes("working-lines");
    if (in.nextName() == "pane-lines")
        journal.paneLines = in.changes("pane-lines");
    if (in.nextName() == "field")
        journal.pendingField = std::string(in.record("field"));
    in.checksum();
    if (journal.sourcePath.empty() || journal.targetPath.empty())
        throw KalmoError("it names no source or target file");
    return journal;
}

} // namespace kalmo
