// HTML character references in a text and the names of HTML 4; see Entities.h.
#include "job/checks/Entities.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace kalmo {
namespace {

// The Latin-1 names, for U+00A0 to U+00FF in order.
constexpr std::array<std::string_view, 96> kLatin1Names{
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// The Greek letters, from U+0391 (capitals) and U+03B1 (small); U+03A2 has
// no capital, so its place holds the final sigma's name only among the small.
constexpr std::array<std::string_view, 25> kGreekNames{
    "Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta",     "Theta", "Iota",
    "Kappa", "Lambda", "Mu", "Nu",     "Xi",      "Omicron", "Pi",   "Rho",   "",
    "Sigma", "Tau",  "Upsilon", "Phi", "Chi",     "Psi",  "Omega"};

constexpr std::array<std::pair<std::string_view, char32_t>, 109> kOtherNames{{
    {"quot", 34},      {"amp", 38},       {"apos", 39},      {"lt", 60},        {"gt", 62},
    {"OElig", 338},    {"oelig", 339},    {"Scaron", 352},   {"scaron", 353},   {"Yuml", 376},
    {"fnof", 402},     {"circ", 710},     {"tilde", 732},    {"sigmaf", 962},   {"thetasym", 977},
    {"upsih", 978},    {"piv", 982},      {"ensp", 8194},    {"emsp", 8195},    {"thinsp", 8201},
    {"zwnj", 8204},    {"zwj", 8205},     {"lrm", 8206},     {"rlm", 8207},     {"ndash", 8211},
    {"mdash", 8212},   {"lsquo", 8216},   {"rsquo", 8217},   {"sbquo", 8218},   {"ldquo", 8220},
    {"rdquo", 8221},   {"bdquo", 8222},   {"dagger", 8224},  {"Dagger", 8225},  {"bull", 8226},
    {"hellip", 8230},  {"permil", 8240},  {"prime", 8242},   {"Prime", 8243},   {"lsaquo", 8249},
    {"rsaquo", 8250},  {"oline", 8254},   {"frasl", 8260},   {"euro", 8364},    {"image", 8465},
    {"weierp", 8472},  {"real", 8476},    {"trade", 8482},   {"alefsym", 8501}, {"larr", 8592},
    {"uarr", 8593},    {"rarr", 8594},    {"darr", 8595},    {"harr", 8596},    {"crarr", 8629},
    {"lArr", 8656},    {"uArr", 8657},    {"rArr", 8658},    {"dArr", 8659},    {"hArr", 8660},
    {"forall", 8704},  {"part", 8706},    {"exist", 8707},   {"empty", 8709},   {"nabla", 8711},
    {"isin", 8712},    {"notin", 8713},   {"ni", 8715},      {"prod", 8719},    {"sum", 8721},
    {"minus", 8722},   {"lowast", 8727},  {"radic", 8730},   {"prop", 8733},    {"infin", 8734},
    {"ang", 8736},     {"and", 8743},     {"or", 8744},      {"cap", 8745},     {"cup", 8746},
    {"int", 8747},     {"there4", 8756},  {"sim", 8764},     {"cong", 8773},    {"asymp", 8776},
    {"ne", 8800},      {"equiv", 8801},   {"le", 8804},      {"ge", 8805},      {"sub", 8834},
    {"sup", 8835},     {"nsub", 8836},    {"sube", 8838},    {"supe", 8839},    {"oplus", 8853},
    {"otimes", 8855},  {"perp", 8869},    {"sdot", 8901},    {"lceil", 8968},   {"rceil", 8969},
    {"lfloor", 8970},  {"rfloor", 8971},  {"lang", 9001},    {"rang", 9002},    {"loz", 9674},
    {"spades", 9824},  {"clubs", 9827},   {"hearts", 9829},  {"diams", 9830},
}};

bool isAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool isHexDigit(char ch) { return isDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'); }

int hexValue(char ch) { return isDigit(ch) ? ch - '0' : (ch | 0x20) - 'a' + 10; }

// "&#…": the reference from `at` on, malformed when no digits or no ";" follow.
EntityReference numericReference(std::string_view text, std::size_t at)
{
    std::size_t p = at + 2;
    const bool hex = p < text.size() && (text[p] == 'x' || text[p] == 'X');
    if (hex)
        ++p;
    const std::size_t digitsStart = p;
    std::uint32_t value = 0;
    while (p < text.size() && (hex ? isHexDigit(text[p]) : isDigit(text[p]))) {
        value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(hexValue(text[p])),
                                        0x110000);
        ++p;
    }
    const bool closed = p < text.size() && text[p] == ';';
    EntityReference reference{at, closed ? p + 1 : p, std::nullopt, true};
    if (closed && p > digitsStart && value > 0 && value < 0x110000 && (value < 0xD800 || value > 0xDFFF)) {
        reference.character = static_cast<char32_t>(value);
        reference.malformed = false;
    }
    return reference;
}

} // namespace

std::optional<char32_t> namedEntityCharacter(std::string_view name)
{
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i)
        if (kLatin1Names[i] == name)
            return static_cast<char32_t>(0xA0 + i);
    for (std::size_t i = 0; i < kGreekNames.size(); ++i) {
        if (kGreekNames[i].empty())
            continue;
        if (kGreekNames[i] == name)
            return static_cast<char32_t>(0x391 + i);
        // The small letter's name starts in lower case.
        if (name.size() == kGreekNames[i].size() && name[0] == (kGreekNames[i][0] | 0x20)
            && name.substr(1) == kGreekNames[i].substr(1))
            return static_cast<char32_t>(0x3B1 + i);
    }
    for (const auto& [known, character] : kOtherNames)
        if (known == name)
            return character;
    return std::nullopt;
}

std::vector<EntityReference> entitiesOf(std::string_view text)
{
    std::vector<EntityReference> references;
    for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
        if (at + 1 < text.size() && text[at + 1] == '#') {
            references.push_back(numericReference(text, at));
            continue;
        }
        std::size_t p = at + 1;
        while (p < text.size() && (isAsciiLetter(text[p]) || isDigit(text[p])))
            ++p;
        if (p == at + 1)
            continue;
        const std::string_view name = text.substr(at + 1, p - at - 1);
        const std::optional<char32_t> character = namedEntityCharacter(name);
        if (p < text.size() && text[p] == ';')
            references.push_back({at, p + 1, character, false});
        else if (character)
            references.push_back({at, p, std::nullopt, true}); // "&amp" with its ";" forgotten
    }
    return references;
}

} // namespace kalmo
