// The folders where this program keeps a user's own files, found the way
// every desktop program finds them (the XDG base directory variables), so
// that the window program, `kalmo` and the tests agree on one place.
#pragma once

#include <string>

namespace kalmo {

enum class UserFolder {
    Config, // $XDG_CONFIG_HOME/kalmo or ~/.config/kalmo
    Data,   // $XDG_DATA_HOME/kalmo or ~/.local/share/kalmo
    State,  // $XDG_STATE_HOME/kalmo or ~/.local/state/kalmo
};

// Looked up on every call, since the variables may change while a program
// runs (tests point them at temporary folders). A variable counts only when
// it names an absolute path; empty when neither it nor HOME is set.
std::string userFolder(UserFolder folder);

// Makes the folder and any missing parent; the folder itself is the user's
// alone (it holds their work). Throws "Cannot create file ..." with the reason.
void makeUserFolder(const std::string& path);

} // namespace kalmo
