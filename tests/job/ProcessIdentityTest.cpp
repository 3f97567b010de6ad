// Whether the program that left a journal, a lock or a temporary file still runs.
#include "job/ProcessIdentity.h"
#include "testing/GoneProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kalmo {
namespace {

// A child that stops at once and is not waited for stays a zombie.
pid_t zombieChild()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);
    return child;
}

TEST(ProcessIdentity, OnlyAProcessOfThisHostThatRunsNoMoreIsGone)
{
    const ProcessIdentity self = thisProcess();
    EXPECT_FALSE(processIsGone(self));
    EXPECT_FALSE(processIsGone({self.processId, self.host + "-elsewhere"}));
    EXPECT_TRUE(processIsGone({testing_support::goneProcessId(), self.host}));
    EXPECT_FALSE(processIsGone({testing_support::goneProcessId(), self.host + "-elsewhere"}));
}

TEST(ProcessIdentity, ARunningProcessThatStartedAtAnotherTimeIsAnotherProgram)
{
    const ProcessIdentity self = thisProcess();
    ASSERT_FALSE(self.started.empty());
    EXPECT_FALSE(processIsGone({self.processId, self.host, self.started}));
    EXPECT_TRUE(processIsGone({self.processId, self.host, "another-boot/" + self.started}));
}

TEST(ProcessIdentity, AKilledProgramNotYetCollectedByItsParentIsGone)
{
    const pid_t zombie = zombieChild();
    EXPECT_TRUE(processIsGone({static_cast<long>(zombie), thisProcess().host}));
    ::waitpid(zombie, nullptr, 0);
}

} // namespace
} // namespace kalmo
