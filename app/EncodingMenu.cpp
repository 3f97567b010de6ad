// File > Reload with Encoding; see EncodingMenu.h.
#include "app/EncodingMenu.h"

#include <QActionGroup>

#include <iterator>
#include <utility>
#include <vector>

namespace kalmo {

EncodingMenu::EncodingMenu(Chosen chosen, QWidget* parent)
    : QMenu(QStringLiteral("Reload with Encoding"), parent)
    , chosen_(std::move(chosen))
{
    setObjectName(QStringLiteral("ReloadWithEncodingMenu"));
    connect(this, &QMenu::aboutToShow, this, &EncodingMenu::makeItems);
}

void EncodingMenu::SetInUse(const std::string& name)
{
    inUse_ = name;
    if (group_)
        markInUse();
}

void EncodingMenu::makeItems()
{
    if (group_)
        return;
    group_ = new QActionGroup(this);
    group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const std::vector<TextEncoding>& encodings = commonEncodings();
    QMenu* groupMenu = nullptr;
    for (auto encoding = encodings.begin(); encoding != encodings.end(); ++encoding) {
        // A group of one set stands in the menu itself; a larger one gets a
        // submenu (the sets of a group stand together in the list).
        const std::string groupName = encoding->group();
        const auto inGroup = [&](auto other) { return other != encodings.end() && other->group() == groupName; };
        if (encoding == encodings.begin() || !inGroup(std::prev(encoding))) {
            groupMenu = this;
            if (inGroup(std::next(encoding)))
                groupMenu = groupMenu->addMenu(QString::fromStdString(groupName));
        }
        auto* action = groupMenu->addAction(QString::fromStdString(encoding->readableName()));
        // Named by the set's plain name, as the status bar shows it.
        action->setObjectName(QString::fromStdString(encoding->name()));
        action->setCheckable(true);
        group_->addAction(action);
        connect(action, &QAction::triggered, this, [this, chosen = *encoding] { chosen_(chosen); });
    }
    markInUse();
}

void EncodingMenu::markInUse()
{
    const QString current = QString::fromStdString(inUse_);
    for (QAction* action : group_->actions())
        action->setChecked(!current.isEmpty() && action->objectName() == current);
}

} // namespace kalmo
