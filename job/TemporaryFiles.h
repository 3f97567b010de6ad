// The temporary files a safe write makes beside its target. Each name carries
// the process id and host of the program that made it, so that a later save
// into the same folder can remove the ones a killed program left behind.
#pragma once

#include <string>

namespace kalmo {

// A mkstemp pattern in the folder (given with its trailing slash):
// ".kalmo-PID-HOST-XXXXXX".
std::string temporaryFilePattern(const std::string& folder);

// Removes this user's temporary files in the folder whose program no longer
// runs on this host; files of running programs, of other hosts and of other
// users stay. Best effort: a file that cannot be removed is left.
void removeStaleTemporaryFiles(const std::string& folder);

} // namespace kalmo
