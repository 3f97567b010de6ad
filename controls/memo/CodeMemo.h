// TCodeMemo: the code memo as a Qt widget. It owns the model
// (TCustomCodeMemo, reached through model()), measures the memo font into
// the model's cell size, mirrors the model's scroll-bar state onto two child
// QScrollBars, draws the caret, turns Qt input into the model's operations
// and hands painting to MemoRenderer. Every rule lives in the model.
#pragma once

#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/MemoRenderer.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QScrollBar;

namespace kalmo {

class QtMemoClipboard;

class TCodeMemo : public QWidget, private MemoView {
    Q_OBJECT

public:
    explicit TCodeMemo(QWidget* parent = nullptr);
    ~TCodeMemo() override;

    // Settings, lines and caret operations. A window layout is applied to the
    // model directly (applyViewerPaneLayout(memo->model()), ...); the widget
    // follows through the model's view requests.
    TCustomCodeMemo& model() { return model_; }
    const TCustomCodeMemo& model() const { return model_; }

    // The model's Enabled. A disabled memo stays enabled for Qt, so that it
    // (and its scroll bars) paint exactly as an enabled one, and refuses focus
    // and input itself. Use this rather than QWidget::setEnabled().
    bool Enabled() const { return model_.Enabled(); }
    void SetEnabled(bool enabled);

    const MemoFonts& fonts() const { return fonts_; }
    QScrollBar* verticalScrollBar() const { return verticalBar_; }
    QScrollBar* horizontalScrollBar() const { return horizontalBar_; }
    // True while the caret is drawn (focus, enabled, in its visible blink phase).
    bool caretShown() const;

    QSize sizeHint() const override { return QSize(300, 200); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // MemoView
    void invalidate(bool erase) override;
    void invalidateRect(const TRect& rect, bool erase) override;
    void paintNow() override;
    void updateCaret() override;
    void setCaretVisible(bool visible) override;
    void fontChanged() override;
    void scrollBarsChanged() override;

    void measureFont();
    void refreshGutterFont();
    void syncEnabled();
    void restartBlink();
    void onBlink();
    void onBarAction(QScrollBar* bar, int action);

    TCustomCodeMemo model_;
    MemoRenderer renderer_;
    MemoFonts fonts_;
    TMemoFont gutterFontSource_;
    QScrollBar* verticalBar_ = nullptr;
    QScrollBar* horizontalBar_ = nullptr;
    QTimer blinkTimer_;
    bool blinkOn_ = true;
    bool caretAllowed_ = true;
    QRect caretDrawn_;
    bool measuring_ = false;
    bool mirroredEnabled_ = true;
};

} // namespace kalmo
