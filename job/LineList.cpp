// Splitting file content into lines and joining them back; see LineList.h.
#include "job/LineList.h"

#include <array>

namespace kalmo {
namespace {

std::string_view textOf(LineEnd end)
{
    switch (end) {
    case LineEnd::CrLf: return "\r\n";
    case LineEnd::Cr: return "\r";
    case LineEnd::Lf: return "\n";
    case LineEnd::None: break;
    }
    return {};
}

// A tie goes to the end met first in the file; a file without any gets CR LF.
LineEnd mostFrequentEnd(const LineEnds& ends)
{
    std::array<std::size_t, 4> counts{};
    for (const LineEnd end : ends)
        ++counts[static_cast<std::size_t>(end)];
    LineEnd best = LineEnd::None;
    std::size_t bestCount = 0;
    for (const LineEnd end : ends) {
        const std::size_t count = counts[static_cast<std::size_t>(end)];
        if (end != LineEnd::None && count > bestCount) {
            best = end;
            bestCount = count;
        }
    }
    return best == LineEnd::None ? LineEnd::CrLf : best;
}

} // namespace

LineList splitLines(std::string_view content, LineEnds* ends)
{
    LineList lines;
    if (ends)
        ends->clear();
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < content.size()) {
        const char c = content[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(content.substr(start, i - start));
        const bool crLf = c == '\r' && i + 1 < content.size() && content[i + 1] == '\n';
        if (ends)
            ends->push_back(crLf ? LineEnd::CrLf : c == '\r' ? LineEnd::Cr : LineEnd::Lf);
        i += crLf ? 2 : 1;
        start = i;
    }
    if (start < content.size()) {
        lines.emplace_back(content.substr(start));
        if (ends)
            ends->push_back(LineEnd::None);
    }
    return lines;
}

std::string joinLines(const LineList& lines, const LineEnds& loadedEnds)
{
    const bool sameLines = lines.size() == loadedEnds.size();
    const LineEnd common = mostFrequentEnd(loadedEnds);
    const bool lastWithoutEnd = !loadedEnds.empty() && loadedEnds.back() == LineEnd::None;

    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string content;
    content.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        content += lines[i];
        const bool last = i + 1 == lines.size();
        LineEnd end = sameLines ? loadedEnds[i] : common;
        if (last && lastWithoutEnd && !lines[i].empty())
            end = LineEnd::None;
        else if (end == LineEnd::None)
            end = common;
        // After a CR, an empty line's LF would read back as part of one CR LF
        // break and the line would vanish; it ends with a CR as well.
        if (end == LineEnd::Lf && lines[i].empty() && !content.empty() && content.back() == '\r')
            end = LineEnd::Cr;
        content += textOf(end);
    }
    return content;
}

} // namespace kalmo
