// Two programs, one file: the lock file a load writes beside the file, the
// question when another running program holds it, and where no lock is
// written.
#include "job/ProcessIdentity.h"
#include "testing/CaseNames.h"
#include "tests/job/JobTestFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalmo {
namespace {

using testing_support::JobRig;

const char* const kLang = "<?php\ndefine('_A', 'a');\n?>\n";
const char* const kLockName = ".~lock.lang.php#";

std::string thisHost()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, HOST_NAME_MAX);
    return name;
}

std::string lockNaming(const ProcessIdentity& holder)
{
    return "KALMO Translator lock " + std::to_string(holder.processId) + " " + holder.host
         + (holder.started.empty() ? "" : " " + holder.started) + "\n";
}

// A lock as earlier versions wrote it, naming the process by its id alone.
std::string lockNaming(long processId, const std::string& host) { return lockNaming({processId, host, ""}); }

// The id of a process that has ended and been reaped.
long goneProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

struct LockCase {
    const char* what;
    std::function<std::string()> lock; // the lock file's content before the load
    bool asked;
    bool takenOver; // the lock names this process after the load
};

void PrintTo(const LockCase& c, std::ostream* out) { *out << c.what; }

class LockBesideTheFile : public TranslationJobTest, public testing::WithParamInterface<LockCase> {};

TEST_P(LockBesideTheFile, AsksOnlyWhileAnotherProgramHoldsIt)
{
    const std::string path = folder.write("lang.php", kLang);
    const std::string lock = GetParam().lock();
    folder.write(kLockName, lock);

    windows.answers = {"Cancel"};
    JobRig::load(path);
    EXPECT_EQ(windows.questions.size(), GetParam().asked ? 1u : 0u);
    EXPECT_EQ(job.Loaded(), !GetParam().asked);
    if (GetParam().asked) {
        // Cancelled: nothing loaded, the status as before the load.
        EXPECT_EQ(windows.status, "Waiting..");
        EXPECT_EQ(folder.read(kLockName), lock);
        // The default answer opens it anyway; the lock stays the other program's.
        JobRig::load(path);
        EXPECT_TRUE(job.Loaded());
        ASSERT_EQ(windows.questions.size(), 2u);
        EXPECT_EQ(windows.questions[1].answers, (std::vector<std::string>{"Open Anyway", "Cancel"}));
    }
    EXPECT_EQ(folder.read(kLockName), GetParam().takenOver ? lockNaming(thisProcess()) : lock);
}

INSTANTIATE_TEST_SUITE_P(
    Locks, LockBesideTheFile,
    testing::Values(
        LockCase{"a running program here", [] { return lockNaming(::getppid(), thisHost()); }, true, false},
        LockCase{"a program on another host", [] { return lockNaming(::getpid(), "elsewhere.example"); }, true,
                 false},
        LockCase{"a process that is gone", [] { return lockNaming(goneProcess(), thisHost()); }, false, true},
        LockCase{"this process", [] { return lockNaming(::getpid(), thisHost()); }, false, true},
        LockCase{"a running process given the id of one that is gone",
                 [] { return lockNaming({::getppid(), thisHost(), "another-boot/12345"}); }, false, true},
        LockCase{"another program's file", [] { return std::string(",someone,host,01.01.2024 10:00,x;"); }, false,
                 false}),
    testing_support::NameFrom<&LockCase::what>{});

TEST_F(TranslationJobTest, LockedFileQuestionNamesTheProcessAndTheHost)
{
    const std::string path = folder.write("lang.php", kLang);
    folder.write(kLockName, lockNaming(::getppid(), "elsewhere.example"));
    JobRig::load(path);
    ASSERT_EQ(windows.questions.size(), 1u);
    EXPECT_EQ(windows.questions[0].text,
              "lang.php is open in another KALMO Translator (process " + std::to_string(::getppid())
                  + " on elsewhere.example). Open it anyway? Both programs' work is kept: each save keeps the other's "
                    "file as a backup.");
}

TEST_F(TranslationJobTest, LockGoesWithTheFileToTheNextLoadAndAtExit)
{
    const std::string lang = folder.write("lang.php", kLang);
    const std::string other = folder.write("other.php", kLang);
    const std::string mine = lockNaming(thisProcess());
    {
        JobRig second;
        second.load(lang);
        EXPECT_EQ(folder.read(kLockName), mine);
    }
    EXPECT_FALSE(folder.exists(kLockName)) << "a job that ends takes its lock along";

    JobRig::load(lang);
    JobRig::load(other);
    EXPECT_FALSE(folder.exists(kLockName));
    EXPECT_EQ(folder.read(".~lock.other.php#"), mine);
    job.Exit1Click();
    EXPECT_FALSE(folder.exists(".~lock.other.php#"));
}

TEST_F(TranslationJobTest, FolderWhereNoLockCanBeWrittenGivesNoLockAndNoError)
{
    const std::string disk = folder.path("disk");
    std::filesystem::create_directory(disk);
    // Root writes into every folder, so a read-only file system stands in.
    const bool root = testing_support::runningAsRoot();
    if (root && ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no file system of our own to make read-only";
    // Writable again at the end, so that the folder can be removed.
    struct Mend {
        bool mounted;
        std::string at;
        ~Mend()
        {
            std::error_code ignored;
            if (mounted)
                ::umount2(at.c_str(), MNT_DETACH);
            else
                std::filesystem::permissions(at, std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        }
    } mend{root, disk};
    const std::string path = folder.write("disk/lang.php", kLang);
    if (root)
        ASSERT_EQ(::mount("tmpfs", disk.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    else
        std::filesystem::permissions(disk, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);

    windows.dialogAnswer = path;
    EXPECT_EQ(errorOf(&TranslationJob::LoadSourceFile1Click), "<no error>");
    EXPECT_TRUE(job.Loaded());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk), {}), 1) << "only lang.php";
}

} // namespace
} // namespace kalmo
