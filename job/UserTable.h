// Small tables of a user's choices kept in the user's data folder, one row
// a line, fields split by tabs: the translation's language per file, the
// findings the user silenced. Missing or unreadable means empty, never an
// error; a row holding a tab or a line break in a field cannot be kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

using UserTableRow = std::vector<std::string>;

// $XDG_DATA_HOME/kalmo/NAME, looked up now; "" when the user has no data folder.
std::string userTablePath(std::string_view name);

// The rows with exactly `fields` fields; other lines are passed over.
std::vector<UserTableRow> readUserTable(const std::string& path, std::size_t fields);

// Replaces the table (nothing without a path); throws "Cannot create file
// ..." when it cannot be written.
void writeUserTable(const std::string& path, const std::vector<UserTableRow>& rows);

// Whether a field can stand in a table.
bool fitsUserTable(std::string_view field);

} // namespace kalmo
