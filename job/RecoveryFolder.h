// The folder that holds the recovery journals, one per source file, and
// what happens to a journal there: written, read, listed, moved aside when
// discarded or damaged, removed once its work is saved.
#pragma once

#include "job/RecoveryJournal.h"

#include <string>
#include <vector>

namespace kalmo {

class RecoveryFolder {
public:
    explicit RecoveryFolder(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The source file's name, for whoever looks into the folder, and a
    // fingerprint of its full path, so that two files of one name keep apart.
    std::string journalPathFor(const std::string& sourcePath) const;
    // The journals in the folder, in name order.
    std::vector<std::string> journals() const;

    // Makes the folder, private to the user, when it is missing. Throws
    // "Cannot create file ..." naming the folder or the journal.
    void write(const RecoveryJournal& journal) const;
    // Throws "Cannot open file ..." when it cannot be read, and a message
    // naming it as damaged when it is not a whole journal.
    RecoveryJournal read(const std::string& journalPath) const;
    // Renames the journal to its name + suffix, replacing an older one of
    // that name; throws "Cannot create file ..." when it cannot.
    void moveAside(const std::string& journalPath, const std::string& suffix) const;
    // A journal that is gone already is no error.
    void remove(const std::string& journalPath) const;

private:
    std::string path_;
};

// The journals' folder of this user: $XDG_STATE_HOME/kalmo/recovery, or
// ~/.local/state/kalmo/recovery; empty when neither variable is set.
std::string defaultRecoveryFolder();

} // namespace kalmo
