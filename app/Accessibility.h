// The program's own widgets paint themselves or stand for window-system
// parts Qt has no class for; one factory gives each its accessible
// interface (role, name, state, text). Qt's widgets keep Qt's own.
#pragma once

namespace kalmo {

// Safe to call more than once; call before the windows are created.
void installAccessibility();

} // namespace kalmo
