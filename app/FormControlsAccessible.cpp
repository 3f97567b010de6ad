// The accessible interfaces of TLabel and TImage; see FormControlsAccessible.h.
#include "app/FormControlsAccessible.h"

#include "app/FormControls.h"
#include "app/Pictures.h"

namespace kalmo {
namespace {

// The whole text, not the "…"-shortened one the label may draw.
QString readText(const TLabel& label) { return label.ShowAccelChar() ? label.ShownText() : label.Caption(); }

} // namespace

LabelAccessible::LabelAccessible(TLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QString LabelAccessible::text(QAccessible::Text t) const
{
    const auto* label = static_cast<const TLabel*>(widget());
    const bool named = !label->accessibleName().isEmpty();
    switch (t) {
    case QAccessible::Name: return named ? label->accessibleName() : readText(*label);
    case QAccessible::Value: return readText(*label);
    case QAccessible::Description:
        if (!label->accessibleDescription().isEmpty() || !named)
            return label->accessibleDescription();
        return readText(*label);
    default: return QAccessibleWidget::text(t);
    }
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> LabelAccessible::relations(QAccessible::Relation match) const
{
    auto related = QAccessibleWidget::relations(match);
    const auto* label = static_cast<const TLabel*>(widget());
    if ((match & QAccessible::Labelled) && label->buddy())
        related.append({QAccessible::queryAccessibleInterface(label->buddy()), QAccessible::Labelled});
    return related;
}

ImageAccessible::ImageAccessible(TImage* image)
    : QAccessibleWidget(image, QAccessible::Graphic)
{
}

QString ImageAccessible::text(QAccessible::Text t) const
{
    const auto* image = static_cast<const TImage*>(widget());
    if (t == QAccessible::Name && image->accessibleName().isEmpty())
        return pictureDescription(image->PicturePath());
    return QAccessibleWidget::text(t);
}

} // namespace kalmo
