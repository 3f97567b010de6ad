// Spelling in a thread of its own; see SpellingService.h.
#include "app/SpellingService.h"

namespace kalmo {

SpellingService::SpellingService(QObject* parent) : QObject(parent)
{
    thread_.setObjectName(QStringLiteral("Spelling"));
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
}

SpellingService::~SpellingService()
{
    if (!thread_.isRunning()) {
        delete worker_;
        return;
    }
    thread_.quit();
    thread_.wait();
}

void SpellingService::SetDictionary(std::shared_ptr<SpellingDictionary> dictionary)
{
    const std::lock_guard lock(mutex_);
    dictionary_ = std::move(dictionary);
    ++asked_;
}

bool SpellingService::Active() const
{
    const std::lock_guard lock(mutex_);
    return dictionary_ != nullptr;
}

std::string SpellingService::Language() const
{
    const std::lock_guard lock(mutex_);
    return dictionary_ ? dictionary_->language() : std::string();
}

void SpellingService::Check(const std::string& value, char quote)
{
    const unsigned asked = ++asked_;
    // The thread starts with the first text to check, after the window is
    // on screen: until a file is loaded nothing is checked.
    if (!thread_.isRunning())
        thread_.start(QThread::LowPriority);
    QMetaObject::invokeMethod(worker_, [this, value, quote, asked] {
        // Typing runs ahead of the thread: only the last text counts.
        if (asked != asked_)
            return;
        std::vector<SpelledWord> words;
        {
            const std::lock_guard lock(mutex_);
            if (dictionary_)
                words = misspeltWords(value, quote, *dictionary_);
        }
        QMetaObject::invokeMethod(this, [this, value, words = std::move(words), asked] {
            if (asked == asked_)
                emit misspelt(value, words);
        });
    });
}

std::vector<std::string> SpellingService::Suggestions(const std::string& word, std::size_t most)
{
    const std::lock_guard lock(mutex_);
    return dictionary_ ? dictionary_->suggestions(word, most) : std::vector<std::string>();
}

void SpellingService::AddToDictionary(const std::string& word)
{
    const std::lock_guard lock(mutex_);
    if (dictionary_)
        dictionary_->addToPersonal(word);
}

void SpellingService::IgnoreAll(const std::string& word)
{
    const std::lock_guard lock(mutex_);
    if (dictionary_)
        dictionary_->ignoreForRun(word);
}

} // namespace kalmo
