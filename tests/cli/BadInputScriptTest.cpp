// Files that are not language files, and translated files that cannot be
// replaced, driven through the real `kalmo script` one command at a time:
// each case checks the message, that no file on disk changed, and that the
// same command succeeds once the cause is removed, in the same session.
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

#include <poll.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalmo {
namespace {

namespace fs = std::filesystem;
using testing_support::phpSyntaxErrors;
using testing_support::TempFolder;

// A running `kalmo script` that takes one command at a time, so that the
// test can change files between commands.
class ScriptProcess {
public:
    ScriptProcess()
    {
        testing_support::useTemporaryUserFolders();
        int toChild[2];
        int fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(toChild[0], STDIN_FILENO);
            ::dup2(fromChild[1], STDOUT_FILENO);
            for (const int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]})
                ::close(fd);
            ::execl(KALMO_CLI_PATH, "kalmo", "script", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // A program that ended early must fail the test, not kill it.
        std::signal(SIGPIPE, SIG_IGN);
        ::close(toChild[0]);
        ::close(fromChild[1]);
        input_ = toChild[1];
        output_ = fromChild[0];
    }
    ScriptProcess(const ScriptProcess&) = delete;
    ScriptProcess& operator=(const ScriptProcess&) = delete;
    ~ScriptProcess()
    {
        ::close(input_);
        ::close(output_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }

    pid_t pid() const { return pid_; }

    // Runs one command and returns what it printed: up to its "translation:"
    // line, or everything up to the end when the command ended the program.
    std::string send(const std::string& command)
    {
        const std::string line = command + "\n";
        if (::write(input_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            return "<program gone>";
        for (;;) {
            const auto end = blockEnd();
            if (end != std::string::npos) {
                std::string block = pending_.substr(0, end);
                pending_.erase(0, end);
                return block;
            }
            // A load that blocks shows up here instead of hanging the test.
            pollfd ready{output_, POLLIN, 0};
            if (::poll(&ready, 1, 20000) <= 0)
                return pending_ + "<no answer>";
            char buffer[4096];
            const ssize_t count = ::read(output_, buffer, sizeof buffer);
            if (count <= 0)
                return std::exchange(pending_, {});
            pending_.append(buffer, static_cast<std::size_t>(count));
        }
    }

private:
    std::size_t blockEnd() const
    {
        static const std::string last = "translation: ";
        std::size_t at = pending_.rfind(last, 0) == 0 ? 0 : pending_.find("\n" + last);
        if (at == std::string::npos)
            return at;
        const auto newline = pending_.find('\n', at + 1);
        return newline == std::string::npos ? newline : newline + 1;
    }

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
};

const std::string kLanguageFile = "<?php\n"
                                  "define('_HELLO', 'Hello');\n"
                                  "define('_BYE', 'Bye');\n"
                                  "?>\n";
const std::string kEarlierTranslation = "<?php\ndefine('_HELLO', 'Hallo');\n";

// The folder of one case: the language file, a translated file from an
// earlier session, and for the disk-full case a small file system of its own.
class Workspace {
public:
    explicit Workspace(bool smallDisk)
    {
        if (smallDisk) {
            fs::create_directory(folder_.path("disk"));
            mounted_ = ::mount("tmpfs", folder_.path("disk").c_str(), "tmpfs", 0, "size=64k") == 0;
            dir_ = "disk/";
        }
        // Large enough that a full disk or a file-size limit stops it, small
        // enough for the 64 KiB disk.
        std::string padding;
        for (int i = 0; i < 120; ++i)
            padding += "// padding line " + std::to_string(i) + " of the language file\n";
        source_ = kLanguageFile + padding;
        write("lang.php", source_);
        write("Translated_lang.php", kEarlierTranslation);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    ~Workspace()
    {
        if (mounted_)
            ::umount2(folder_.path("disk").c_str(), MNT_DETACH);
    }

    std::string path(const std::string& name) const { return folder_.path(dir_ + name); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        return folder_.write(dir_ + name, bytes);
    }
    std::string read(const std::string& name) const { return folder_.read(dir_ + name); }
    const std::string& source() const { return source_; }
    bool mounted() const { return mounted_; }

    // Every file in the case's folder, for checking that a failure left no
    // temporary file behind.
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const auto& entry : fs::directory_iterator(fs::path(path("."))))
            result.push_back(entry.path().filename().string());
        std::sort(result.begin(), result.end());
        return result;
    }

private:
    TempFolder folder_;
    std::string dir_;
    std::string source_;
    bool mounted_ = false;
};

enum class Stage { Load, Exit };

struct Failure {
    std::string path; // the file the message must name
    std::string reason;
};

struct BadInputCase {
    const char* name;
    Stage stage;
    bool smallDisk;
    // Puts the fault in place, once the session has loaded lang.php and
    // translated an entry.
    std::function<Failure(Workspace&, const ScriptProcess&)> spoil;
    // Removes the cause, so that the same command succeeds.
    std::function<void(Workspace&, const ScriptProcess&)> mend;
};

void PrintTo(const BadInputCase& row, std::ostream* out)
{
    *out << row.name;
}

// A load case: a file named bad.php with these bytes, mended by writing a
// language file in its place.
BadInputCase badSource(const char* name, std::string bytes, std::string reason)
{
    return {name, Stage::Load, false,
            [bytes, reason](Workspace& work, const ScriptProcess&) {
                return Failure{work.write("bad.php", bytes), reason};
            },
            [](Workspace& work, const ScriptProcess&) { work.write("bad.php", kLanguageFile); }};
}

// A load case for something that is not a file at all, made by `make`.
BadInputCase specialSource(const char* name, std::function<void(const std::string&)> make, std::string reason)
{
    return {name, Stage::Load, false,
            [make, reason](Workspace& work, const ScriptProcess&) {
                make(work.path("bad.php"));
                return Failure{work.path("bad.php"), reason};
            },
            [](Workspace& work, const ScriptProcess&) {
                fs::remove_all(work.path("bad.php"));
                work.write("bad.php", kLanguageFile);
            }};
}

using namespace std::string_literals;
const std::string kSaveAsUtf8 = " file; save it as UTF-8 and load it again";

const BadInputCase kCases[] = {
    specialSource("Fifo", [](const std::string& path) { ::mkfifo(path.c_str(), 0644); },
                  "It is a named pipe (FIFO), not a regular file"),
    specialSource("CharacterDevice", [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
                  "It is a character device, not a regular file"),
    specialSource("Folder", [](const std::string& path) { fs::create_directory(path); }, "Is a directory"),
    specialSource("LargerThan256MiB",
                  [](const std::string& path) {
                      std::ofstream(path, std::ios::binary) << "<?php\n";
                      fs::resize_file(path, (std::uintmax_t{256} << 20) + 1);
                  },
                  "It is larger than 256 MiB, too large for a language file"),
    badSource("NulByte", "<?php\ndefine('_A', 'a\0b');\n?>\n"s,
              "It holds a NUL byte (at byte 21), so it is not a text file"),
    badSource("Utf16LeWithMark", "\xFF\xFE<\0?\0\n\0"s, "It is a UTF-16 (little-endian)" + kSaveAsUtf8),
    badSource("Utf16BeWithMark", "\xFE\xFF\0<\0?\0\n"s, "It is a UTF-16 (big-endian)" + kSaveAsUtf8),
    badSource("Utf16LeWithoutMark", "<\0?\0\n\0"s, "It is a UTF-16 (little-endian)" + kSaveAsUtf8),
    badSource("Utf16BeWithoutMark", "\0<\0?\0\n"s, "It is a UTF-16 (big-endian)" + kSaveAsUtf8),
    badSource("Utf32LeWithMark", "\xFF\xFE\0\0<\0\0\0"s, "It is a UTF-32 (little-endian)" + kSaveAsUtf8),
    badSource("Utf32BeWithoutMark", "\0\0\0<\0\0\0?"s, "It is a UTF-32 (big-endian)" + kSaveAsUtf8),
    {"ReadOnlyTarget", Stage::Exit, false,
     [](Workspace& work, const ScriptProcess&) {
         fs::permissions(work.path("Translated_lang.php"), fs::perms::owner_write | fs::perms::group_write
                                                               | fs::perms::others_write,
                         fs::perm_options::remove);
         return Failure{work.path("Translated_lang.php"), "It is read-only"};
     },
     [](Workspace& work, const ScriptProcess&) {
         fs::permissions(work.path("Translated_lang.php"), fs::perms::owner_write, fs::perm_options::add);
     }},
    // The link is followed to a read-only file, and stays a link once that
    // file is writable and replaced.
    {"SymlinkToReadOnlyTarget", Stage::Exit, false,
     [](Workspace& work, const ScriptProcess&) {
         fs::create_directory(work.path("kept"));
         fs::rename(work.path("Translated_lang.php"), work.path("kept/Translated_lang.php"));
         fs::create_symlink("kept/Translated_lang.php", work.path("Translated_lang.php"));
         fs::permissions(work.path("kept/Translated_lang.php"), fs::perms::owner_write, fs::perm_options::remove);
         return Failure{work.path("Translated_lang.php"), "It is read-only"};
     },
     [](Workspace& work, const ScriptProcess&) {
         fs::permissions(work.path("kept/Translated_lang.php"), fs::perms::owner_write, fs::perm_options::add);
     }},
    // On its own small file system when this test may mount one, else under
    // a file-size limit set on the running program.
    {"DiskFull", Stage::Exit, true,
     [](Workspace& work, const ScriptProcess& script) {
         if (!work.mounted()) {
             const rlimit limit{4096, RLIM_INFINITY};
             ::prlimit(script.pid(), RLIMIT_FSIZE, &limit, nullptr);
             return Failure{work.path("Translated_lang.php"), "File too large"};
         }
         // Fill the disk, then free two pages: enough for the backup of the
         // earlier translation, not for the new one.
         {
             std::ofstream filler(work.path("filler"), std::ios::binary);
             const std::string block(1024, 'x');
             while (filler.write(block.data(), block.size()))
                 ;
         }
         constexpr std::uintmax_t page = 4096;
         const auto pages = (fs::file_size(work.path("filler")) + page - 1) / page;
         fs::resize_file(work.path("filler"), pages > 2 ? (pages - 2) * page : 0);
         return Failure{work.path("Translated_lang.php"), "No space left on device"};
     },
     [](Workspace& work, const ScriptProcess& script) {
         if (!work.mounted()) {
             const rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
             ::prlimit(script.pid(), RLIMIT_FSIZE, &limit, nullptr);
         }
         fs::remove(work.path("filler"));
     }},
};

class BadInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, IsReportedWithFileAndReasonDamagesNothingAndCanBeRetried)
{
    const BadInputCase& row = GetParam();
    Workspace work(row.smallDisk);
    ScriptProcess script;

    std::string shown = script.send("load " + work.path("lang.php"));
    EXPECT_EQ(shown.find("error:"), std::string::npos) << shown;
    if (row.stage == Stage::Exit) {
        script.send("type Hallo");
        shown = script.send("key Enter");
    }
    const Failure failure = row.spoil(work, script);
    const auto before = work.names();
    const bool special = !fs::is_regular_file(failure.path) || fs::is_symlink(failure.path)
        || fs::file_size(failure.path) > 65536;
    const std::string badBytes = special ? std::string() : work.read(fs::path(failure.path).filename());

    const std::string command = row.stage == Stage::Load ? "load " + failure.path : "exit";
    const std::string answer = script.send(command);
    const std::string verb = row.stage == Stage::Load ? "open" : "create";
    EXPECT_NE(answer.find("error: Cannot " + verb + " file \"" + failure.path + "\". " + failure.reason + ".\n"),
              std::string::npos)
        << answer;
    // The entry on show, and so the job, is still the one from before.
    const auto fields = [](const std::string& block) { return block.substr(block.find("\nname: ")); };
    EXPECT_EQ(fields(answer), fields(shown));

    EXPECT_EQ(work.read("lang.php"), work.source());
    EXPECT_EQ(work.read("Translated_lang.php"), kEarlierTranslation);
    const auto after = work.names();
    EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end())) << "a file went missing";
    const auto temporary = [](const std::string& name) { return name.starts_with(".kalmo-"); };
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), temporary)) << "a temporary file was left";
    if (!special) {
        EXPECT_EQ(work.read(fs::path(failure.path).filename()), badBytes);
    }

    row.mend(work, script);
    const std::string retry = script.send(command);
    EXPECT_EQ(retry.find("error:"), std::string::npos) << retry;
    if (row.stage == Stage::Load) {
        EXPECT_NE(retry.find("status: Sourcefile: bad.php loaded and parsed.\n"), std::string::npos) << retry;
        return;
    }
    EXPECT_NE(retry.find("saved: " + work.path("Translated_lang.php") + "\n"), std::string::npos) << retry;
    EXPECT_EQ(phpSyntaxErrors(work.path("Translated_lang.php")), "");
    EXPECT_NE(work.read("Translated_lang.php").find("define('_HELLO', 'Hallo');\n"), std::string::npos);
    EXPECT_EQ(work.read("Translated_lang.php.bak"), kEarlierTranslation);
    EXPECT_EQ(fs::is_symlink(work.path("Translated_lang.php")), row.name == std::string("SymlinkToReadOnlyTarget"));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<BadInputCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalmo
