// The glass button's accessible interface; see GlassButtonAccessible.h.
#include "controls/glass/qt/GlassButtonAccessible.h"

#include "controls/glass/qt/GlassButton.h"

#include <QKeySequence>

namespace kalmo {

GlassButtonAccessible::GlassButtonAccessible(TGlassButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TGlassButton* GlassButtonAccessible::button() const { return static_cast<TGlassButton*>(widget()); }

QString GlassButtonAccessible::text(QAccessible::Text t) const
{
    const GlassButtonModel& model = button()->model();
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return QString::fromStdString(CaptionText(model.Caption()));
    case QAccessible::Accelerator:
        if (const char32_t key = CaptionAccelerator(model.Caption()); key != 0)
            return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(QChar::toUpper(key))))
                .toString(QKeySequence::NativeText);
        return QString();
    default: return QAccessibleWidget::text(t);
    }
}

QAccessible::State GlassButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const GlassButtonModel& model = button()->model();
    state.disabled = !model.Enabled();
    state.pressed = model.IsPressed() || model.Down();
    // Code and the keyboard can focus it even without a tab stop.
    state.focusable = model.Enabled();
    state.focused = widget()->hasFocus();
    return state;
}

QStringList GlassButtonAccessible::actionNames() const
{
    QStringList names{QAccessibleActionInterface::pressAction()};
    names << QAccessibleWidget::actionNames();
    names.removeDuplicates();
    return names;
}

void GlassButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == QAccessibleActionInterface::pressAction()) {
        if (button()->model().Enabled())
            button()->model().Click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

} // namespace kalmo
