// TCodeMemo: Qt events in, model operations out; see CodeMemo.h.
#include "controls/memo/qt/CodeMemo.h"

#include "controls/qt/AccessibleEvents.h"
#include "controls/qt/QtKeys.h"
#include "controls/memo/qt/MemoAccessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>
#include <QWheelEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <vector>

namespace kalmo {

TCodeMemo::TCodeMemo(QWidget* parent, FontMeasure measure)
    : QWidget(parent)
    , fontPending_(measure == FontMeasure::Later)
{
    // Every pixel is painted by the renderer; a paint skipped during a bulk
    // update keeps what was on screen instead of showing a cleared background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::IBeamCursor);

    verticalBar_ = new QScrollBar(Qt::Vertical, this);
    horizontalBar_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* bar : {verticalBar_, horizontalBar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setCursor(Qt::ArrowCursor);
        bar->hide();
        bar->installEventFilter(this);
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) { onBarAction(bar, action); });
    }

    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    blinkTimer_.setInterval(flashTime > 0 ? flashTime / 2 : 0);
    connect(&blinkTimer_, &QTimer::timeout, this, &TCodeMemo::onBlink);

    execContextMenu = [](QMenu& menu, const QPoint& globalPos) {
        const QAction* chosen = menu.exec(globalPos);
        return chosen != nullptr ? chosen->data().toInt() : 0;
    };

    readingEvents_ = std::make_unique<MemoReadingEvents>(*this);
    model_.setView(this);
    model_.SetClipboard(&clipboard_);
    if (!fontPending_) {
        measureFont();
        renderer_.useGutterFont(model_.Gutter().Font());
    }
    model_.SetBounds(width(), height());
    enabledChanged();
}

TCodeMemo::~TCodeMemo() { model_.setView(nullptr); }

void TCodeMemo::SetEnabled(bool enabled) { model_.SetEnabled(enabled); }

bool TCodeMemo::takesTyping() const { return model_.Enabled() && !model_.ReadOnly(); }

bool TCodeMemo::caretShown() const { return hasFocus() && model_.Enabled() && caretAllowed_ && blinkOn_; }

// The job enables the lower viewer pane through the model, so the model
// tells the widget; the widget itself stays enabled for Qt so that a
// disabled memo paints exactly like an enabled one.
void TCodeMemo::enabledChanged()
{
    const bool enabled = model_.Enabled();
    QAccessible::State changed;
    changed.disabled = changed.readOnly = changed.editable = changed.focusable = true;
    QAccessibleStateChangeEvent stateEvent(this, changed);
    accessible_events::send(stateEvent);
    // A disabled memo takes no input, but Tab still reaches it so that a
    // screen reader can read it, as it reads a read-only text edit. Its
    // window's keys pass through it. Disabled while focused, it gives up the
    // focus, as a disabled control does.
    setFocusPolicy(enabled ? Qt::StrongFocus : Qt::TabFocus);
    if (!enabled && hasFocus())
        clearFocus();
    if (enabled)
        restartBlink();
    update();
}

bool TCodeMemo::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (model_.Enabled() && handlesKey(*key)) {
            key->accept();
            return true;
        }
        key->ignore();
        return true;
    }
    case QEvent::KeyPress: {
        // Tab and Shift+Tab are the memo's own keys, not focus moves, where
        // they can type; a read-only memo lets them move the focus on.
        auto* key = static_cast<QKeyEvent*>(event);
        if (takesTyping() && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            keyPressEvent(key);
            return true;
        }
        break;
    }
    default: break;
    }
    return QWidget::event(event);
}

bool TCodeMemo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != verticalBar_ && watched != horizontalBar_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!model_.Enabled())
            return true;
        setFocus(Qt::MouseFocusReason);
        return false;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return !model_.Enabled();
    case QEvent::Wheel:
        // The wheel scrolls the text the memo's way, wherever the pointer is.
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    default:
        return false;
    }
}

bool TCodeMemo::focusNextPrevChild(bool next)
{
    // Tab belongs to the memo while it takes typing.
    if (takesTyping() && hasFocus())
        return false;
    return QWidget::focusNextPrevChild(next);
}

