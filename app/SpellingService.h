// Spelling off the typing path: the dictionary of the translation's
// language lives with a thread of its own, which looks up the words of the
// text last asked for; a keystroke only hands the text over and never waits
// for the dictionary.
#pragma once

#include "job/checks/Spelling.h"
#include "job/checks/SpellingDictionary.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kalmo {

class SpellingService : public QObject {
    Q_OBJECT

public:
    explicit SpellingService(QObject* parent = nullptr);
    ~SpellingService() override;

    // The dictionary to look words up in; null turns spelling off.
    void SetDictionary(std::shared_ptr<SpellingDictionary> dictionary);
    bool Active() const;
    // The dictionary's tag; "" when off.
    std::string Language() const;

    // Looks up the words of a value (quote: its quote) in the thread;
    // misspelt() follows unless another text is asked for first.
    void Check(const std::string& value, char quote);

    // These wait for the dictionary; for menus, not for keystrokes.
    std::vector<std::string> Suggestions(const std::string& word, std::size_t most);
    void AddToDictionary(const std::string& word);
    void IgnoreAll(const std::string& word);

signals:
    // The misspelt words of the value last asked for.
    void misspelt(const std::string& value, const std::vector<kalmo::SpelledWord>& words);

private:
    QThread thread_;
    QObject* worker_ = nullptr; // lives in thread_
    mutable std::mutex mutex_;
    std::shared_ptr<SpellingDictionary> dictionary_;
    std::atomic<unsigned> asked_{0};
};

} // namespace kalmo
