// The status bar's panels and how they read; see StatusPanel.h.
#include "app/StatusPanel.h"

#include "controls/qt/AccessibleEvents.h"

namespace kalmo {

StatusPanel::StatusPanel(const QString& what, QWidget* parent)
    : QLabel(parent)
    , what_(what)
{
}

void StatusPanel::SetText(const QString& text)
{
    if (text == this->text())
        return;
    setText(text);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    accessible_events::send(changed);
}

StatusPanelAccessible::StatusPanelAccessible(StatusPanel* panel)
    : QAccessibleWidget(panel, QAccessible::StaticText)
{
}

QString StatusPanelAccessible::text(QAccessible::Text t) const
{
    const auto* panel = static_cast<const StatusPanel*>(widget());
    switch (t) {
    case QAccessible::Name:
        return panel->text().isEmpty() ? panel->What() : panel->What() + QStringLiteral(": ") + panel->text();
    case QAccessible::Value: return panel->text();
    default: return QAccessibleWidget::text(t);
    }
}

} // namespace kalmo
