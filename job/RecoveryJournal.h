// The recovery journal: the part of a translation job that is not saved yet,
// in a file that a program stopped before its save leaves for the next start.
// Every field is a named record with its length in bytes, so any line
// content survives; a version on the first line and a checksum on the last
// let a damaged or foreign file be refused instead of misread.
#pragma once

#include "job/LineChanges.h"
#include "job/LineList.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kalmo {

// The line ends a journal records. A job's journal is written again after
// every change while its line ends stay those of the file as loaded, so
// they are shared between the journals made of one job, not copied, and
// put into the journal's words once.
class JournalLineEnds {
public:
    JournalLineEnds();
    // Implicit: a journal's line ends are given as the list they are.
    JournalLineEnds(LineEnds ends);

    const LineEnds& ends() const { return shared_->ends; }
    // As the journal writes them, e.g. "12w1n".
    const std::string& runs() const { return shared_->runs; }

    bool operator==(const JournalLineEnds& other) const
    {
        return shared_ == other.shared_ || shared_->ends == other.shared_->ends;
    }

private:
    struct Shared {
        LineEnds ends;
        std::string runs;
    };
    std::shared_ptr<const Shared> shared_;
};

struct RecoveryJournal {
    std::string sourcePath;
    // Where Save writes: the translated file, or the name Save As gave.
    std::string targetPath;
    std::string encoding; // as TextEncoding names it
    bool byteOrderMark = false;
    // Who wrote it, and when (seconds since 1970).
    long processId = 0;
    std::string host;
    std::string processStarted; // see ProcessIdentity
    std::int64_t time = 0;
    int currentEntry = 0;
    bool wholeLineMode = false;
    bool fullTextMode = false;
    // Entries whose lines differ from the translated file as last saved.
    int changedEntries = 0;
    // The source file's lines as loaded, which the changes below start
    // from: a source file that changed since cannot take them.
    std::uint64_t sourceFingerprint = 0;
    JournalLineEnds lineEnds;
    LineChanges sourceLines;  // against the source file's lines as loaded
    LineChanges workingLines; // against the source lines
    // In full-text mode, the lower pane's free edits against the working lines.
    std::optional<LineChanges> paneLines;
    // Text typed into the translation field and not yet committed.
    std::optional<std::string> pendingField;

    bool operator==(const RecoveryJournal&) const = default;
};

// A fingerprint of lines, their count and order included.
std::uint64_t linesFingerprint(const LineList& lines);
// A fingerprint of bytes as 16 hexadecimal digits, the same on every machine.
std::string bytesFingerprintText(std::string_view bytes);

std::string journalText(const RecoveryJournal& journal);

// Throws KalmoError saying what is wrong where, for text that is not a
// whole journal of this version.
RecoveryJournal parseJournal(std::string_view text);

} // namespace kalmo
