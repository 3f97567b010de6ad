// The memory's worker: its thread waits for the first task, and a worker
// never given one ends without it.
#include "job/memory/MemoryWorker.h"
#include "testing/ProcessThreads.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using testing_support::threadsOfThisProcess;

TEST(MemoryWorkerTest, StartsItsThreadWithTheFirstTaskNotBefore)
{
    const long before = threadsOfThisProcess();
    MemoryWorker worker;
    worker.waitUntilIdle();
    EXPECT_EQ(threadsOfThisProcess(), before) << "a worker with nothing to do holds a thread";

    int done = 0;
    worker.post([&done] { ++done; });
    worker.postLookup([&done] { ++done; });
    worker.waitUntilIdle();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(threadsOfThisProcess(), before + 1);
}

TEST(MemoryWorkerTest, EndsWithoutAThreadAndFinishesTasksHandedOver)
{
    { MemoryWorker unused; }
    int done = 0;
    {
        MemoryWorker worker;
        worker.post([&done] { ++done; });
    }
    EXPECT_EQ(done, 1);
}

} // namespace
} // namespace kalmo
