// TEntryEdit: the single-line entry edit as a Qt widget. QLineEdit is the
// edit field itself (caret, selection, painting, undo); the rules around it
// live in EntryEditModel, which this class feeds with focus, enabled, key,
// character and paste events and whose colours it shows through the palette.
#pragma once

#include "controls/edit/EntryEditModel.h"
#include "controls/edit/qt/WavyUnderline.h"

#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace kalmo {

class TEntryEdit : public QLineEdit {
    Q_OBJECT

public:
    // Boolean dynamic property of the top-level window: true when the window
    // sees every key before its controls. Such a window keeps Escape for itself.
    static constexpr const char* KeyPreviewProperty = "KeyPreview";

    explicit TEntryEdit(QWidget* parent = nullptr);

    // UTF-8, without Prefix and Suffix. Use these rather than QLineEdit's
    // setText(): writing Text clears Modified and shows the text from its start.
    std::string Text() const { return model_.Text(); }
    void SetText(const std::string& text);

    ColorValue Color() const { return model_.Color(); }
    void SetColor(ColorValue color);
    // The text colour (Font.Color); the focus rules overwrite and restore it.
    ColorValue FontColor() const { return model_.FontColor(); }
    void SetFontColor(ColorValue color);
    ColorValue FocusColor() const { return model_.FocusColor(); }
    void SetFocusColor(ColorValue color);
    ColorValue FocusFontColor() const { return model_.FocusFontColor(); }
    void SetFocusFontColor(ColorValue color);
    ColorValue FocusBorderColor() const { return model_.FocusBorderColor(); }
    void SetFocusBorderColor(ColorValue color);
    ColorValue DisabledColor() const { return model_.DisabledColor(); }
    void SetDisabledColor(ColorValue color);

    // QWidget::setEnabled() works as well; both reach the model.
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    bool ReadOnly() const { return model_.ReadOnly(); }
    void SetReadOnly(bool readOnly);
    std::int32_t MaxLength() const { return model_.MaxLength(); }
    void SetMaxLength(std::int32_t length);

    bool Modified() const { return model_.Modified(); }
    void SetModified(bool modified) { model_.SetModified(modified); }

    std::string Version() const { return model_.Version(); }
    void SetVersion(std::string_view) {}

    // Around applying a stored layout: the state rules wait until Loaded().
    void BeginLoading() { model_.BeginLoading(); }
    void Loaded();

    // Draws the 1-pixel frame the rules ask for, if any, around `widget`:
    // the field itself or a view of it.
    void PaintFrame(QWidget& widget) const;

    // Rule properties with no counterpart in QLineEdit (AutoSelect, CanUndo,
    // ReturnIsTab, the optional features, ...).
    EntryEditModel& Model() { return model_; }
    const EntryEditModel& Model() const { return model_; }

    // Asks the validation again (Features().ShowError, Model().OnValueValidate)
    // and shows the colours it gives.
    void Revalidate();

    // Stretches of the text (UTF-16 positions) drawn with a wavy red
    // underline: the misspelt words.
    void SetUnderlined(std::vector<TextStretch> stretches);
    const std::vector<TextStretch>& Underlined() const { return underlined_; }

    // Optional callbacks, sender first; unassigned ones are skipped.
    std::function<void(TEntryEdit& sender)> OnChange;
    // May set the character to 0 to drop it.
    std::function<void(TEntryEdit& sender, char32_t& key)> OnKeyPress;
    // The context menu is about to show; position: the text position
    // (UTF-16) under the mouse. Items may be added.
    std::function<void(TEntryEdit& sender, QMenu& menu, int position)> OnContextMenu;

    // The field's context menu at globalPos, for the text position (UTF-16)
    // the mouse points at; a view of the field shows it for its own clicks.
    void ShowContextMenu(const QPoint& globalPos, int position);

public slots:
    // Replaces QLineEdit::paste() for keys and the context menu.
    void Paste();

signals:
    // SetUnderlined changed the stretches: a view of the field shows them too.
    void underlinedChanged();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void apply(const EditReaction& reaction);
    void applyColors();
    // Text margins by which a text with taller scripts is shown whole.
    void fitTextBand();
    OwnerKeyPreview ownerKeyPreview() const;
    void paintUnderlines(QPainter& painter);

    EntryEditModel model_;
    std::vector<TextStretch> underlined_;
};

} // namespace kalmo
