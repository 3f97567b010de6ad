// The HTML tags in a text; see HtmlTags.h.
#include "job/checks/HtmlTags.h"

#include <algorithm>
#include <array>

namespace kalmo {
namespace {

bool isAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool isNameChar(char ch) { return isAsciiLetter(ch) || (ch >= '0' && ch <= '9') || ch == '-' || ch == ':'; }

char lowered(char ch) { return static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch); }

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lowered(x) == lowered(y); });
}

constexpr std::array<std::string_view, 14> kVoidElements{"area", "base", "br", "col", "embed", "hr", "img",
                                                         "input", "link", "meta", "param", "source", "track", "wbr"};

bool isVoidElement(std::string_view name)
{
    // No void element's name is longer than six letters.
    return name.size() <= 6
        && std::any_of(kVoidElements.begin(), kVoidElements.end(),
                       [&](std::string_view element) { return equalIgnoringCase(name, element); });
}

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

TagInText nextHtmlTag(std::string_view text, std::size_t from)
{
    for (std::size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1)) {
        std::size_t p = at + 1;
        const bool closing = p < text.size() && text[p] == '/';
        if (closing)
            ++p;
        if (p >= text.size() || !isAsciiLetter(text[p]))
            continue;
        const std::size_t nameStart = p;
        while (p < text.size() && isNameChar(text[p]))
            ++p;
        const std::size_t close = tagEnd(text, p);
        if (close == std::string_view::npos)
            continue;
        const std::string_view name = text.substr(nameStart, p - nameStart);
        const TagKind kind = closing ? TagKind::Closing
            : (text[close - 1] == '/' || isVoidElement(name)) ? TagKind::Standalone
                                                              : TagKind::Opening;
        return {at, close + 1, name, kind};
    }
    return {};
}

std::vector<HtmlTag> htmlTagsOf(std::string_view text)
{
    std::vector<HtmlTag> tags;
    for (TagInText found = nextHtmlTag(text, 0); found.end != 0; found = nextHtmlTag(text, found.end)) {
        HtmlTag& tag = tags.emplace_back();
        tag.begin = found.begin;
        tag.end = found.end;
        tag.kind = found.kind;
        tag.name.assign(found.name);
        for (char& ch : tag.name)
            ch = lowered(ch);
    }
    return tags;
}

bool holdSameTags(std::string_view a, std::string_view b)
{
    TagInText inA = nextHtmlTag(a, 0);
    TagInText inB = nextHtmlTag(b, 0);
    for (; inA.end != 0 && inB.end != 0; inA = nextHtmlTag(a, inA.end), inB = nextHtmlTag(b, inB.end)) {
        if (inA.kind != inB.kind || !equalIgnoringCase(inA.name, inB.name))
            return false;
    }
    return inA.end == 0 && inB.end == 0;
}

} // namespace kalmo
