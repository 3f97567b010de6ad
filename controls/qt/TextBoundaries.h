// The piece of a plain text around an offset (character, word, line,
// sentence) as a QPlainTextEdit's accessible interface finds it, for widgets
// that draw their own text. Qt's default for such widgets looks for line-break
// opportunities when asked for a word and answers "('_TITLE', '" where a
// text edit answers "_TITLE"; screen readers read words that way.
#pragma once

#include <QAccessible>
#include <QString>

namespace kalmo::text_boundaries {

// [first, second) in UTF-16 offsets of `text`; the offset is clamped to the text.
using Range = QPair<int, int>;

Range at(const QString& text, int offset, QAccessible::TextBoundaryType type);
// The piece that ends where the one at `offset` starts, and the one that
// starts where it ends; an empty range at the text's edge.
Range before(const QString& text, int offset, QAccessible::TextBoundaryType type);
Range after(const QString& text, int offset, QAccessible::TextBoundaryType type);

} // namespace kalmo::text_boundaries
