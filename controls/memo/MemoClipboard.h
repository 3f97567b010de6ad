// The clipboard as the memo sees it: plain text in, plain text out. The
// widget backs it with the platform clipboard, tests with a string.
#pragma once

#include <string>

namespace kalmo {

class MemoClipboard {
public:
    virtual ~MemoClipboard() = default;
    virtual bool HasText() const = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

} // namespace kalmo
