// The rules that compare a translation's text with its source's, one table
// of cases for all: what each rule says about a pair of texts, or that it
// says nothing.
#include "job/checks/TextRules.h"
#include "job/checks/TextSpans.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalmo {
namespace {

struct RuleCase {
    const char* name;
    std::string_view check;
    const char* source;
    const char* translation;
    const char* message; // empty: the rule finds nothing
    char quote = '\'';
};

class TextRules : public testing::TestWithParam<RuleCase> {};

TEST_P(TextRules, SayWhatToFixOrNothing)
{
    const RuleCase& c = GetParam();
    const auto rule = std::find_if(kTextRules.begin(), kTextRules.end(), [&](const TextRule& r) { return r.check == c.check; });
    ASSERT_NE(rule, kTextRules.end());
    const std::optional<std::string> problem = rule->problem({c.source, c.translation, c.quote, c.quote});
    EXPECT_EQ(problem.value_or(""), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Placeholders, TextRules,
    testing::Values(
        RuleCase{"same in another place", check::Placeholders, "%d files in %s", "In %s: %d Dateien", "placeholders %d %s are in another order than in the source, which gives each another value: number them (%1$s, %2$s) to reorder"},
        RuleCase{"numbered ones swapped", check::Placeholders, "%1$s of %2$s", "%2$s: %1$s", ""},
        RuleCase{"numbered for unnumbered", check::Placeholders, "%s of %s", "%2$s von %1$s", ""},
        RuleCase{"one value twice", check::Placeholders, "%s of %s", "%1$s von %1$s", "placeholder %s is missing; placeholder %1$s is not in the source"},
        RuleCase{"dropped", check::Placeholders, "Hello %s", "Hallo", "placeholder %s is missing"},
        RuleCase{"one more of the same", check::Placeholders, "%s saved", "%s in %s gespeichert", "placeholder %s is not in the source"},
        RuleCase{"same ones with doubled percent signs", check::Placeholders, "%d%% of %s", "%d%% von %s", ""},
        RuleCase{"a named one may move", check::Placeholders, "{user}: %s", "%s: {user}", ""},
        RuleCase{"named one misspelt", check::Placeholders, "{%s}", "{%s} {usr}", "placeholder {usr} is not in the source"},
        RuleCase{"added", check::Placeholders, "Hello", "Hallo {name}", "placeholder {name} is not in the source"},
        RuleCase{"width and precision", check::Placeholders, "%05.2f EUR", "%05.2f \xE2\x82\xAC", ""},
        RuleCase{"percent doubled in the source", check::Placeholders, "%d%% done", "%d% fertig", "the source writes a percent sign as %%; write %% for % here too"},
        RuleCase{"percent doubled in the translation", check::Placeholders, "100% sure", "100%% sicher", "the source writes a percent sign as a single %; write % for %% here too"},
        RuleCase{"percent written out", check::Placeholders, "%d%% done", "%d Prozent fertig", ""},
        RuleCase{"right to left", check::Placeholders, "%s files", "\xD9\x85\xD9\x84\xD9\x81\xD8\xA7\xD8\xAA %s", ""},
        RuleCase{"CJK without blanks", check::Placeholders, "%1$s of %2$s", "%2$s\xE4\xB8\xAD\xE7\x9A\x84%1$s", ""}),
    testing_support::NameFrom<&RuleCase::name>{});

INSTANTIATE_TEST_SUITE_P(
    HtmlTags, TextRules,
    testing::Values(
        RuleCase{"attributes aside", check::HtmlTags, "<a href=\"/a\">here</a>", "<A HREF=\"/b\" class=x>hier</A>", ""},
        RuleCase{"closed in place is another tag", check::HtmlTags, "<x>a</x>", "<x/>a</x>", "tag <x> is missing; tag <x/> is not in the source"},
        RuleCase{"one tag fewer", check::HtmlTags, "<b>a</b><br>", "<b>a</b>", "tag <br/> is missing"},
        RuleCase{"one tag more", check::HtmlTags, "<b>a</b>", "<b>a</b><br>", "tag <br/> is not in the source"},
        RuleCase{"nested in the same order", check::HtmlTags, "<b><i>x</i></b>", "<b><i>y</i></b>", ""},
        RuleCase{"nested crosswise", check::HtmlTags, "<b><i>x</i></b>", "<b><i>y</b></i>", "tag </b> comes while <i> is still open: write </i> first"},
        RuleCase{"closed before opened", check::HtmlTags, "<b>x</b>", "</b>y<b>", "tag </b> closes no open tag"},
        RuleCase{"self-closing however written", check::HtmlTags, "one<br>two<img src=a />", "eins<br/>zwei<img src='b'>", ""},
        RuleCase{"dropped and added", check::HtmlTags, "<strong>Warning:</strong> gone", "<em>Achtung:</em> weg", "tags </strong> <strong> are missing; tags </em> <em> are not in the source"},
        RuleCase{"unbalanced source excuses the translation", check::HtmlTags, "<p>one", "<p>eins", ""},
        RuleCase{"a less-than sign is no tag", check::HtmlTags, "a < b and <3", "a < b", ""},
        RuleCase{"escaped quotes in an attribute", check::HtmlTags, "<a href=\\\"x\\\">x</a>", "<a href=\\\"y\\\">y</a>", "", '"'}),
    testing_support::NameFrom<&RuleCase::name>{});

INSTANTIATE_TEST_SUITE_P(
    Entities, TextRules,
    testing::Values(
        RuleCase{"typed as the character", check::Entities, "R&amp;D &uuml;ber", "R&D \xC3\xBC" "ber", ""},
        RuleCase{"written as a number", check::Entities, "&copy; 2024", "&#169; 2024", ""},
        RuleCase{"semicolon forgotten", check::Entities, "R&amp;D", "R&amp D", "entity &amp is malformed (a reference is &name; or &#number;)"},
        RuleCase{"reference without digits", check::Entities, "x", "&#x; y", "entity &#x; is malformed (a reference is &name; or &#number;)"},
        RuleCase{"lost", check::Entities, "&copy; Kalmo", "Kalmo", "entity &copy; is missing: write it or the character \xC2\xA9"},
        RuleCase{"no-break space lost", check::Entities, "10&nbsp;km", "10 km", "entity &nbsp; is missing"},
        RuleCase{"plain ampersands", check::Entities, "Q&A and AT&T", "F&A und AT&T", ""}),
    testing_support::NameFrom<&RuleCase::name>{});

INSTANTIATE_TEST_SUITE_P(
    Blanks, TextRules,
    testing::Values(
        RuleCase{"same ends", check::Blanks, " Name: ", " Name: ", ""},
        RuleCase{"blank added at the start", check::Blanks, "Name", " Name", "remove the 1 blank at the start: the source has none"},
        RuleCase{"blank lost at the end", check::Blanks, "Name: ", "Name:", "the source has 1 blank at the end, the translation none: write as many"},
        RuleCase{"doubled inside", check::Blanks, "Save file", "Datei  speichern", "remove the doubled blank at column 6: the source has none"},
        RuleCase{"doubled in the source too", check::Blanks, "A  B", "C  D", ""},
        RuleCase{"French blank before the mark", check::Blanks, "Warning!", "Attention !", ""}),
    testing_support::NameFrom<&RuleCase::name>{});

INSTANTIATE_TEST_SUITE_P(
    EndPunctuation, TextRules,
    testing::Values(
        RuleCase{"full stop kept", check::EndPunctuation, "Saved.", "Gespeichert.", ""},
        RuleCase{"full stop lost", check::EndPunctuation, "Saved.", "Gespeichert", "the source ends in \".\": end the translation in it too, or in its script's own mark"},
        RuleCase{"full stop added", check::EndPunctuation, "Save", "Speichern.", "the source ends in no punctuation: remove the \".\" at the end"},
        RuleCase{"colon lost", check::EndPunctuation, "Name:", "Name", "the source ends in \":\": end the translation in it too, or in its script's own mark"},
        RuleCase{"question mark kept", check::EndPunctuation, "Delete?", "L\xC3\xB6schen?", ""},
        RuleCase{"exclamation mark added after a bracket", check::EndPunctuation, "Save (now)", "Speichern (jetzt)!", "the source ends in no punctuation: remove the \"!\" at the end"},
        RuleCase{"full stop for an ellipsis", check::EndPunctuation, "Loading...", "Laden.", "the source ends in \"...\": end the translation in it too, or in its script's own mark"},
        RuleCase{"full stop behind an escaped quote", check::EndPunctuation, "Say \\\"hi.\\\"", "Sag \\\"hallo\\\"", "", '"'},
        RuleCase{"Japanese full stop", check::EndPunctuation, "Saved.", "\xE4\xBF\x9D\xE5\xAD\x98\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x97\xE3\x81\x9F\xE3\x80\x82", ""},
        RuleCase{"Arabic question mark", check::EndPunctuation, "Delete?", "\xD8\xAD\xD8\xB0\xD9\x81\xD8\x9F", ""},
        RuleCase{"Greek question mark", check::EndPunctuation, "Delete?", "\xCE\x94\xCE\xB9\xCE\xB1\xCE\xB3\xCF\x81\xCE\xB1\xCF\x86\xCE\xAE;", ""},
        RuleCase{"Hindi danda", check::EndPunctuation, "Done.", "\xE0\xA4\xB9\xE0\xA5\x8B \xE0\xA4\x97\xE0\xA4\xAF\xE0\xA4\xBE\xE0\xA5\xA4", ""},
        RuleCase{"French no-break space", check::EndPunctuation, "Warning:", "Attention\xC2\xA0:", ""},
        RuleCase{"ellipsis as three dots", check::EndPunctuation, "Loading\xE2\x80\xA6", "Laden...", ""},
        RuleCase{"exclamation for question", check::EndPunctuation, "Really?", "Wirklich!", "the source ends in \"?\": end the translation in it too, or in its script's own mark"},
        RuleCase{"behind a closing tag and a line break", check::EndPunctuation, "<b>Done.</b>\\n", "<b>Fertig</b>\\n", "the source ends in \".\": end the translation in it too, or in its script's own mark", '"'}),
    testing_support::NameFrom<&RuleCase::name>{});

INSTANTIATE_TEST_SUITE_P(
    Newlines, TextRules,
    testing::Values(
        RuleCase{"same count", check::Newlines, "a\\nb\\n", "x\\ny\\n", "", '"'},
        RuleCase{"one lost", check::Newlines, "a\\nb\\n", "x y\\n", "the source has 2 line breaks (\\n), the translation 1: write as many", '"'},
        RuleCase{"an escaped backslash before n", check::Newlines, "a\\\\nb", "x\\\\ny", "", '"'},
        RuleCase{"single quotes break no line", check::Newlines, "a\\nb", "x y", ""}),
    testing_support::NameFrom<&RuleCase::name>{});

struct NothingCase {
    const char* text;
    bool nothing;
};

class NothingToTranslate : public testing::TestWithParam<NothingCase> {};

TEST_P(NothingToTranslate, TellsTextsThatAreTheSameInEveryLanguage)
{
    EXPECT_EQ(hasNothingToTranslate(GetParam().text, '\''), GetParam().nothing);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NothingToTranslate,
    testing::Values(NothingCase{"%s", true}, NothingCase{"%1$s: %2$d", true}, NothingCase{"{count}", true},
                    NothingCase{"3.14", true}, NothingCase{"https://example.org/a?b=c.", true},
                    NothingCase{"info@example.org", true}, NothingCase{"<br />", true}, NothingCase{"", true},
                    NothingCase{"Save %s", false}, NothingCase{"\xE4\xBF\x9D\xE5\xAD\x98", false},
                    NothingCase{"www.example.org or mail", false},
                    // Words inside a tag or a placeholder padded with a blank,
                    // and a word after an escape.
                    NothingCase{"<a title=\"Save it now\"></a>", true}, NothingCase{"%' s", true},
                    NothingCase{"Don\\'t go", false},
                    // After a tag: the words of an attribute behind a quoted
                    // ">", one letter taken by a padded placeholder, and a
                    // sentence after the tag.
                    NothingCase{"<a title=\"a > go now\">", true}, NothingCase{"<br> %' s", true},
                    NothingCase{"<b>Note:</b> this stays", false}),
    testing_support::NameFrom<&NothingCase::text>{});

} // namespace
} // namespace kalmo
