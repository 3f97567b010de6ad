// Tab-separated tables in the user's data folder; see UserTable.h.
#include "job/UserTable.h"

#include "job/FileAccess.h"
#include "job/PathParts.h"
#include "job/UserFolders.h"

#include <exception>

namespace kalmo {

std::string userTablePath(std::string_view name)
{
    const std::string folder = userFolder(UserFolder::Data);
    return folder.empty() ? std::string() : folder + '/' + std::string(name);
}

std::vector<UserTableRow> readUserTable(const std::string& path, std::size_t fields)
{
    std::string text;
    try {
        text = readWholeFile(path);
    } catch (const std::exception&) {
        return {};
    }
    std::vector<UserTableRow> rows;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = std::string_view(text).substr(start, end - start);
        UserTableRow row;
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            row.emplace_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
            if (tab == std::string_view::npos)
                break;
            from = tab + 1;
        }
        if (row.size() == fields)
            rows.push_back(std::move(row));
        start = end + 1;
    }
    return rows;
}

void writeUserTable(const std::string& path, const std::vector<UserTableRow>& rows)
{
    if (path.empty())
        return;
    std::string text;
    for (const UserTableRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            text += (i == 0 ? "" : "\t") + row[i];
        text += '\n';
    }
    makeUserFolder(folderOf(path));
    writeFileSafely(path, text);
}

bool fitsUserTable(std::string_view field) { return field.find_first_of("\t\n") == std::string_view::npos; }

} // namespace kalmo
