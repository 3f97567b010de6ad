// Which language a translation is in: the spelling dictionary and the
// translation memory both need it. A first guess comes from what the files
// say, then from the desktop's locale; the user's choice is remembered per
// translated file.
#pragma once

#include "job/LineList.h"

#include <map>
#include <string>
#include <string_view>

namespace kalmo {

// Tags are "ll" or "ll_CC" (ISO 639 language, ISO 3166 region), the form
// the dictionaries are named by. "de-DE", "DE_de" and "de_DE.UTF-8@euro"
// give "de_DE"; "german" gives "de"; anything else gives "".
std::string normalizeLanguageTag(std::string_view text);

// The value of a language define (_LANGUAGE, _LANG, _LANG_CODE, ...) or of
// an HTML lang attribute in the lines, normalised; "" when none.
std::string languageDefinedIn(const LineList& lines);

// The language a file name speaks of: "german.php", "lang_de.php",
// "de-DE.php", "Translated_french.php"; "" when none.
std::string languageOfFileName(std::string_view fileName);

// The desktop's language from LC_ALL, LC_MESSAGES, LANG (the first set),
// "" for the C and POSIX locales.
std::string languageOfLocale();

// What is known of a translation when its language is first needed.
struct LanguageEvidence {
    const LineList& sourceLines;
    const LineList& translatedLines;
    std::string_view sourceFileName;
    std::string_view translatedFileName;
};

// The first guess for a translation: a language define the translator has
// changed from the source's; else the translated file name's language
// unless it is the source's own ("Translated_english.php" names the source);
// else the locale's. "" when nothing tells.
std::string guessTranslationLanguage(const LanguageEvidence& evidence);

// The language chosen for each translated file, kept in the user's data
// folder ($XDG_DATA_HOME/kalmo/languages), keyed by the file's full path.
// A missing or unreadable store means no choices, never an error.
class LanguageChoices {
public:
    // Reads the store where the variables point now.
    static LanguageChoices load();

    // "" when no choice was made for the file.
    std::string chosenFor(const std::string& translatedPath) const;
    // Remembers the choice and writes the store; throws "Cannot create
    // file ..." when it cannot be written.
    void choose(const std::string& translatedPath, const std::string& tag);

private:
    std::string storePath_;
    std::map<std::string, std::string> choices_;
};

} // namespace kalmo
