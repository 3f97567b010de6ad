// Guessing and remembering a translation's language; see TranslationLanguage.h.
#include "job/TranslationLanguage.h"

#include "job/EntryList.h"
#include "job/UserTable.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kalmo {
namespace {

// ISO 639-1: a two-letter word in a file name only counts when it is one.
constexpr std::string_view kLanguageCodes =
    "aa ab ae af ak am an ar as av ay az ba be bg bh bi bm bn bo br bs ca ce ch co cr cs cu cv cy da de dv dz "
    "ee el en eo es et eu fa ff fi fj fo fr fy ga gd gl gn gu gv ha he hi ho hr ht hu hy hz ia id ie ig ii ik "
    "io is it iu ja jv ka kg ki kj kk kl km kn ko kr ks ku kv kw ky la lb lg li ln lo lt lu lv mg mh mi mk ml "
    "mn mr ms mt my na nb nd ne ng nl nn no nr nv ny oc oj om or os pa pi pl ps pt qu rm rn ro ru rw sa sc sd "
    "se sg si sk sl sm sn so sq sr ss st su sv sw ta te tg th ti tk tl tn to tr ts tt tw ty ug uk ur uz ve vi "
    "vo wa wo xh yi yo za zh zu";

// Language files are often named by the language in English or in itself.
constexpr std::array<std::pair<std::string_view, std::string_view>, 74> kLanguageNames{{
    {"albanian", "sq"},   {"arabic", "ar"},      {"armenian", "hy"},   {"basque", "eu"},
    {"bengali", "bn"},    {"bosnian", "bs"},     {"brazilian", "pt_BR"}, {"bulgarian", "bg"},
    {"catalan", "ca"},    {"catala", "ca"},      {"chinese", "zh"},    {"croatian", "hr"},
    {"hrvatski", "hr"},   {"czech", "cs"},       {"cesky", "cs"},      {"danish", "da"},
    {"dansk", "da"},      {"dutch", "nl"},       {"nederlands", "nl"}, {"english", "en"},
    {"estonian", "et"},   {"farsi", "fa"},       {"persian", "fa"},    {"finnish", "fi"},
    {"suomi", "fi"},      {"french", "fr"},      {"francais", "fr"},   {"galician", "gl"},
    {"georgian", "ka"},   {"german", "de"},      {"deutsch", "de"},    {"germani", "de"},
    {"greek", "el"},      {"hebrew", "he"},      {"hindi", "hi"},      {"hungarian", "hu"},
    {"magyar", "hu"},     {"icelandic", "is"},   {"indonesian", "id"}, {"italian", "it"},
    {"italiano", "it"},   {"japanese", "ja"},    {"korean", "ko"},     {"latvian", "lv"},
    {"lithuanian", "lt"}, {"macedonian", "mk"},  {"malay", "ms"},      {"norwegian", "nb"},
    {"norsk", "nb"},      {"polish", "pl"},      {"polski", "pl"},     {"portuguese", "pt"},
    {"portugues", "pt"},  {"romanian", "ro"},    {"romana", "ro"},     {"russian", "ru"},
    {"serbian", "sr"},    {"slovak", "sk"},      {"slovenian", "sl"},  {"spanish", "es"},
    {"espanol", "es"},    {"swedish", "sv"},     {"svenska", "sv"},    {"tamil", "ta"},
    {"thai", "th"},       {"turkish", "tr"},     {"turkce", "tr"},     {"ukrainian", "uk"},
    {"urdu", "ur"},       {"vietnamese", "vi"},  {"welsh", "cy"},      {"castellano", "es"},
    {"portuguese-br", "pt_BR"}, {"slovensky", "sk"},
}};

// Constants that language files use for their language's code.
constexpr std::array<std::string_view, 6> kLanguageDefines{
    "_LANGUAGE", "_LANG", "_LANG_CODE", "_LANGUAGE_CODE", "_LANGCODE", "_LOCALE"};

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return result;
}

bool isLanguageCode(std::string_view word)
{
    if (word.size() != 2 || !isAsciiLetter(word[0]) || !isAsciiLetter(word[1]))
        return false;
    const std::string code = lowered(word);
    for (std::size_t at = 0; at < kLanguageCodes.size(); at += 3)
        if (kLanguageCodes.substr(at, 2) == code)
            return true;
    return false;
}

bool isRegion(std::string_view word)
{
    const bool letters = word.size() == 2 && isAsciiLetter(word[0]) && isAsciiLetter(word[1]);
    const bool digits = word.size() == 3 && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    return letters || digits;
}

// "de_DE", "pt-BR" and "de_de"; but not "to_do", whose second word is
// neither written as a region nor the language's own.
bool isRegionInFileName(std::string_view language, std::string_view word)
{
    const bool upper = word.size() == 2 && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    return upper || (word.size() == 2 && lowered(word) == lowered(language));
}

