// The user's folders; see UserFolders.h.
#include "job/UserFolders.h"

#include "base/KalmoError.h"

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

namespace kalmo {
namespace {

struct FolderRule {
    const char* variable;
    const char* underHome;
};

FolderRule ruleOf(UserFolder folder)
{
    switch (folder) {
    case UserFolder::Config:
        return {"XDG_CONFIG_HOME", "/.config"};
    case UserFolder::Data:
        return {"XDG_DATA_HOME", "/.local/share"};
    case UserFolder::State:
        break;
    }
    return {"XDG_STATE_HOME", "/.local/state"};
}

} // namespace

std::string userFolder(UserFolder folder)
{
    const FolderRule rule = ruleOf(folder);
    const char* set = std::getenv(rule.variable);
    if (set != nullptr && set[0] == '/')
        return std::string(set) + "/kalmo";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + rule.underHome + "/kalmo";
    return {};
}

void makeUserFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw cannotCreateFile(path, error.message());
    ::chmod(path.c_str(), S_IRWXU);
}

} // namespace kalmo
