// How the main window's controls follow a client area larger than the
// stored one. Wider: the name and source fields and the translation field
// widen, the logo on the right keeps to the right edge and the status bar
// spans the width. Taller: the source text and the translation are shown in
// wrapping areas that share the extra height, the logo below them and the
// status bar keep to the bottom. At the stored size every control stands
// where the stored layout puts it, and the one-line field is the editor.
#pragma once

#include <QObject>

class TForm1;

namespace kalmo {

class MainWindowGrowth : public QObject {
    Q_OBJECT

public:
    // Follows the window's client area from now on, and places the controls
    // for its size at once.
    explicit MainWindowGrowth(TForm1& window);

    // The wrapping areas are shown in place of the one-line fields.
    bool Tall() const { return tall_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void showAreas(bool tall);

    TForm1& window_;
    bool tall_ = false;
};

} // namespace kalmo
