// The thread that does all of the translation memory's work, one task after
// another: the program's own thread hands work over and never waits for the
// disk, for another program's lock on the memory, or for a lookup.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kalmo {

class MemoryWorker {
public:
    MemoryWorker();
    // Finishes the tasks handed over (a save's records among them), then ends.
    ~MemoryWorker();
    MemoryWorker(const MemoryWorker&) = delete;
    MemoryWorker& operator=(const MemoryWorker&) = delete;

    void post(std::function<void()> task);
    // A lookup not started yet is dropped for this one: only the newest
    // entry's suggestions matter.
    void postLookup(std::function<void()> task);
    // Returns once every task handed over so far is done.
    void waitUntilIdle();

private:
    struct Task {
        std::function<void()> run;
        bool lookup = false;
    };
    // Called with mutex_ held.
    void startWithFirstTask();
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Task> tasks_;
    bool busy_ = false;
    bool ending_ = false;
    std::thread thread_;
};

} // namespace kalmo
