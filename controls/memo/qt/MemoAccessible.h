// The memo to assistive technology: a multi-line text whose reading text,
// caret and selection come from the model (MemoReadingText), and the events
// that tell a screen reader when they change. The memo paints its own text,
// so Qt cannot supply either by itself. It reads as a QPlainTextEdit does:
// editable while the memo takes typing, otherwise a read-only text that Tab
// still reaches (a disabled memo included, so that the viewer's panes can be
// read).
#pragma once

#include "controls/memo/MemoReadingText.h"

#include <QAccessibleWidget>
#include <QString>
#include <QTimer>

namespace kalmo {

class TCodeMemo;
class TCustomCodeMemo;

class MemoAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
public:
    explicit MemoAccessible(TCodeMemo* memo);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface, in offsets of the reading text
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;

    // QAccessibleEditableTextInterface: always offered, as a text edit does;
    // nothing changes while the memo does not take typing.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    TCustomCodeMemo& model() const;
    bool takesTyping() const;
    // Selects the range and puts `text` in its place.
    void replaceRange(int startOffset, int endOffset, const QString& text);
};

// Sends the text, selection and caret events of one memo. The model reports
// every change that may alter them; the events go out once the model's
// operation has finished, compared with what was last announced, so that a
// command's intermediate steps are not read out. Nothing is computed while
// no assistive technology listens.
class MemoReadingEvents : private QAccessible::ActivationObserver {
public:
    explicit MemoReadingEvents(TCodeMemo& memo);
    ~MemoReadingEvents() override;
    MemoReadingEvents(const MemoReadingEvents&) = delete;
    MemoReadingEvents& operator=(const MemoReadingEvents&) = delete;

    void changed();

private:
    void accessibilityActiveChanged(bool active) override;
    void remember();
    void announce();

    TCodeMemo& memo_;
    QTimer timer_;
    bool known_ = false;
    QString text_;
    int caret_ = 0;
    ReadingRange selection_;
};

} // namespace kalmo
