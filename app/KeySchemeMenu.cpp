// View > Keys; see KeySchemeMenu.h.
#include "app/KeySchemeMenu.h"

#include "app/AppSettings.h"
#include "app/MemoKeys.h"
#include "app/menu/KeyScheme.h"

#include <QAction>
#include <QActionGroup>

namespace kalmo {

namespace {

const QString kSettingName = QStringLiteral("KeyScheme");
const QString kCommonValue = QStringLiteral("Common");
const QString kClassicValue = QStringLiteral("Classic");

} // namespace

KeySchemeMenu::KeySchemeMenu(AppSettings& settings, QWidget* parent)
    : QMenu(QStringLiteral("Keys"), parent)
    , settings_(settings)
{
    setObjectName(QStringLiteral("Keys1"));
    auto* group = new QActionGroup(this);
    const auto item = [this, group](const char* name, const QString& caption, KeyScheme scheme) {
        QAction* action = addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, scheme] { choose(scheme); });
        return action;
    };
    Classic1 = item("KeysClassic1", QStringLiteral("As specified"), KeyScheme::Classic);
    Common1 = item("KeysCommon1", QStringLiteral("Common"), KeyScheme::Common);

    // Anything but the common scheme's name, a broken value too, is the default.
    const bool common = settings_.Value(kSettingName).toString() == kCommonValue;
    setProgramKeyScheme(common ? KeyScheme::Common : KeyScheme::Classic);
    (common ? Common1 : Classic1)->setChecked(true);
}

void KeySchemeMenu::choose(KeyScheme scheme)
{
    setProgramKeyScheme(scheme);
    settings_.SetValue(kSettingName, scheme == KeyScheme::Common ? kCommonValue : kClassicValue);
    emit schemeChosen(scheme);
}

} // namespace kalmo
