// TEntryArea: the entry edit shown over several lines, wrapped, so that a
// long value is read and edited whole. It is a view of a TEntryEdit, which
// stays the one editor: every key, input-method text, focus change and
// context menu goes to the field and its rules, and the area shows the
// field's text, caret, selection, colours and state. A click or a drag in
// the area places the field's caret and selection. While the area is shown
// a paste puts its lines on one line: the value is one line of the file.
#pragma once

#include <QPlainTextEdit>

namespace kalmo {

class TEntryEdit;

class TEntryArea : public QPlainTextEdit {
    Q_OBJECT

public:
    // The field lives at least as long as the area.
    explicit TEntryArea(TEntryEdit& field, QWidget* parent = nullptr);

    TEntryEdit& Field() const { return field_; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Straight to the field's own handlers: through the application the
    // event would pass the filters again and climb to the window twice.
    bool toField(QEvent* event);
    void showFieldText();
    void showFieldSelection();
    void takeSelection();
    void showFieldLook();
    // The field's misspelt words, with the wavy line a text edit draws.
    void showFieldUnderlines();

    TEntryEdit& field_;
    // Set while one side follows the other, so the change is not sent back.
    bool following_ = false;
};

} // namespace kalmo
