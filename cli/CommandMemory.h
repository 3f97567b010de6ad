// The user's translation memory as the `kalmo` commands reach it: its
// problems are told on standard error under the command's name, and a
// command that cannot go on without it fails with that message.
#pragma once

#include "job/memory/UserMemory.h"

#include <functional>
#include <string>

namespace kalmo::cli {

UserMemory commandMemory(const std::string& commandName, UserMemory::Missing missing = UserMemory::Missing::Create);

// Runs the action on the memory; throws KalmoError when there is none to use.
void useMemory(UserMemory& memory, const std::function<void(MemoryStore& store)>& action);

} // namespace kalmo::cli
