// Opening the user's translation memory and moving a damaged one aside; see UserMemory.h.
#include "job/memory/UserMemory.h"

#include "job/UserFolders.h"

#include <filesystem>
#include <utility>

namespace kalmo {

std::string userMemoryPath()
{
    const std::string folder = userFolder(UserFolder::Data);
    return folder.empty() ? std::string() : folder + "/memory.sqlite";
}

std::string brokenMemoryName(const std::string& path, std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".broken-" + date;
    std::string name = base;
    std::error_code ignored;
    for (int n = 1; std::filesystem::exists(name, ignored); ++n)
        name = base + "." + std::to_string(n);
    return name;
}

UserMemory::UserMemory(std::string path, Missing missing) : path_(std::move(path)), missing_(missing) {}

bool UserMemory::absent() const
{
    std::error_code ignored;
    return path_.empty() || (missing_ == Missing::LeaveAlone && !std::filesystem::exists(path_, ignored));
}

void UserMemory::tell(const std::string& message)
{
    if (told_.insert(message).second && onProblem)
        onProblem(message);
}

bool UserMemory::open()
{
    if (store_)
        return true;
    if (failed_ || absent())
        return false;
    try {
        makeUserFolder(std::filesystem::path(path_).parent_path().string());
        store_ = std::make_unique<MemoryStore>(path_);
        return true;
    } catch (const MemoryError& error) {
        if (error.damaged()) {
            moveAside(error.what());
            return open();
        }
        tell(std::string(error.what()) + "; the work goes on without it");
    } catch (const KalmoError& error) {
        tell("The translation memory cannot be opened: " + std::string(error.what()) + "; the work goes on without it");
    }
    failed_ = true;
    return false;
}

void UserMemory::moveAside(const std::string& reason)
{
    store_.reset();
    const std::string aside = brokenMemoryName(path_, std::time(nullptr));
    std::error_code error;
    std::filesystem::rename(path_, aside, error);
    if (error) {
        tell(reason + "; it could not be moved aside (" + error.message() + "), and the work goes on without it");
        failed_ = true;
        return;
    }
    // The memory existed: its place is taken by a new one.
    missing_ = Missing::Create;
    // The log and its index belong to the damaged file.
    for (const char* suffix : {"-wal", "-shm"}) {
        std::error_code ignored;
        std::filesystem::rename(path_ + suffix, aside + suffix, ignored);
    }
    tell(reason + ". It was moved aside as \"" + aside + "\" and a new memory started");
}

bool UserMemory::use(const std::function<void(MemoryStore&)>& action)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!open())
            return false;
        try {
            action(*store_);
            return true;
        } catch (const MemoryError& error) {
            if (!error.damaged()) {
                tell(error.what());
                return false;
            }
            moveAside(error.what());
        }
    }
    return false;
}

} // namespace kalmo
