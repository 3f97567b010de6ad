// The About and Help windows' CLOSE button made from its stored layout: the
// one place where its look, its tab stop and its keys are set.
#pragma once

#include "app/layouts/CloseButtonLayout.h"

#include <functional>

class QWidget;

namespace kalmo {

class TGlassButton;

// A CLOSE button named GlassButton1 on `window`: a tab stop, so that Tab
// reaches it and Space and Enter press it; a click on it and Escape anywhere
// in the window run `close`.
TGlassButton* addCloseButton(QWidget& window, const layout::CloseButtonLayout& layout, std::function<void()> close);

} // namespace kalmo
