// The small dialog of Navigate > Find: one line for the text to find.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace kalmo {

// The text typed, or nullopt when the user cancelled; the last text searched
// for is offered, selected.
std::optional<std::string> askFindTextWithDialog(QWidget* parent, const std::string& lastText);

} // namespace kalmo
