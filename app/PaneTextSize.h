// The size of the source viewer's text: the keys of kPaneTextSizeKeys in the
// viewer, and Ctrl with the mouse wheel over a pane, make both panes' text
// (line numbers included) larger, smaller or as first laid out. The size is
// kept in the settings and given back when the viewer is made.
#pragma once

#include "app/menu/KeyboardShortcuts.h"

#include <QObject>

#include <memory>

class TForm2;

namespace kalmo {

class AppSettings;

class PaneTextSize : public QObject {
    Q_OBJECT

public:
    // The sizes offered, in pixels; a size between them steps to the next.
    static constexpr int Smallest = 8;
    static constexpr int Largest = 32;

    PaneTextSize(TForm2& viewer, std::shared_ptr<AppSettings> settings);

    int Pixels() const { return pixels_; }
    void SetPixels(int pixels);
    void Step(PaneTextStep step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm2& viewer_;
    std::shared_ptr<AppSettings> settings_;
    int storedPixels_;
    int pixels_;
};

} // namespace kalmo
