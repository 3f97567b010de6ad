// The Suggestions section: the translation memory's matches for the entry on
// show, each with its key (Ctrl+1 … Ctrl+5), its score and its source text
// with the words that differ from the entry's marked; and, for an entry
// whose source text changed since its translation was made, the old and the
// new source text with the changed words marked. A thin view of
// MemorySuggestions; the window that holds it decides where it stands.
#pragma once

#include "job/memory/MemoryAssistant.h"

#include <QWidget>

#include <array>

class QLabel;

namespace kalmo {

class SuggestionsSection : public QWidget {
    Q_OBJECT

public:
    // The background of the words that differ; the old source's removed
    // words and the new source's added ones have their own.
    static constexpr QRgb ChangedWordColor = 0xFFFFE08A;
    static constexpr QRgb OldWordColor = 0xFFF4C0C0;
    static constexpr QRgb NewWordColor = 0xFFC4ECC4;

    explicit SuggestionsSection(QWidget* parent = nullptr);

    void Show(const MemorySuggestions& suggestions);

    // What stands above the matches: the language, or why there are none.
    QLabel* StatusLabel = nullptr;
    // The old and the new source text of an entry to review; hidden otherwise.
    QLabel* ReviewLabel = nullptr;
    std::array<QLabel*, MemoryLookup::kMaxSuggestions> SuggestionLabels{};

signals:
    // A suggestion's key was clicked: the translation field is to take it.
    void suggestionChosen(int number);
};

} // namespace kalmo
