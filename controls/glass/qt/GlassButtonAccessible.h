// The glass button to assistive technology: a push button named by its
// caption, pressed through the press action as by a click. The button paints
// itself, so Qt knows neither its role nor its text.
#pragma once

#include <QAccessibleWidget>

namespace kalmo {

class TGlassButton;

class GlassButtonAccessible : public QAccessibleWidget {
public:
    explicit GlassButtonAccessible(TGlassButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TGlassButton* button() const;
};

} // namespace kalmo
