// The translation's language: tags read in every form files and locales
// write them, the guess's order of evidence, and the remembered choices.
#include "job/TranslationLanguage.h"

#include "testing/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace kalmo {
namespace {

using testing_support::UserFolders;

// Sets a locale variable for one test and puts the old value back.
class LocaleVariable {
public:
    LocaleVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value, 1);
    }
    ~LocaleVariable()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    void set(const char* value) { ::setenv(name_, value, 1); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct TagCase {
    const char* text;
    const char* tag;
};

TEST(TranslationLanguage, TagsAreNormalised)
{
    const TagCase cases[] = {
        {"de", "de"},           {"DE", "de"},          {"de-DE", "de_DE"},   {"de_de", "de_DE"},
        {"de_DE.UTF-8@euro", "de_DE"}, {" 'pt_BR' ", "pt_BR"}, {"es-419", "es_419"}, {"German", "de"},
        {"C", ""},              {"POSIX", ""},         {"C.UTF-8", ""},      {"", ""},
        {"xx", ""},             {"english", "en"},     {"sr-Latn-RS", "sr_RS"}, {"iso-8859-1", ""},
    };
    for (const TagCase& c : cases)
        EXPECT_EQ(normalizeLanguageTag(c.text), c.tag) << c.text;
}

TEST(TranslationLanguage, FileNamesThatNameALanguage)
{
    const TagCase cases[] = {
        {"german.php", "de"},         {"lang_de.php", "de"},   {"de-DE.php", "de_DE"},
        {"Translated_french.php", "fr"}, {"/site/language/pt_BR.php", "pt_BR"}, {"nl.php", "nl"}, {"fr_fr.php", "fr_FR"},
        {"my_module.php", ""},        {"to_do.php", ""},       {"admin.php", ""},
        {"brazilian_portuguese.php", "pt_BR"},
    };
    for (const TagCase& c : cases)
        EXPECT_EQ(languageOfFileName(c.text), c.tag) << c.text;
}

TEST(TranslationLanguage, DefinesAndHtmlLangAttributes)
{
    const TagCase cases[] = {
        {"define('_LANGUAGE', 'nl');", "nl"},
        {"define(\"_LANG\", \"fr-CA\");", "fr_CA"},
        {"define('_LOCALE', 'de_DE.utf8,de_DE,deu_deu');", "de_DE"},
        {"define('_ISO', 'charset=iso-8859-1');", ""},
        {"define('_HEAD', '<html lang=\"pl\">');", "pl"},
        {"define('_HEAD', \"<html xml:lang=\\\"cs\\\">\");", "cs"},
        {"// define('_LANGUAGE', 'it');", ""},
    };
    for (const TagCase& c : cases)
        EXPECT_EQ(languageDefinedIn({"<?php", c.text}), c.tag) << c.text;
}

TEST(TranslationLanguage, GuessTakesTheFirstEvidenceThatSpeaksOfTheTranslation)
{
    UserFolders folders;
    const LocaleVariable all("LC_ALL", "");
    const LocaleVariable messages("LC_MESSAGES", "");
    LocaleVariable lang("LANG", "sv_SE.UTF-8");
    const LineList english{"<?php", "define('_LANGUAGE', 'en');"};
    const LineList german{"<?php", "define('_LANGUAGE', 'de');"};
    const LineList noDefine{"<?php", "define('_X', 'x');"};
    struct Case {
        const LineList& source;
        const LineList& translated;
        const char* sourceName;
        const char* translatedName;
        const char* guess;
    };
    const Case cases[] = {
        {english, german, "english.php", "Translated_english.php", "de"},
        // The define not yet translated and the name the source's: the locale.
        {english, english, "english.php", "Translated_english.php", "sv_SE"},
        {noDefine, noDefine, "english.php", "Translated_english.php", "sv_SE"},
        {english, english, "english.php", "polish.php", "pl"},
        {noDefine, noDefine, "site.php", "lang_fr.php", "fr"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(guessTranslationLanguage({c.source, c.translated, c.sourceName, c.translatedName}), c.guess)
            << c.translatedName;
    lang.set("C");
    EXPECT_EQ(guessTranslationLanguage({noDefine, noDefine, "a.php", "Translated_a.php"}), "");
}

TEST(TranslationLanguage, ChoicesAreRememberedPerFileAndABrokenStoreMeansNone)
{
    UserFolders folders;
    LanguageChoices choices = LanguageChoices::load();
    EXPECT_EQ(choices.chosenFor("/a/Translated_x.php"), "");
    choices.choose("/a/Translated_x.php", "de_AT");
    choices.choose("/b/Translated x.php", "fr");
    choices.choose("/a/Translated_x.php", "de_CH");
    const LanguageChoices reread = LanguageChoices::load();
    EXPECT_EQ(reread.chosenFor("/a/Translated_x.php"), "de_CH");
    EXPECT_EQ(reread.chosenFor("/b/Translated x.php"), "fr");

    std::ofstream(std::string(std::getenv("XDG_DATA_HOME")) + "/kalmo/languages", std::ios::binary)
        << "\x01\xff garbage\nno tab here\n??\t/c.php\nnl\t/d.php\n";
    const LanguageChoices broken = LanguageChoices::load();
    EXPECT_EQ(broken.chosenFor("/c.php"), "");
    EXPECT_EQ(broken.chosenFor("/d.php"), "nl");
}

} // namespace
} // namespace kalmo
