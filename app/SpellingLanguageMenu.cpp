// Tools > Spelling Language; see SpellingLanguageMenu.h.
#include "app/SpellingLanguageMenu.h"

#include "job/TranslationLanguage.h"
#include "spelling/EnchantDictionaries.h"

#include <QAction>
#include <QActionGroup>
#include <QLocale>

#include <algorithm>

namespace kalmo {

QString languageName(const std::string& tag)
{
    const QLocale locale(QString::fromStdString(tag));
    if (locale.language() == QLocale::C)
        return QString::fromStdString(tag);
    QString name = QLocale::languageToString(locale.language());
    if (tag.find('_') != std::string::npos)
        name += QStringLiteral(" (") + QLocale::territoryToString(locale.territory()) + QLatin1Char(')');
    return name;
}

SpellingLanguageMenu::SpellingLanguageMenu(QWidget* parent, DictionariesSource dictionaries)
    : QMenu(QStringLiteral("Spelling Language"), parent), source_(std::move(dictionaries))
{
    setObjectName(QStringLiteral("SpellingLanguage1"));
    if (!source_)
        source_ = [] { return std::make_unique<EnchantDictionaries>(); };
    group_ = new QActionGroup(this);
    State1 = addAction(QString());
    State1->setObjectName(QStringLiteral("SpellingState1"));
    State1->setEnabled(false);
    addSeparator();
    connect(this, &QMenu::aboutToShow, this, &SpellingLanguageMenu::fill);
    use({});
}

SpellingLanguageMenu::~SpellingLanguageMenu() = default;

EnchantDictionaries& SpellingLanguageMenu::dictionaries()
{
    if (!dictionaries_)
        dictionaries_ = source_();
    return *dictionaries_;
}

// One item per installed dictionary, made when the menu first opens.
void SpellingLanguageMenu::fill()
{
    if (!group_->actions().isEmpty())
        return;
    std::vector<std::pair<QString, std::string>> named;
    for (const std::string& tag : dictionaries().Installed())
        named.emplace_back(languageName(tag), tag);
    std::sort(named.begin(), named.end());
    for (const auto& [name, tag] : named) {
        QAction* item = addAction(name + QStringLiteral("\t") + QString::fromStdString(tag));
        item->setObjectName(QString::fromStdString(tag));
        item->setCheckable(true);
        item->setChecked(tag == language_);
        // Until a file is on show there is no translation to choose for.
        item->setEnabled(!translatedPath_.empty());
        group_->addAction(item);
        connect(item, &QAction::triggered, this, [this, tag] { Choose(tag); });
    }
}

void SpellingLanguageMenu::FileLoaded(const std::string& translatedPath, const LanguageEvidence& evidence)
{
    translatedPath_ = translatedPath;
    std::string wanted = LanguageChoices::load().chosenFor(translatedPath);
    if (wanted.empty())
        wanted = guessTranslationLanguage(evidence);
    for (QAction* item : group_->actions())
        item->setEnabled(true);
    use(wanted);
}

void SpellingLanguageMenu::Choose(const std::string& tag)
{
    if (translatedPath_.empty())
        return;
    LanguageChoices choices = LanguageChoices::load();
    choices.choose(translatedPath_, tag);
    use(tag);
}

void SpellingLanguageMenu::use(const std::string& wanted)
{
    std::shared_ptr<SpellingDictionary> dictionary;
    if (wanted.empty() && translatedPath_.empty()) {
        language_.clear();
        State1->setText(QStringLiteral("Spelling: no file loaded"));
    } else if (dictionaries().Installed().empty()) {
        language_.clear();
        State1->setText(QStringLiteral("Spelling is off: no dictionary is installed (Debian: hunspell-en-us, "
                                       "hunspell-de-de, hunspell-fr, \u2026)"));
    } else {
        language_ = dictionaries().BestFor(wanted);
        dictionary = language_.empty() ? nullptr : dictionaries().Open(language_);
        if (dictionary)
            State1->setText(QStringLiteral("Spelling: ") + languageName(language_));
        else if (wanted.empty())
            State1->setText(QStringLiteral("Spelling is off: the translation's language is not known; choose it below"));
        else
            State1->setText(QStringLiteral("Spelling is off: no dictionary for ") + languageName(wanted)
                            + QStringLiteral(" is installed (Debian: apt search hunspell-")
                            + QString::fromStdString(wanted.substr(0, wanted.find('_'))) + QStringLiteral(")"));
    }
    for (QAction* item : group_->actions())
        item->setChecked(item->objectName().toStdString() == language_);
    emit dictionaryChosen(std::move(dictionary));
}

} // namespace kalmo
