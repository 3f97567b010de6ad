// A language file dropped onto a window: the window and its controls that
// take drops of their own (the translation field takes dropped text) hand a
// single dropped *.php file to `load`, once the drop is over.
#pragma once

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace kalmo {

class LanguageFileDrop : public QObject {
public:
    using Load = std::function<void(const std::string& path)>;
    LanguageFileDrop(QWidget& window, Load load);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Load load_;
};

} // namespace kalmo
