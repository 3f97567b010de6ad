// TLabel and TImage to assistive technology. Both paint themselves, so Qt
// sees only plain widgets: the label becomes static text read as it shows,
// the picture a graphic named for what it shows.
#pragma once

#include <QAccessibleWidget>

namespace kalmo {

class TImage;
class TLabel;

// Named by its explicit accessible name when it has one (a field such as
// "Source text"), its shown text then being the description and the value;
// otherwise named by its shown text.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(TLabel* label);
    QString text(QAccessible::Text t) const override;
    // Besides Qt's own: the label is the label of its FocusControl.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match = QAccessible::AllRelations) const override;
};

class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(TImage* image);
    QString text(QAccessible::Text t) const override;
};

} // namespace kalmo
