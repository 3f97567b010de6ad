// Text pieces around an offset, found as a text edit finds them; see TextBoundaries.h.
#include "controls/qt/TextBoundaries.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace kalmo::text_boundaries {

Range at(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const int length = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, length);
    if (type == QAccessible::NoBoundary)
        return {0, length};
    // Every piece but the whole text stops at a line break, so the document
    // Qt's word rules need holds only the offset's line and its break (the
    // character at the line's end): a long file costs no more than one line.
    const int lineStart = offset == 0 ? 0 : static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'), offset);
    const qsizetype lineEnd = lineBreak < 0 ? length : lineBreak + 1;
    QTextDocument line;
    QTextCursor cursor(&line);
    cursor.insertText(text.mid(lineStart, lineEnd - lineStart));
    cursor.setPosition(offset - lineStart);
    const Range found = QAccessible::qAccessibleTextBoundaryHelper(cursor, type);
    return {lineStart + found.first, lineStart + found.second};
}

Range before(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const Range current = at(text, offset, type);
    if (current.first == 0)
        return {0, 0};
    return at(text, current.first - 1, type);
}

Range after(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const Range current = at(text, offset, type);
    const int length = static_cast<int>(text.size());
    if (current.second >= length)
        return {length, length};
    return at(text, current.second, type);
}

} // namespace kalmo::text_boundaries
