// wrapAtWords and joinParagraphs; see WordWrap.h.
#include "controls/memo/WordWrap.h"

#include "controls/memo/Utf8Columns.h"

#include <string_view>

namespace kalmo {
namespace {

void wrapLine(std::string_view line, int cells, std::vector<std::string>& wrapped)
{
    std::string current;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t space = line.find(' ', start);
        const std::string_view word
            = line.substr(start, space == std::string_view::npos ? std::string_view::npos : space - start);
        std::string candidate = current.empty() ? std::string(word) : current + ' ' + std::string(word);
        if (utf8Columns(candidate) <= cells) {
            current = std::move(candidate);
        } else {
            if (!current.empty())
                wrapped.push_back(std::move(current));
            current.assign(word);
            while (utf8Columns(current) > cells) {
                wrapped.emplace_back(utf8Left(current, cells));
                current.assign(utf8From(current, cells));
            }
        }
        if (space == std::string_view::npos)
            break;
        start = space + 1;
    }
    wrapped.push_back(std::move(current));
}

} // namespace

std::vector<std::string> wrapAtWords(const std::vector<std::string>& lines, int cells)
{
    if (cells <= 0)
        return lines;
    std::vector<std::string> wrapped;
    wrapped.reserve(lines.size());
    for (const std::string& line : lines) {
        if (utf8Columns(line) <= cells)
            wrapped.push_back(line);
        else
            wrapLine(line, cells, wrapped);
    }
    return wrapped;
}

std::vector<std::string> joinParagraphs(const std::vector<std::string>& lines)
{
    std::vector<std::string> paragraphs;
    bool open = false;
    for (const std::string& line : lines) {
        if (line.empty()) {
            paragraphs.emplace_back();
            open = false;
        } else if (open) {
            paragraphs.back() += ' ' + line;
        } else {
            paragraphs.push_back(line);
            open = true;
        }
    }
    return paragraphs;
}

} // namespace kalmo
