// The user's own folders (settings, data, state, runtime) pointed at a fresh
// temporary folder, so that a test, and every program it starts, reads and
// writes there and never in the real home.
#pragma once

#include "testing/TempFolder.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace kalmo::testing_support {

class UserFolders {
public:
    // Folders of one test's own, back to those from before when it ends.
    UserFolders() : UserFolders(Scope::Test) {}
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;
    ~UserFolders()
    {
        for (const auto& [variable, value] : previous_) {
            if (value)
                ::setenv(variable, value->c_str(), 1);
            else
                ::unsetenv(variable);
        }
    }

    std::string stateHome() const { return root_.path("state"); }
    // Where the programs keep their recovery journals.
    std::string recoveryFolder() const { return stateHome() + "/kalmo/recovery"; }

    // The test program's folders, made on the first call and kept until it
    // ends; a test's own folders come on top of them.
    static const UserFolders& forTestProgram()
    {
        static const UserFolders folders(Scope::TestProgram);
        return folders;
    }

private:
    enum class Scope { TestProgram, Test };

    explicit UserFolders(Scope scope)
    {
        // The test program's folders first, so that those from before a
        // test's own are never the real ones.
        if (scope == Scope::Test)
            forTestProgram();
        static constexpr std::array<std::pair<const char*, const char*>, 4> kFolders{{
            {"XDG_CONFIG_HOME", "config"},
            {"XDG_DATA_HOME", "data"},
            {"XDG_STATE_HOME", "state"},
            {"XDG_RUNTIME_DIR", "runtime"},
        }};
        for (const auto& [variable, name] : kFolders) {
            const char* value = std::getenv(variable);
            previous_.emplace_back(variable, value ? std::optional<std::string>(value) : std::nullopt);
            const std::string folder = root_.path(name);
            ::mkdir(folder.c_str(), S_IRWXU);
            ::setenv(variable, folder.c_str(), 1);
        }
    }

    TempFolder root_;
    std::vector<std::pair<const char*, std::optional<std::string>>> previous_;
};

// Called by every helper that starts one of our programs.
inline void useTemporaryUserFolders() { UserFolders::forTestProgram(); }

} // namespace kalmo::testing_support
