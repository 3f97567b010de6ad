// The HTML tags in a text; see HtmlTags.h.
#include "job/checks/HtmlTags.h"

#include <algorithm>
#include <array>

namespace kalmo {
namespace {

bool isAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool isNameChar(char ch) { return isAsciiLetter(ch) || (ch >= '0' && ch <= '9') || ch == '-' || ch == ':'; }

constexpr std::array<std::string_view, 14> kVoidElements{"area", "base", "br", "col", "embed", "hr", "img",
                                                         "input", "link", "meta", "param", "source", "track", "wbr"};

// The offset of the ">" that ends a tag whose attributes start at `from`,
// passing over quoted attribute values; npos when another "<" or the end
// comes first.
std::size_t tagEnd(std::string_view text, std::size_t from)
{
    for (std::size_t p = from; p < text.size(); ++p) {
        const char ch = text[p];
        if (ch == '>')
            return p;
        if (ch == '<')
            return std::string_view::npos;
        if (ch == '"' || ch == '\'') {
            const std::size_t close = text.find(ch, p + 1);
            if (close == std::string_view::npos)
                return std::string_view::npos;
            p = close;
        }
    }
    return std::string_view::npos;
}

} // namespace

std::string HtmlTag::plain() const
{
    switch (kind) {
    case TagKind::Opening: return "<" + name + ">";
    case TagKind::Closing: return "</" + name + ">";
    case TagKind::Standalone: return "<" + name + "/>";
    }
    return {};
}

std::vector<HtmlTag> htmlTagsOf(std::string_view text)
{
    std::vector<HtmlTag> tags;
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        std::size_t p = at + 1;
        const bool closing = p < text.size() && text[p] == '/';
        if (closing)
            ++p;
        if (p >= text.size() || !isAsciiLetter(text[p]))
            continue;
        HtmlTag tag;
        const std::size_t nameStart = p;
        while (p < text.size() && isNameChar(text[p]))
            ++p;
        tag.name.assign(text.substr(nameStart, p - nameStart));
        for (char& ch : tag.name)
            ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        const std::size_t close = tagEnd(text, p);
        if (close == std::string_view::npos)
            continue;
        const bool isVoid = std::find(kVoidElements.begin(), kVoidElements.end(), tag.name) != kVoidElements.end();
        tag.kind = closing ? TagKind::Closing
                           : (isVoid || text[close - 1] == '/') ? TagKind::Standalone : TagKind::Opening;
        tag.begin = at;
        tag.end = close + 1;
        tags.push_back(std::move(tag));
        at = close;
    }
    return tags;
}

} // namespace kalmo
