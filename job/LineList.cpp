#include "job/LineList.h"

namespace kalmo {

std::string_view contentBeforeNul(std::string_view content)
{
    const auto nul = content.find('\0');
    return nul == std::string_view::npos ? content : content.substr(0, nul);
}

LineList splitLines(std::string_view content)
{
    content = contentBeforeNul(content);
    LineList lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < content.size()) {
        const char c = content[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(content.substr(start, i - start));
        i += (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < content.size())
        lines.emplace_back(content.substr(start));
    return lines;
}

std::string joinLines(const LineList& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string content;
    content.reserve(size);
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

} // namespace kalmo
