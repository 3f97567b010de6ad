// The recovery journals' folder; see RecoveryFolder.h.
#include "job/RecoveryFolder.h"

#include "base/KalmoError.h"
#include "job/EntryList.h"
#include "job/FileAccess.h"
#include "job/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <cstdio>

namespace kalmo {
namespace {

constexpr std::string_view kJournalSuffix = ".journal";
// Keeps a journal's name within the 255 bytes a file name may have.
constexpr std::size_t kLongestNamePart = 100;

} // namespace

std::string RecoveryFolder::journalPathFor(const std::string& sourcePath) const
{
    const std::string name = fileNameOf(sourcePath).substr(0, kLongestNamePart);
    return path_ + '/' + name + '-' + bytesFingerprintText(sourcePath) + std::string(kJournalSuffix);
}

std::vector<std::string> RecoveryFolder::journals() const
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code notRegular;
        if (name.ends_with(kJournalSuffix) && entry.is_regular_file(notRegular))
            found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

void RecoveryFolder::write(const RecoveryJournal& journal) const
{
    makeUserFolder(path_);
    writeFileSafely(journalPathFor(journal.sourcePath), journalText(journal));
}

RecoveryJournal RecoveryFolder::read(const std::string& journalPath) const
{
    const std::string text = readWholeFile(journalPath);
    try {
        return parseJournal(text);
    } catch (const KalmoError& error) {
        throw KalmoError("The recovery journal \"" + journalPath + "\" is damaged: " + error.what());
    }
}

void RecoveryFolder::moveAside(const std::string& journalPath, const std::string& suffix) const
{
    const std::string aside = journalPath + suffix;
    if (std::rename(journalPath.c_str(), aside.c_str()) != 0)
        throw cannotCreateFile(aside, systemReason(errno));
}

void RecoveryFolder::remove(const std::string& journalPath) const
{
    std::remove(journalPath.c_str());
}

std::string defaultRecoveryFolder()
{
    const std::string state = userFolder(UserFolder::State);
    return state.empty() ? state : state + "/recovery";
}

} // namespace kalmo
