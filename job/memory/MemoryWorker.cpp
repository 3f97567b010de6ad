// The translation memory's worker thread; see MemoryWorker.h.
#include "job/memory/MemoryWorker.h"

#include <algorithm>
#include <utility>

namespace kalmo {

MemoryWorker::MemoryWorker() = default;

MemoryWorker::~MemoryWorker()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

// The thread starts with the first task, not with the worker: a program that
// has not used the memory yet (one that only just started) pays nothing for it.
void MemoryWorker::startWithFirstTask()
{
    if (!thread_.joinable())
        thread_ = std::thread([this] { work(); });
}

void MemoryWorker::post(std::function<void()> task)
{
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back({std::move(task), false});
        startWithFirstTask();
    }
    changed_.notify_all();
}

void MemoryWorker::postLookup(std::function<void()> task)
{
    {
        const std::lock_guard lock(mutex_);
        tasks_.erase(std::remove_if(tasks_.begin(), tasks_.end(), [](const Task& t) { return t.lookup; }),
                     tasks_.end());
        tasks_.push_back({std::move(task), true});
        startWithFirstTask();
    }
    changed_.notify_all();
}

void MemoryWorker::waitUntilIdle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return tasks_.empty() && !busy_; });
}

void MemoryWorker::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || !tasks_.empty(); });
        if (tasks_.empty())
            return;
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        busy_ = true;
        lock.unlock();
        task.run();
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace kalmo
