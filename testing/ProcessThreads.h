// How many threads this process runs, for tests of what starts a thread when.
#pragma once

#include <filesystem>
#include <iterator>

namespace kalmo::testing_support {

inline long threadsOfThisProcess()
{
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return std::distance(std::filesystem::begin(tasks), std::filesystem::end(tasks));
}

} // namespace kalmo::testing_support
