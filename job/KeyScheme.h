// The key scheme the running program follows, one for the whole process: the
// menu, every memo and the list of keys read it, the main window sets it.
#pragma once

#include "job/MenuCommands.h"

namespace kalmo {

inline KeyScheme& activeKeySchemeSlot()
{
    static KeyScheme scheme = KeyScheme::Classic;
    return scheme;
}

inline KeyScheme activeKeyScheme() { return activeKeySchemeSlot(); }
inline void setActiveKeyScheme(KeyScheme scheme) { activeKeySchemeSlot() = scheme; }

} // namespace kalmo
