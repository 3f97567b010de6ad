// The find dialog's history in the settings; see FindHistory.h.
#include "app/FindHistory.h"

#include "app/AppSettings.h"

#include <QVariant>

namespace kalmo {
namespace {

const QString kFindTextsKey = QStringLiteral("FindTexts");

} // namespace

QStringList withTextFirst(QStringList texts, const QString& text)
{
    texts.removeAll(text);
    texts.prepend(text);
    return texts.mid(0, kFindHistoryLength);
}

QStringList recentFindTexts(const AppSettings& settings)
{
    // A hand-edited list may be long or hold empty texts and repeats.
    QStringList texts;
    for (const QString& text : settings.Value(kFindTextsKey).toStringList()) {
        if (!text.isEmpty() && !texts.contains(text) && texts.size() < kFindHistoryLength)
            texts.append(text);
    }
    return texts;
}

void rememberFindText(AppSettings& settings, const QString& text)
{
    if (text.isEmpty())
        return;
    settings.SetValue(kFindTextsKey, withTextFirst(recentFindTexts(settings), text));
}

} // namespace kalmo
