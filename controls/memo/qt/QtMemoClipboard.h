// The memo's clipboard on the platform clipboard: plain text only, passed
// through unchanged (the memo puts CR LF between copied lines and turns any
// line break it reads into CR LF itself).
#pragma once

#include "controls/memo/MemoClipboard.h"

namespace kalmo {

class QtMemoClipboard : public MemoClipboard {
public:
    bool HasText() const override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
};

} // namespace kalmo
