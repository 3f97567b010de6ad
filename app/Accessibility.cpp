// The accessibility factory for the program's widgets; see Accessibility.h.
#include "app/Accessibility.h"

#include "app/FormControls.h"
#include "app/FormControlsAccessible.h"
#include "app/StatusPanel.h"
#include "controls/glass/qt/GlassButton.h"
#include "controls/glass/qt/GlassButtonAccessible.h"
#include "controls/memo/qt/CodeMemo.h"
#include "controls/memo/qt/MemoAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

namespace kalmo {
namespace {

// Qt asks with each class name of the object's class chain, most derived
// first, so a subclass of one of these gets the same interface.
QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("kalmo::TCodeMemo"))
        return new MemoAccessible(static_cast<TCodeMemo*>(object));
    if (className == QLatin1String("kalmo::TGlassButton"))
        return new GlassButtonAccessible(static_cast<TGlassButton*>(object));
    if (className == QLatin1String("kalmo::TLabel"))
        return new LabelAccessible(static_cast<TLabel*>(object));
    if (className == QLatin1String("kalmo::TImage"))
        return new ImageAccessible(static_cast<TImage*>(object));
    if (className == QLatin1String("kalmo::StatusPanel"))
        return new StatusPanelAccessible(static_cast<StatusPanel*>(object));
    // The balloon-shaped Help window has no frame; to assistive technology
    // it is a small dialog beside the main window.
    if (className == QLatin1String("TForm4"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(accessibleFactory); }

void describeTranslationField(QWidget& field, const QString& constant, const QString& sourceText)
{
    // The description first: the name's change is what a screen reader reads out.
    field.setAccessibleDescription(sourceText);
    field.setAccessibleName(QStringLiteral("Translation of %1").arg(constant));
}

} // namespace kalmo
