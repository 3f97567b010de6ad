// A clipboard that holds its text in memory: the script runner's, and the
// one tests and fuzzers hand to a memo in place of the platform's.
#pragma once

#include "controls/memo/MemoClipboard.h"

#include <string>

namespace kalmo {

class StringClipboard : public MemoClipboard {
public:
    bool HasText() const override { return hasText; }
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override
    {
        text = value;
        hasText = true;
    }

    bool hasText = false;
    std::string text;
};

} // namespace kalmo
