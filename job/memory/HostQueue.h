// Work that the translation memory's worker hands back to the job's thread,
// for a program without an event loop (`kalmo script`, tests, benchmarks):
// posted from any thread, run when the job's thread asks for it.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace kalmo {

class HostQueue {
public:
    void post(std::function<void()> task)
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }

    // Runs what was posted, and what those tasks post; how many ran.
    std::size_t runPending()
    {
        std::size_t ran = 0;
        for (;;) {
            std::function<void()> task;
            {
                const std::lock_guard lock(mutex_);
                if (tasks_.empty())
                    return ran;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
            ++ran;
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};

} // namespace kalmo
