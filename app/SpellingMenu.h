// The spelling items of a text field's context menu for the misspelt word
// under the mouse: up to five suggestions, "Add to Dictionary" and "Ignore
// All", put before the menu's own items. It knows nothing of the field, so
// every field that underlines words can offer them.
#pragma once

#include <QStringList>

#include <functional>

class QMenu;

namespace kalmo {

struct SpellingActions {
    std::function<void(const QString& suggestion)> replace;
    std::function<void()> addToDictionary;
    std::function<void()> ignoreAll;
};

void addSpellingActions(QMenu& menu, const QStringList& suggestions, const SpellingActions& actions);

} // namespace kalmo
