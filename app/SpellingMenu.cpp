// The spelling items of a context menu; see SpellingMenu.h.
#include "app/SpellingMenu.h"

#include <QAction>
#include <QMenu>

namespace kalmo {

void addSpellingActions(QMenu& menu, const QStringList& suggestions, const SpellingActions& actions)
{
    QAction* first = menu.actions().isEmpty() ? nullptr : menu.actions().front();
    const auto add = [&](const QString& text, const char* name, std::function<void()> run) {
        auto* action = new QAction(text, &menu);
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, &menu, std::move(run));
        menu.insertAction(first, action);
        return action;
    };
    for (const QString& suggestion : suggestions.mid(0, 5))
        add(suggestion, "SpellingSuggestion", [replace = actions.replace, suggestion] { replace(suggestion); });
    if (suggestions.isEmpty())
        add(QStringLiteral("(No Suggestions)"), "SpellingNoSuggestions", [] {})->setEnabled(false);
    add(QStringLiteral("Add to Dictionary"), "SpellingAddToDictionary", actions.addToDictionary);
    add(QStringLiteral("Ignore All"), "SpellingIgnoreAll", actions.ignoreAll);
    menu.insertSeparator(first);
}

} // namespace kalmo
