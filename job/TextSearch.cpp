// Case-insensitive search in UTF-8 text; see TextSearch.h.
#include "job/TextSearch.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include <utf8proc.h>

namespace kalmo {

std::string foldedForSearch(std::string_view text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](char ch) { return (ch & 0x80) == 0; });
    if (!ascii) {
        utf8proc_uint8_t* mapped = nullptr;
        const auto length = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
                                         static_cast<utf8proc_ssize_t>(text.size()), &mapped,
                                         static_cast<utf8proc_option_t>(UTF8PROC_CASEFOLD | UTF8PROC_COMPOSE
                                                                        | UTF8PROC_STABLE));
        const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(mapped, &std::free);
        if (length >= 0)
            return std::string(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(length));
    }
    std::string lowered(text);
    for (char& ch : lowered) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return lowered;
}

bool containsIgnoringCase(std::string_view text, std::string_view needle)
{
    return foldedForSearch(text).find(foldedForSearch(needle)) != std::string::npos;
}

} // namespace kalmo
