// The user's translation memory as every program reaches it: the file
// $XDG_DATA_HOME/kalmo/memory.sqlite, opened when first needed. A memory
// that cannot be used is reported once and the work goes on without it; a
// damaged file is moved aside as memory.sqlite.broken-DATE and a new memory
// takes its place, so the translation never waits for it or loses anything
// through it.
#pragma once

#include "job/memory/MemoryStore.h"

#include <ctime>
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace kalmo {

// userFolder(UserFolder::Data) + "/memory.sqlite"; empty when there is no
// data folder.
std::string userMemoryPath();

// "PATH.broken-20260312-101500", or with ".N" added when that is taken.
std::string brokenMemoryName(const std::string& path, std::time_t when);

class UserMemory {
public:
    enum class Missing { Create, LeaveAlone };

    explicit UserMemory(std::string path = userMemoryPath(), Missing missing = Missing::Create);

    // Each problem, told once: the memory could not be opened or used, or
    // it was damaged and moved aside.
    std::function<void(const std::string& message)> onProblem;

    // Runs the action on the store, opening it first. When the store turns
    // out damaged it is moved aside and the action runs once more on a new
    // one. False when there is no memory to use (the reason told); an error
    // other than damage is told and ends the action.
    bool use(const std::function<void(MemoryStore& store)>& action);
    // No memory file exists and none is to be made.
    bool absent() const;
    const std::string& path() const { return path_; }

private:
    bool open();
    void moveAside(const std::string& reason);
    void tell(const std::string& message);

    std::string path_;
    Missing missing_;
    std::unique_ptr<MemoryStore> store_;
    bool failed_ = false;
    std::set<std::string> told_;
};

} // namespace kalmo