std::string languageOfName(std::string_view word)
{
    const std::string name = lowered(word);
    for (const auto& [known, tag] : kLanguageNames)
        if (known == name)
            return std::string(tag);
    return {};
}

std::string withRegion(std::string_view language, std::string_view region)
{
    std::string tag = lowered(language) + '_';
    for (char c : region)
        tag += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return tag;
}

std::vector<std::string_view> splitWords(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string_view languagePart(std::string_view tag) { return tag.substr(0, tag.find('_')); }

// The value of lang="…" (also lang='…' and lang=\"…\" inside a PHP text).
std::string htmlLangAttribute(std::string_view line)
{
    for (std::size_t at = line.find("lang="); at != std::string_view::npos; at = line.find("lang=", at + 1)) {
        if (at > 0 && isAsciiLetter(line[at - 1]))
            continue;
        std::size_t start = at + 5;
        while (start < line.size() && (line[start] == '\\' || line[start] == '"' || line[start] == '\''))
            ++start;
        std::size_t end = start;
        while (end < line.size() && (isAsciiLetter(line[end]) || line[end] == '-' || line[end] == '_'))
            ++end;
        if (std::string tag = normalizeLanguageTag(line.substr(start, end - start)); !tag.empty())
            return tag;
    }
    return {};
}

} // namespace

std::string normalizeLanguageTag(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\"'");
    if (first == std::string_view::npos)
        return {};
    text = text.substr(first);
    text = text.substr(0, text.find_first_of(".@, \t\"'"));
    if (std::string named = languageOfName(text); !named.empty())
        return named;
    const std::vector<std::string_view> parts = splitWords(text, "-_");
    if (parts.empty() || parts.size() > 3 || !isLanguageCode(parts[0]))
        return {};
    if (parts.size() >= 2 && isRegion(parts.back()))
        return withRegion(parts[0], parts.back());
    return lowered(parts[0]);
}

std::string languageDefinedIn(const LineList& lines)
{
    for (const Entry& entry : listEntries(lines)) {
        const std::string name = lowered(entry.name);
        const bool isLanguage = std::any_of(kLanguageDefines.begin(), kLanguageDefines.end(),
                                            [&](std::string_view define) { return lowered(define) == name; });
        if (isLanguage)
            if (std::string tag = normalizeLanguageTag(entryValue(lines, entry)); !tag.empty())
                return tag;
    }
    for (const std::string& line : lines)
        if (std::string tag = htmlLangAttribute(line); !tag.empty())
            return tag;
    return {};
}

std::string languageOfFileName(std::string_view fileName)
{
    fileName = fileName.substr(fileName.rfind('/') + 1);
    fileName = fileName.substr(0, fileName.rfind('.'));
    const std::vector<std::string_view> words = splitWords(fileName, "-_. ");
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (std::string named = languageOfName(words[i]); !named.empty())
            return named;
        // "de-DE" and "pt_BR"; a lone code only as the name's last word, so
        // that "my_module" or "to_do" say nothing of a language.
        if (!isLanguageCode(words[i]))
            continue;
        if (i + 1 < words.size() && isRegionInFileName(words[i], words[i + 1]))
            return withRegion(words[i], words[i + 1]);
        if (i + 1 == words.size())
            return lowered(words[i]);
    }
    return {};
}

std::string languageOfLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0')
            return normalizeLanguageTag(value);
    }
    return {};
}

std::string guessTranslationLanguage(const LanguageEvidence& evidence)
{
    std::string sourceLanguage = languageDefinedIn(evidence.sourceLines);
    const std::string defined = languageDefinedIn(evidence.translatedLines);
    if (!defined.empty() && defined != sourceLanguage)
        return defined;
    if (sourceLanguage.empty())
        sourceLanguage = languageOfFileName(evidence.sourceFileName);
    const std::string named = languageOfFileName(evidence.translatedFileName);
    if (!named.empty() && languagePart(named) != languagePart(sourceLanguage))
        return named;
    return languageOfLocale();
}

LanguageChoices LanguageChoices::load()
{
    LanguageChoices loaded;
    loaded.storePath_ = userTablePath("languages");
    // One "TAG<tab>PATH" row per file.
    for (const UserTableRow& row : readUserTable(loaded.storePath_, 2)) {
        const std::string tag = normalizeLanguageTag(row[0]);
        if (!tag.empty() && !row[1].empty())
            loaded.choices_[row[1]] = tag;
    }
    return loaded;
}

std::string LanguageChoices::chosenFor(const std::string& translatedPath) const
{
    const auto found = choices_.find(translatedPath);
    return found == choices_.end() ? std::string() : found->second;
}

void LanguageChoices::choose(const std::string& translatedPath, const std::string& tag)
{
    if (storePath_.empty() || !fitsUserTable(translatedPath))
        return;
    choices_[translatedPath] = tag;
    std::vector<UserTableRow> rows;
    for (const auto& [path, chosen] : choices_)
        rows.push_back({chosen, path});
    writeUserTable(storePath_, rows);
}

} // namespace kalmo
