// The checks of the entry on show while the user types: the job checks the
// field's text on every change (the findings, the status-bar panel's text,
// the field's error colours), and the spelling thread underlines the words
// its dictionary does not know, with suggestions in the field's menu.
#pragma once

#include "job/Finding.h"
#include "job/checks/Spelling.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace kalmo {

class SpellingDictionary;
class SpellingService;
class TEntryEdit;
class TranslationJob;

class EntryChecks : public QObject {
    Q_OBJECT

public:
    // job: the window's job, or null before it has one.
    EntryChecks(TEntryEdit& field, std::function<TranslationJob*()> job, QObject* parent = nullptr);
    ~EntryChecks() override;

    // Checks the field's text again; done on every change of it, and due
    // when the entry on show changed though its text did not.
    void Recheck();
    const std::vector<Finding>& Findings() const { return findings_; }
    // "⚠ 2: placeholder %s is missing": the count and the first message;
    // "" when there is nothing to say.
    QString Summary() const;
    // Every message, one a line.
    QString Details() const;

    // Silences the finding for its entry, for good.
    void Ignore(const Finding& finding);

    // The dictionary of the translation's language; null turns spelling off.
    void SetDictionary(std::shared_ptr<SpellingDictionary> dictionary);
    SpellingService& Spelling() { return *spelling_; }

signals:
    void findingsChanged();

private:
    void showMisspelt(const std::string& value, const std::vector<SpelledWord>& words);
    // The field underlines the words in misspelt_.
    void underlineMisspelt();
    void addSpellingItems(QMenu& menu, int position);

    TEntryEdit& field_;
    std::function<TranslationJob*()> job_;
    SpellingService* spelling_;
    std::vector<Finding> findings_;
    // The misspelt words of the field's text, with their UTF-16 places.
    struct Misspelt {
        int start = 0;
        QString word;
        std::string lookedUp;
    };
    std::vector<Misspelt> misspelt_;
};

} // namespace kalmo
