// The texts Find was last asked for, newest first, kept in the settings so
// that the find dialog offers them again in the next run.
#pragma once

#include <QString>
#include <QStringList>

namespace kalmo {

class AppSettings;

inline constexpr qsizetype kFindHistoryLength = 10;

// `texts` with `text` put first, once, and no more than kFindHistoryLength.
QStringList withTextFirst(QStringList texts, const QString& text);

QStringList recentFindTexts(const AppSettings& settings);
// An empty text finds nothing and is not kept.
void rememberFindText(AppSettings& settings, const QString& text);

} // namespace kalmo
