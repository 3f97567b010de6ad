// TEntryArea: the field's editing shown wrapped; see EntryArea.h.
#include "controls/edit/qt/EntryArea.h"

#include "controls/edit/qt/EntryEdit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace kalmo {

TEntryArea::TEntryArea(TEntryEdit& field, QWidget* parent)
    : QPlainTextEdit(parent)
    , field_(field)
{
    setReadOnly(true);
    // Read-only keeps the area's own text to what the field holds; the
    // caret is shown all the same, and an input method's text reaches the
    // field through the area.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setFocusPolicy(field_.focusPolicy());
    setAccessibleName(field_.accessibleName());
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptDrops(false);

    connect(&field_, &QLineEdit::textChanged, this, &TEntryArea::showFieldText);
    connect(&field_, &QLineEdit::cursorPositionChanged, this, &TEntryArea::showFieldSelection);
    connect(&field_, &QLineEdit::selectionChanged, this, &TEntryArea::showFieldSelection);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TEntryArea::takeSelection);
    connect(this, &QPlainTextEdit::selectionChanged, this, &TEntryArea::takeSelection);
    connect(&field_, &TEntryEdit::underlinedChanged, this, &TEntryArea::showFieldUnderlines);
    field_.installEventFilter(this);
    showFieldLook();
    showFieldText();
}

QVariant TEntryArea::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return field_.isEnabled() && !field_.isReadOnly();
    case Qt::ImReadOnly: return field_.isReadOnly();
    default: return QPlainTextEdit::inputMethodQuery(query);
    }
}

bool TEntryArea::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The field decides which keys it claims before the menus.
        return toField(event);
    case QEvent::Paint: {
        const bool done = QPlainTextEdit::event(event);
        field_.PaintFrame(*this);
        return done;
    }
    default: return QPlainTextEdit::event(event);
    }
}

bool TEntryArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &field_) {
        switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::FontChange:
        case QEvent::EnabledChange:
        case QEvent::ReadOnlyChange: showFieldLook(); break;
        default: break;
        }
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

// Tab and Shift+Tab never get here: they move the focus on as in the field.
void TEntryArea::keyPressEvent(QKeyEvent* event) { toField(event); }

void TEntryArea::inputMethodEvent(QInputMethodEvent* event) { toField(event); }

void TEntryArea::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    toField(event);
}

void TEntryArea::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    toField(event);
}

void TEntryArea::contextMenuEvent(QContextMenuEvent* event)
{
    // The field would read the mouse's place in its own one line.
    field_.ShowContextMenu(event->globalPos(), cursorForPosition(event->pos()).position());
}

void TEntryArea::showEvent(QShowEvent* event)
{
    QPlainTextEdit::showEvent(event);
    field_.Model().SetPasteOnOneLine(true);
}

void TEntryArea::hideEvent(QHideEvent* event)
{
    QPlainTextEdit::hideEvent(event);
    field_.Model().SetPasteOnOneLine(false);
}

bool TEntryArea::toField(QEvent* event) { return static_cast<QObject&>(field_).event(event); }

void TEntryArea::showFieldText()
{
    const QString text = field_.QLineEdit::text();
    const QString shown = document()->toRawText();
    if (text != shown) {
        // Only the changed middle is replaced, so that typing leaves the
        // lines above where they are on screen.
        const qsizetype common = std::min(text.size(), shown.size());
        qsizetype prefix = 0;
        while (prefix < common && text[prefix] == shown[prefix])
            ++prefix;
        if (prefix > 0 && text[prefix - 1].isHighSurrogate())
            --prefix;
        qsizetype suffix = 0;
        while (suffix < common - prefix && text[text.size() - 1 - suffix] == shown[shown.size() - 1 - suffix])
            ++suffix;
        if (suffix > 0 && text[text.size() - suffix].isLowSurrogate())
            --suffix;
        QTextCursor change(document());
        change.setPosition(static_cast<int>(prefix));
        change.setPosition(static_cast<int>(shown.size() - suffix), QTextCursor::KeepAnchor);
        following_ = true;
        change.insertText(text.mid(prefix, text.size() - prefix - suffix));
        following_ = false;
    }
    showFieldUnderlines();
    showFieldSelection();
}

void TEntryArea::showFieldSelection()
{
    if (following_)
        return;
    const int end = document()->characterCount() - 1;
    const int caret = std::clamp(field_.cursorPosition(), 0, end);
    int anchor = caret;
    if (field_.hasSelectedText())
        anchor = field_.cursorPosition() == field_.selectionStart() ? field_.selectionEnd() : field_.selectionStart();
    anchor = std::clamp(anchor, 0, end);
    QTextCursor cursor = textCursor();
    if (cursor.anchor() == anchor && cursor.position() == caret)
        return;
    cursor.setPosition(anchor);
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    following_ = true;
    setTextCursor(cursor);
    following_ = false;
    ensureCursorVisible();
}

void TEntryArea::takeSelection()
{
    if (following_)
        return;
    const QTextCursor cursor = textCursor();
    following_ = true;
    if (cursor.hasSelection())
        field_.setSelection(cursor.anchor(), cursor.position() - cursor.anchor());
    else
        field_.setCursorPosition(cursor.position());
    following_ = false;
    // The field may keep another caret than asked for; the area shows its.
    showFieldSelection();
}

void TEntryArea::showFieldUnderlines()
{
    const int end = document()->characterCount() - 1;
    // On the error colour a red line would vanish: it takes the text's colour there.
    const QPalette& look = field_.palette();
    const QColor line = look.color(QPalette::Base) == QColor(Qt::red) ? look.color(QPalette::Text) : QColor(Qt::red);
    QList<QTextEdit::ExtraSelection> marks;
    for (const TextStretch& stretch : field_.Underlined()) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(std::clamp(stretch.start, 0, end));
        mark.cursor.setPosition(std::clamp(stretch.start + stretch.length, 0, end), QTextCursor::KeepAnchor);
        mark.format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        mark.format.setUnderlineColor(line);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void TEntryArea::showFieldLook()
{
    setPalette(field_.palette());
    setFont(field_.font());
    setEnabled(field_.isEnabled());
    showFieldUnderlines();
    update();
}

} // namespace kalmo
