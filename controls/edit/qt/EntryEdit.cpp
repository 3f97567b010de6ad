// TEntryEdit: Qt events in, EntryEditModel decisions out; see EntryEdit.h.
#include "controls/edit/qt/EntryEdit.h"

#include "controls/qt/AccessibleEvents.h"
#include "controls/qt/QtColor.h"
#include "controls/qt/LineExtent.h"
#include "controls/qt/QtKeys.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <limits>

namespace kalmo {
namespace {

// The model counts code points; QString indexes UTF-16 units.
int codePointIndex(const QString& text, int utf16Index)
{
    int points = 0;
    for (int i = 0; i < utf16Index && i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate())
            ++points;
    }
    return points;
}

int utf16Index(const QString& text, int codePoints)
{
    int i = 0;
    for (; codePoints > 0 && i < text.size(); --codePoints)
        i += (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
    return i;
}

// The character a key types (Enter 13, Ctrl+C 3, else what the layout
// types); one key press hands the model its first.
std::optional<char32_t> typedCharacter(const QKeyEvent& event)
{
    const std::u32string text = typedText(event);
    if (text.empty())
        return std::nullopt;
    return text.front();
}

// The text margins that show a text whole in the field. The line edit puts
// the baseline where the field's own font wants it, less half of what a
// taller fallback font (Thai, Devanagari) adds to the line, and cuts off
// what rises above its text band: a Thai tone mark over a vowel is lost.
// For such a text the band reaches one pixel further up, and down by twice
// the extra ascent, so that the line sits whole in the field; a text in
// the field's own font keeps the margins it always had.
QMargins marginsShowingWhole(const QString& text, const QFont& font)
{
    const std::optional<LineExtent> extent = lineExtentOf(text, font);
    if (!extent)
        return {};
    const qreal extraAscent = extent->ascent - QFontMetricsF(font).ascent();
    if (extraAscent < 0.5)
        return {};
    return QMargins(0, -1, 0, -1 - static_cast<int>(std::ceil(2 * extraAscent)));
}

} // namespace

TEntryEdit::TEntryEdit(QWidget* parent)
    : QLineEdit(parent)
{
    // QLineEdit cuts every text at 32767 characters unless told otherwise;
    // MaxLength 0 means no limit.
    QLineEdit::setMaxLength(std::numeric_limits<int>::max());
    setAcceptDrops(false);
    setDragEnabled(false);

    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        fitTextBand();
        if (model_.PlatformTextChanged(text.toStdString()) && OnChange)
            OnChange(*this);
    });
    connect(this, &QLineEdit::textEdited, this, [this] { model_.PlatformEdited(); });
    // QLineEdit tells of no caret move that comes with a selection, so a
    // screen reader would keep the caret where it last heard of it (at 0 once
    // a new text is shown) while it stands at the end of the selected text.
    connect(this, &QLineEdit::cursorPositionChanged, this, [this](int, int position) {
        if (hasSelectedText() && accessible_events::listening()) {
            QAccessibleTextCursorEvent moved(this, position);
            accessible_events::send(moved);
        }
    });

    model_.SetEnabled(isEnabled());
    applyColors();
}

void TEntryEdit::SetText(const std::string& text) { apply(model_.SetText(text)); }

void TEntryEdit::SetColor(ColorValue color)
{
    model_.SetColor(color);
    applyColors();
}

void TEntryEdit::SetFontColor(ColorValue color)
{
    model_.SetFontColor(color);
    applyColors();
}

void TEntryEdit::SetFocusColor(ColorValue color)
{
    model_.SetFocusColor(color);
    update();
}

void TEntryEdit::SetFocusFontColor(ColorValue color)
{
    model_.SetFocusFontColor(color);
    update();
}

void TEntryEdit::SetFocusBorderColor(ColorValue color)
{
    model_.SetFocusBorderColor(color);
    update();
}

void TEntryEdit::SetDisabledColor(ColorValue color)
{
    model_.SetDisabledColor(color);
    update();
}