void TCodeMemo::paintEvent(QPaintEvent* event)
{
    renderer_.useGutterFont(model_.Gutter().Font());
    QPainter painter(this);
    MemoPaintContext context;
    context.palette = palette();
    context.hasFocus = hasFocus() && model_.Enabled();
    context.exposed = event->rect();
    context.devicePixelRatio = devicePixelRatioF();
    renderer_.paint(painter, model_, context);
    if (model_.Lines().UpdateCount() > 0)
        return;
    caretDrawn_ = QRect();
    if (caretShown()) {
        renderer_.paintCaret(painter, model_);
        caretDrawn_ = renderer_.caretRect(model_);
    }
}

void TCodeMemo::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    model_.SetBounds(width(), height());
}

void TCodeMemo::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (model_.LineHeight() == 0)
        measureFont();
    caretAllowed_ = true;
    restartBlink();
    // The selection shows or hides with the focus (HideSelection).
    update();
}

void TCodeMemo::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    blinkTimer_.stop();
    update();
}

// The window's reserved shortcuts go to its menu.
bool TCodeMemo::isReservedShortcut(const QKeyEvent& event) const
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const KeyCode key = toKeyCode(event.key());
    if (key == 0 || (modifiers & Qt::MetaModifier))
        return false;
    const ShortCut pressed = shortCut(key, toShiftState(modifiers));
    return std::find(reservedShortcuts_.begin(), reservedShortcuts_.end(), pressed) != reservedShortcuts_.end();
}

// Keys the memo handles itself, which an application shortcut must not take
// from it while it has the focus. Plain Alt+letter stays with menu mnemonics
// and function keys with the windows.
bool TCodeMemo::handlesKey(const QKeyEvent& event) const
{
    if (isReservedShortcut(event))
        return false;
    const KeyCode key = toKeyCode(event.key());
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (key >= vk::F1 || key == 0 || key == vk::Escape)
        return false;
    if (key >= vk::LetterA && key <= vk::LetterA + 25)
        return (modifiers & Qt::ControlModifier) || !(modifiers & Qt::AltModifier);
    return true;
}

void TCodeMemo::keyPressEvent(QKeyEvent* event)
{
    if (!model_.Enabled()) {
        event->ignore();
        return;
    }
    const KeyCode key = toKeyCode(event->key());
    const std::u32string characters = typedText(*event);
    if (key == 0 && characters.empty()) {
        event->ignore();
        return;
    }
    if (key != 0)
        model_.KeyDown(key, toShiftState(event->modifiers()));
    for (const char32_t ch : characters)
        model_.KeyPress(ch);
    // Escape does nothing in the memo; the window may still want it.
    event->setAccepted(key != vk::Escape);
}

namespace {

std::optional<TMouseButton> memoButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return std::nullopt;
    }
}

} // namespace

void TCodeMemo::mousePressEvent(QMouseEvent* event)
{
    const std::optional<TMouseButton> button = memoButton(event->button());
    if (!model_.Enabled() || !button) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    model_.MouseDown(*button, toShiftState(event->modifiers()), pos.x(), pos.y());
}

void TCodeMemo::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (model_.Enabled())
        model_.MouseMove(toShiftState(event->modifiers()), event->buttons() & Qt::LeftButton, pos.x(), pos.y());
    showCursorShape(model_.CursorAt(pos.x(), pos.y()));
}

void TCodeMemo::mouseReleaseEvent(QMouseEvent* event)
{
    const std::optional<TMouseButton> button = memoButton(event->button());
    if (!model_.Enabled() || !button) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    model_.MouseUp(*button, toShiftState(event->modifiers()), pos.x(), pos.y());
}

void TCodeMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!model_.Enabled() || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    model_.DblClick(pos.x(), pos.y());
}

void TCodeMemo::wheelEvent(QWheelEvent* event)
{
    if (!model_.Enabled()) {
        event->ignore();
        return;
    }
    // A notch is 120; touchpads deliver it in pieces, which add up here.
    wheelRemainder_ -= event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0)
        model_.MouseWheel(notches);
}

void TCodeMemo::contextMenuEvent(QContextMenuEvent* event)
{
    if (!model_.Enabled() || !model_.WantsContextMenuAt(event->pos().x())) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    for (const TMemoMenuItem& item : model_.ContextMenuItems()) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        // A tab puts the shortcut text into the menu's second column.
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setData(item.command);
        action->setEnabled(!item.grayed);
    }
    const int command = execContextMenu ? execContextMenu(menu, event->globalPos()) : 0;
    if (command != 0)
        model_.MenuCommand(command);
}

