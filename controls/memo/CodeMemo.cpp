// TCodeMemo: Qt events in, model operations out; see CodeMemo.h.
#include "controls/memo/CodeMemo.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include <cmath>

namespace kalmo {
namespace {

QRect toQRect(const TRect& rect) { return QRect(rect.Left, rect.Top, rect.Width(), rect.Height()); }

bool namesFixedSys(const std::string& name) { return QString::fromStdString(name).compare(QLatin1String("FixedSys"), Qt::CaseInsensitive) == 0; }

// A stored font description as a real font. "FixedSys" is the platform's
// fixed-pitch font; other families go to fontconfig, which substitutes the
// Windows names ("Courier New", "Verdana") with installed lookalikes.
QFont realFont(const TMemoFont& description)
{
    QFont font = namesFixedSys(description.Name) ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                 : QFont(QString::fromStdString(description.Name));
    font.setPixelSize(std::max(1, std::abs(description.Height)));
    font.setBold(description.Bold);
    font.setKerning(false);
    return font;
}

} // namespace

TCodeMemo::TCodeMemo(QWidget* parent)
    : QWidget(parent)
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

    model_.setView(this);
    measureFont();
    refreshGutterFont();
    model_.SetBounds(width(), height());
    syncEnabled();
}

TCodeMemo::~TCodeMemo() { model_.setView(nullptr); }

void TCodeMemo::SetEnabled(bool enabled)
{
    model_.SetEnabled(enabled);
    syncEnabled();
    update();
}

bool TCodeMemo::caretShown() const { return hasFocus() && model_.Enabled() && caretAllowed_ && blinkOn_; }

// The model's Enabled may be written behind the widget's back (the job
// toggles the lower viewer pane), so every event re-reads it; it is cheap.
void TCodeMemo::syncEnabled()
{
    const bool enabled = model_.Enabled();
    if (enabled == mirroredEnabled_)
        return;
    mirroredEnabled_ = enabled;
    setFocusPolicy(enabled ? Qt::StrongFocus : Qt::NoFocus);
    if (enabled)
        restartBlink();
    update();
}

bool TCodeMemo::event(QEvent* event)
{
    syncEnabled();
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
    default:
        return false;
    }
}

bool TCodeMemo::focusNextPrevChild(bool next)
{
    // Tab belongs to the memo while it takes input.
    if (model_.Enabled() && hasFocus())
        return false;
    return QWidget::focusNextPrevChild(next);
}

void TCodeMemo::paintEvent(QPaintEvent* event)
{
    refreshGutterFont();
    QPainter painter(this);
    MemoPaintContext context;
    context.fonts = &fonts_;
    context.palette = palette();
    context.hasFocus = hasFocus();
    context.exposed = event->rect();
    context.devicePixelRatio = devicePixelRatioF();
    renderer_.paint(painter, model_, context);
    if (model_.Lines().UpdateCount() > 0)
        return;
    caretDrawn_ = QRect();
    if (caretShown()) {
        MemoRenderer::paintCaret(painter, model_);
        caretDrawn_ = MemoRenderer::caretRect(model_);
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
    update(caretDrawn_.isNull() ? MemoRenderer::caretRect(model_) : caretDrawn_);
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
        update(MemoRenderer::caretRect(model_));
}

void TCodeMemo::setCaretVisible(bool visible)
{
    caretAllowed_ = visible;
    updateCaret();
}

void TCodeMemo::fontChanged()
{
    if (!measuring_)
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

void TCodeMemo::measureFont()
{
    measuring_ = true;
    TMemoFont description = model_.Font();
    QFont font = realFont(description);
    {
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(QLatin1Char('W')) != metrics.horizontalAdvance(QLatin1Char('i'))) {
            // A proportional font cannot fill a character grid.
            description.Name = "FixedSys";
            font = realFont(description);
            model_.SetFont(description);
        }
    }
    const QFontMetrics metrics(font);
    const int charWidth = metrics.horizontalAdvance(QStringLiteral("W"));
    const int lineHeight = metrics.height() + 1;
    // Glyphs may advance by a fraction of a pixel more or less than the
    // measured cell; spacing them by the difference keeps long runs on the grid.
    const qreal spacing = charWidth - QFontMetricsF(font).horizontalAdvance(QLatin1Char('W'));
    if (std::abs(spacing) > 0.001)
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    fonts_.text = font;
    fonts_.ascent = metrics.ascent();
    fonts_.marginCharWidth = metrics.horizontalAdvance(QStringLiteral("w"));
    measuring_ = false;
    model_.SetFontCell(charWidth, lineHeight);
    update();
}

void TCodeMemo::refreshGutterFont()
{
    if (gutterFontSource_ == model_.Gutter().Font() && fonts_.gutterAscent != 0)
        return;
    gutterFontSource_ = model_.Gutter().Font();
    fonts_.gutter = realFont(gutterFontSource_);
    fonts_.gutterAscent = QFontMetrics(fonts_.gutter).ascent();
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