void TEntryEdit::SetReadOnly(bool readOnly)
{
    model_.SetReadOnly(readOnly);
    setReadOnly(readOnly);
}

void TEntryEdit::SetMaxLength(std::int32_t length)
{
    model_.SetMaxLength(length);
    QLineEdit::setMaxLength(length > 0 ? length : std::numeric_limits<int>::max());
}

void TEntryEdit::Loaded()
{
    model_.Loaded();
    applyColors();
}

void TEntryEdit::Paste()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    std::optional<std::string> clipboardText;
    if (data && data->hasText())
        clipboardText = clipboard->text().toStdString();

    const QString shown = QLineEdit::text();
    TextSelection current{codePointIndex(shown, cursorPosition()), 0};
    if (hasSelectedText()) {
        current.start = codePointIndex(shown, selectionStart());
        current.length = codePointIndex(shown, selectionEnd()) - current.start;
    }
    apply(model_.Paste(clipboardText, current));
}

bool TEntryEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Menus are offered every key before the control, so the edit never
        // claims one here (QLineEdit would, for Ctrl+X and Ctrl+A). A key that
        // no shortcut takes still arrives as an ordinary key press.
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void TEntryEdit::keyPressEvent(QKeyEvent* event)
{
    const ShiftState shift = toShiftState(event->modifiers());
    const EditReaction down = model_.KeyDown(toKeyCode(event->key()), shift, ownerKeyPreview());
    apply(down);
    if (down.swallowKey) {
        if (down.focusNext)
            focusNextChild();
        event->setAccepted(!down.passToParent);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    if (const std::optional<char32_t> character = typedCharacter(*event)) {
        const EditReaction press = model_.KeyPress(*character, shift);
        char32_t offered = *character;
        if ((press.offerKeyPress || !press.swallowKey) && OnKeyPress)
            OnKeyPress(*this, offered);
        apply(press);
        // Accepted, so that a swallowed Enter is not handed on to the parent window as well.
        if (press.swallowKey || offered == 0) {
            event->accept();
            return;
        }
    }
    const QString typeable = QString::fromStdString(typeableText(event->text().toStdString()));
    if (typeable == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The same key without the control characters of its text: QLineEdit
    // checks only the first character before inserting all of it.
    QKeyEvent withoutControls(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                              event->nativeVirtualKey(), event->nativeModifiers(), typeable, event->isAutoRepeat(),
                              event->count(), event->device());
    QLineEdit::keyPressEvent(&withoutControls);
    event->setAccepted(withoutControls.isAccepted());
}

void TEntryEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString typeable = QString::fromStdString(typeableText(event->commitString().toStdString()));
    if (typeable == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // An input method commits whatever it composed (Ctrl+Shift+U 0 gives a
    // NUL) and QLineEdit inserts it unchecked.
    QInputMethodEvent withoutControls(event->preeditString(), event->attributes());
    withoutControls.setCommitString(typeable, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&withoutControls);
    event->setAccepted(withoutControls.isAccepted());
}

void TEntryEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A closing pop-up menu gives the focus back without the focus having
    // left, as menus on other platforms never take it.
    if (event->reason() != Qt::PopupFocusReason)
        apply(model_.FocusGained(event->reason() == Qt::ActiveWindowFocusReason ? FocusCause::windowActivated
                                                                                : FocusCause::withinWindow));
}

void TEntryEdit::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason) {
        model_.FocusLost();
        applyColors();
    }
    QLineEdit::focusOutEvent(event);
}

void TEntryEdit::fitTextBand()
{
    const QMargins wanted = marginsShowingWhole(QLineEdit::text(), font());
    if (wanted != textMargins())
        setTextMargins(wanted);
}

void TEntryEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitTextBand();
    if (event->type() == QEvent::EnabledChange) {
        model_.SetEnabled(isEnabled());
        applyColors();
    }
}

void TEntryEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    {
        QPainter painter(this);
        paintUnderlines(painter);
    }
    PaintFrame(*this);
}

void TEntryEdit::PaintFrame(QWidget& widget) const
{
    if (const std::optional<ColorValue> frame = model_.FrameColor()) {
        QPainter painter(&widget);
        painter.setPen(toQColor(*frame, QApplication::palette(this)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
    }
}

void TEntryEdit::contextMenuEvent(QContextMenuEvent* event)
{
    ShowContextMenu(event->globalPos(), cursorPositionAt(event->pos()));
}

void TEntryEdit::ShowContextMenu(const QPoint& globalPos, int position)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The stock menu names its entries only by their text, which ends in the
    // shortcut ("&Paste\tCtrl+V").
    const QString pasteKeys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (action->text().endsWith(QLatin1Char('\t') + pasteKeys)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TEntryEdit::Paste);
        }
    }
    if (OnContextMenu)
        OnContextMenu(*this, *menu, position);
    menu->popup(globalPos);
}

void TEntryEdit::Revalidate()
{
    model_.UpdateErrorState();
    applyColors();
}

void TEntryEdit::SetUnderlined(std::vector<TextStretch> stretches)
{
    if (stretches == underlined_)
        return;
    underlined_ = std::move(stretches);
    update();
    emit underlinedChanged();
}

// QLineEdit lays its text out on one line and scrolls it; the cursor's
// rectangle tells where that line stands (its x is the cursor's less 5, its
// top the line's top), so a layout of the same text lines up with it.
void TEntryEdit::paintUnderlines(QPainter& painter)
{
    if (underlined_.empty())
        return;
    QTextLayout layout(QLineEdit::text(), font());
    QTextOption option;
    option.setTextDirection(layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    const QRect cursor = cursorRect();
    const QPointF origin(cursor.x() + 5 - line.cursorToX(cursorPosition()), cursor.y());
    painter.setClipRect(contentsRect());
    // On the error colour a red line would vanish: it takes the text's colour there.
    const QPalette reference = QApplication::palette(this);
    const bool onRed = toQColor(model_.ShownColor(), reference) == QColor(Qt::red);
    paintWavyUnderlines(painter, layout, origin, underlined_,
                        onRed ? toQColor(model_.ShownFontColor(), reference) : QColor(Qt::red));
    painter.setClipping(false);
}

void TEntryEdit::apply(const EditReaction& reaction)
{
    if (reaction.showText)
        QLineEdit::setText(QString::fromStdString(*reaction.showText));
    if (reaction.select) {
        const QString shown = QLineEdit::text();
        const int start = utf16Index(shown, reaction.select->start);
        if (reaction.select->length > 0)
            setSelection(start, utf16Index(shown, reaction.select->start + reaction.select->length) - start);
        else
            setCursorPosition(start);
    }
    applyColors();
    if (reaction.raiseChange && OnChange)
        OnChange(*this);
}

void TEntryEdit::applyColors()
{
    // System colours are looked up in the application's palette, not in our
    // own, which already holds the colour they are to replace.
    const QPalette reference = QApplication::palette(this);
    const QColor background = toQColor(model_.ShownColor(), reference);
    const QColor text = toQColor(model_.ShownFontColor(), reference);
    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colors.setColor(group, QPalette::Base, background);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        colors.setColor(group, QPalette::Text, text);
    // Disabled text in the platform's grey text colour: the toolkit's own
    // light grey all but vanishes on the silver disabled background.
    colors.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6D, 0x6D, 0x6D));
    if (colors != palette())
        setPalette(colors);
    update();
}

OwnerKeyPreview TEntryEdit::ownerKeyPreview() const
{
    const QWidget* owner = window();
    if (owner == this)
        return OwnerKeyPreview::noOwner;
    return owner->property(KeyPreviewProperty).toBool() ? OwnerKeyPreview::on : OwnerKeyPreview::off;
}

} // namespace kalmo
