// View > Keys: the choice between the classic and the common key scheme,
// kept in the settings and made the program's active scheme.
#pragma once

#include "base/KeyCodes.h"

#include <QMenu>

class QAction;

namespace kalmo {

class AppSettings;

class KeySchemeMenu : public QMenu {
    Q_OBJECT

public:
    // Makes the stored choice (the classic scheme when there is none) active.
    KeySchemeMenu(AppSettings& settings, QWidget* parent);

    QAction* Classic1 = nullptr;
    QAction* Common1 = nullptr;

signals:
    void schemeChosen(KeyScheme scheme);

private:
    void choose(KeyScheme scheme);

    AppSettings& settings_;
};

} // namespace kalmo
