// What the line store asks of the editor that owns it. The store knows
// nothing else of the editor: caret, selection and painting stay above it.
#pragma once

namespace kalmo {

class LineStoreOwner {
public:
    // Tabs become this many spaces.
    virtual int tabWidth() const = 0;
    // A change outside a bulk update.
    virtual void storeChanged() = 0;
    // Lines were taken out: the view may now reach beyond the last one.
    virtual void storeShrank() = 0;
    // The public insert keeps no selection across it and repaints after it.
    virtual void beforeInsertLine() = 0;
    virtual void afterInsertLine() = 0;
    // The public delete goes through the editor's own delete-line command.
    virtual void deleteLineAt(int index) = 0;
    // A clear leaves nothing selected and the caret at the start.
    virtual void beforeClear() = 0;
    // A bulk append outside any bulk update is shown at once.
    virtual void afterAppend() = 0;

protected:
    ~LineStoreOwner() = default;
};

} // namespace kalmo
