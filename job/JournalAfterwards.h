// Brings the recovery journal up to date when an operation of the job ends,
// however it ends: a commit that failed leaves the typed text in the field,
// which the journal keeps too.
#pragma once

#include "job/TranslationJob.h"

namespace kalmo {

struct JournalAfterwards {
    TranslationJob& job;
    ~JournalAfterwards() { job.KeepJournal(); }
};

} // namespace kalmo
