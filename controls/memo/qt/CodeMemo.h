// TCodeMemo: the code memo as a Qt widget. It owns the model
// (TCustomCodeMemo, reached through model()), measures the memo font into
// the model's cell size, mirrors the model's scroll-bar state onto two child
// QScrollBars, draws the caret, turns Qt input into the model's operations
// and hands painting to MemoRenderer. Every rule lives in the model.
#pragma once

#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/qt/MemoRenderer.h"
#include "controls/memo/qt/QtMemoClipboard.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QMenu;
class QScrollBar;

namespace kalmo {

class MemoReadingEvents;

class TCodeMemo : public QWidget, private MemoView {
    Q_OBJECT

public:
    // Later leaves the font unmeasured (the model's cell size 0) until
    // MeasureFont(), the first focus or a font change after it: for a memo
    // that stays hidden at first, since measuring loads its fonts.
    enum class FontMeasure { Now, Later };

    explicit TCodeMemo(QWidget* parent = nullptr, FontMeasure measure = FontMeasure::Now);
    ~TCodeMemo() override;

    // Measures the font if it is still unmeasured.
    void MeasureFont();

    // Settings, lines and caret operations. A window layout is applied to the
    // model directly (applyViewerPaneLayout(memo->model()), ...); the widget
    // follows through the model's view requests.
    TCustomCodeMemo& model() { return model_; }
    const TCustomCodeMemo& model() const { return model_; }

    // The model's Enabled. A disabled memo stays enabled for Qt, so that it
    // (and its scroll bars) paint exactly as an enabled one, and refuses
    // input itself; only Tab can focus it. Use this rather than
    // QWidget::setEnabled().
    bool Enabled() const { return model_.Enabled(); }
    void SetEnabled(bool enabled);

    // Enabled and not read-only: Tab types a tab instead of moving the
    // focus, and assistive technology may edit the text.
    bool takesTyping() const;

    const MemoFonts& fonts() const { return renderer_.fonts(); }
    QScrollBar* verticalScrollBar() const { return verticalBar_; }
    QScrollBar* horizontalScrollBar() const { return horizontalBar_; }
    // True while the caret is drawn (focus, enabled, in its visible blink phase).
    bool caretShown() const;
    // Where the caret is drawn when shown: where its logical column appears.
    QRect caretRect() { return renderer_.caretRect(model_); }

    // The right-click menu as built for the model's items; replaceable so
    // that tests can inspect it instead of waiting in a modal loop. Returns
    // the chosen item's command, or 0.
    std::function<int(QMenu& menu, const QPoint& globalPos)> execContextMenu;

    // The shortcuts the window's menu takes even while the memo has the
    // focus, in the menu shortcuts' form; the program tells every memo.
    void SetReservedShortcuts(std::vector<ShortCut> shortcuts) { reservedShortcuts_ = std::move(shortcuts); }

    QSize sizeHint() const override { return QSize(300, 200); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // MemoView
    void invalidate(bool erase) override;
    void invalidateRect(const TRect& rect, bool erase) override;
    void paintNow() override;
    void updateCaret() override;
    void setCaretVisible(bool visible) override;
    void fontChanged() override;
    void scrollBarsChanged() override;
    void takeFocus() override;
    void restartCaretBlink() override;
    void openUrl(const std::string& url) override;
    void enabledChanged() override;
    void readingChanged() override;

    void measureFont();
    void restartBlink();
    void onBlink();
    void onBarAction(QScrollBar* bar, int action);
    void showCursorShape(TCursorShape shape);
    bool isReservedShortcut(const QKeyEvent& event) const;
    bool handlesKey(const QKeyEvent& event) const;

    TCustomCodeMemo model_;
    QtMemoClipboard clipboard_;
    MemoRenderer renderer_;
    QScrollBar* verticalBar_ = nullptr;
    QScrollBar* horizontalBar_ = nullptr;
    QTimer blinkTimer_;
    bool blinkOn_ = true;
    bool caretAllowed_ = true;
    QRect caretDrawn_;
    bool measuring_ = false;
    bool fontPending_ = false;
    int wheelRemainder_ = 0;
    std::vector<ShortCut> reservedShortcuts_;
    std::unique_ptr<MemoReadingEvents> readingEvents_;
};

} // namespace kalmo
