// Tools > Spelling Language: the installed dictionaries by their languages'
// names. A file's first guess comes from the language it defines, its name
// or the desktop's locale; the user's choice is the translation's language
// for the whole program, kept per translated file.
#pragma once

#include <QMenu>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QActionGroup;

namespace kalmo {

class EnchantDictionaries;
class SpellingDictionary;
struct LanguageEvidence;

class SpellingLanguageMenu : public QMenu {
    Q_OBJECT

public:
    // dictionaries: made when first needed (finding them takes a moment that
    // the start-up need not wait for).
    using DictionariesSource = std::function<std::unique_ptr<EnchantDictionaries>()>;
    explicit SpellingLanguageMenu(QWidget* parent = nullptr, DictionariesSource dictionaries = {});
    ~SpellingLanguageMenu() override;

    // A translated file is on show: its chosen language, else the guess.
    void FileLoaded(const std::string& translatedPath, const LanguageEvidence& evidence);
    // The language in use ("" for none) and the item that says so.
    const std::string& Language() const { return language_; }
    QAction* State1 = nullptr;

    // The user's choice, as the item for the tag does.
    void Choose(const std::string& tag);

signals:
    // The dictionary for the language in use; null when none is installed.
    void dictionaryChosen(std::shared_ptr<kalmo::SpellingDictionary> dictionary);

private:
    EnchantDictionaries& dictionaries();
    void fill();
    void use(const std::string& wanted);

    DictionariesSource source_;
    std::unique_ptr<EnchantDictionaries> dictionaries_;
    QActionGroup* group_ = nullptr;
    std::string translatedPath_;
    std::string language_;
};

// "German (Germany)", "French": a dictionary's tag by its language's name.
QString languageName(const std::string& tag);

} // namespace kalmo
