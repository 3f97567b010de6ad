// A read-only text that breaks at word boundaries, and inside a word too long
// for a line, and that the mouse and the keyboard can select: the main
// window's source text when it has room for more than one line, and the
// sidebar's texts. Placed by a layout it asks for the height of its text at
// its width; given a place, it scrolls what does not fit.
#pragma once

#include <QTextEdit>

namespace kalmo {

class WrappedText : public QTextEdit {
    Q_OBJECT

public:
    explicit WrappedText(QWidget* parent = nullptr);

    // Shown as it is: no markup, every character kept.
    void SetText(const QString& text);
    QString Text() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Layouts ask for the same width again and again; measuring is a layout
    // of the whole text.
    mutable int measuredWidth_ = -1;
    mutable int measuredHeight_ = 0;
};

} // namespace kalmo