void TCodeMemo::showCursorShape(TCursorShape shape)
{
    Qt::CursorShape wanted = Qt::IBeamCursor;
    switch (shape) {
    case TCursorShape::crIBeam: wanted = Qt::IBeamCursor; break;
    case TCursorShape::crArrow: wanted = Qt::ArrowCursor; break;
    case TCursorShape::crHandPoint: wanted = Qt::PointingHandCursor; break;
    }
    if (cursor().shape() != wanted)
        setCursor(wanted);
}

void TCodeMemo::restartBlink()
{
    blinkOn_ = true;
    if (hasFocus() && blinkTimer_.interval() > 0)
        blinkTimer_.start();
    updateCaret();
}

void TCodeMemo::onBlink()
{
    blinkOn_ = !blinkOn_;
    update(caretDrawn_.isNull() ? renderer_.caretRect(model_) : caretDrawn_);
}

// --- MemoView -------------------------------------------------------------------

void TCodeMemo::invalidate(bool) { update(); }

void TCodeMemo::invalidateRect(const TRect& rect, bool) { update(toQRect(rect)); }

void TCodeMemo::paintNow() { repaint(); }

void TCodeMemo::updateCaret()
{
    if (!caretDrawn_.isNull())
        update(caretDrawn_);
    if (caretShown())
        update(renderer_.caretRect(model_));
}

void TCodeMemo::setCaretVisible(bool visible)
{
    caretAllowed_ = visible;
    updateCaret();
}

void TCodeMemo::takeFocus()
{
    if (model_.Enabled() && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TCodeMemo::restartCaretBlink() { restartBlink(); }

void TCodeMemo::readingChanged() { readingEvents_->changed(); }

void TCodeMemo::openUrl(const std::string& url)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url)));
}

void TCodeMemo::fontChanged()
{
    if (!measuring_ && !fontPending_)
        measureFont();
}

void TCodeMemo::scrollBarsChanged()
{
    const auto mirror = [](QScrollBar* bar, const TScrollBarState& state, const QRect& rect) {
        const QSignalBlocker block(bar);
        bar->setRange(state.Min, state.LastPosition());
        bar->setPageStep(std::max(1, state.PageSize));
        bar->setSingleStep(1);
        bar->setValue(state.Position);
        bar->setSliderPosition(state.Position);
        if (state.Visible)
            bar->setGeometry(rect);
        bar->setVisible(state.Visible);
    };
    mirror(verticalBar_, model_.VertScrollBar(), verticalBarRect(model_));
    mirror(horizontalBar_, model_.HorzScrollBar(), horizontalBarRect(model_));
}

// --- fonts ------------------------------------------------------------------------

void TCodeMemo::MeasureFont()
{
    if (fontPending_)
        measureFont();
}

void TCodeMemo::measureFont()
{
    fontPending_ = false;
    // Replacing a proportional font changes the model's font, which would
    // ask for this measure again.
    measuring_ = true;
    const MemoRenderer::TextCell cell = renderer_.measureTextFont(model_.Font());
    if (cell.usedFont != model_.Font())
        model_.SetFont(cell.usedFont);
    measuring_ = false;
    model_.SetFontCell(cell.charWidth, cell.lineHeight);
    update();
}

// --- scroll bars ------------------------------------------------------------------

void TCodeMemo::onBarAction(QScrollBar* bar, int action)
{
    TScrollCode code = TScrollCode::scThumbPosition;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::scLineDown; break;
    case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::scLineUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::scPageDown; break;
    case QAbstractSlider::SliderPageStepSub: code = TScrollCode::scPageUp; break;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum: code = TScrollCode::scThumbPosition; break;
    default: return;
    }
    // The slider has already proposed its own new position; the model decides
    // the real one (a page is RowSpan + 1 lines) and the bar is set back to it.
    const int proposed = bar->sliderPosition();
    if (bar == verticalBar_)
        model_.scrollVertically(code, proposed);
    else
        model_.scrollHorizontally(code, proposed);
    const TScrollBarState& state = bar == verticalBar_ ? model_.VertScrollBar() : model_.HorzScrollBar();
    bar->setSliderPosition(state.Position);
}

} // namespace kalmo
