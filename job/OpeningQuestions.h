// The questions a load asks before a file becomes the job's: when another
// running program has the file open, and when an earlier translation waits
// in its Translated_ file. Their texts and answers live here, apart from the
// job's stepping and saving.
#pragma once

#include "job/FileLock.h"
#include "job/TextEncoding.h"
#include "job/TranslationJobView.h"

#include <optional>
#include <string>

namespace kalmo {

// The answers of lockedFileQuestion, in their order.
enum class LockedFileAnswer { OpenAnyway, Cancel };

Question lockedFileQuestion(const std::string& path, const LockHolder& holder);

// The answers of earlierTranslationQuestion, in their order.
enum class EarlierTranslationAnswer { Continue, StartOver, Cancel };

// Names how much of the source at sourcePath (read in the given set, or the
// one found) the file at translatedPath translates, counted as the progress
// panel counts it once Continue has taken that file up. Nothing to ask when
// the translated file is no language file that can be read: there is no
// translation to continue, and the first save keeps its bytes as a backup or
// says why it cannot. Throws "Cannot open file ..." when the source cannot be
// read.
std::optional<Question> earlierTranslationQuestion(const std::string& sourcePath,
                                                   const std::optional<TextEncoding>& encoding,
                                                   const std::string& translatedPath);

} // namespace kalmo
