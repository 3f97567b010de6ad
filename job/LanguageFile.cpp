#include "job/LanguageFile.h"

#include "job/FileAccess.h"

namespace kalmo {

LanguageFile readLanguageFile(const std::string& path)
{
    const std::string bytes = readWholeFile(path);
    const std::string_view content = contentBeforeNul(bytes);
    LanguageFile file;
    file.encoding = detectEncoding(content);
    file.lines = splitLines(toUtf8(content, file.encoding));
    return file;
}

void writeLanguageFile(const std::string& path, const LineList& lines, TextEncoding encoding)
{
    writeFileSafely(path, fromUtf8(joinLines(lines), encoding));
}

} // namespace kalmo
