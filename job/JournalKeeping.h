// What a translation job knows about its recovery journal: where journals
// go and what it last wrote.
#pragma once

#include "job/RecoveryFolder.h"
#include "job/RecoveryJournal.h"

#include <cstdint>
#include <optional>

namespace kalmo {

struct JournalKeeping {
    // None: the job keeps no journal (tests, benchmarks, fuzzers).
    std::optional<RecoveryFolder> folder;
    // What this job last wrote, time aside; a journal it did not write is
    // not its to replace or remove.
    std::optional<RecoveryJournal> written;
    std::uint64_t sourceFingerprint = 0;
    // The file's line ends as loaded, as every journal of the job records them.
    JournalLineEnds lineEnds;
    // A journal that cannot be written is told once per file.
    bool problemTold = false;
};

} // namespace kalmo
