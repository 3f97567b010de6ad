// File > Reload with Encoding: the character sets a file can be read in
// again, grouped by script or region, the set in use checked.
#pragma once

#include "job/TextEncoding.h"

#include <QMenu>

#include <functional>
#include <string>

class QActionGroup;

namespace kalmo {

// The items are made when the menu first opens: the start-up draws the
// window without waiting for items nobody sees until then. Each item is
// named by its set's plain name.
class EncodingMenu : public QMenu {
    Q_OBJECT

public:
    using Chosen = std::function<void(const TextEncoding&)>;
    EncodingMenu(Chosen chosen, QWidget* parent = nullptr);

    // The set whose item is checked; "" checks none. Kept until the items
    // exist; said again after a choice, whose item the click checked.
    void SetInUse(const std::string& name);

private:
    void makeItems();
    void markInUse();

    Chosen chosen_;
    QActionGroup* group_ = nullptr;
    std::string inUse_;
};

} // namespace kalmo
