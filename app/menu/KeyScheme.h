// The key scheme the running program follows, one for the whole process: the
// menu and the list of keys read it, View > Keys sets it and tells the memos
// (MemoKeys.h).
#pragma once

#include "app/menu/MenuCommands.h"

namespace kalmo {

inline KeyScheme& activeKeySchemeSlot()
{
    static KeyScheme scheme = KeyScheme::Classic;
    return scheme;
}

inline KeyScheme activeKeyScheme() { return activeKeySchemeSlot(); }
inline void setActiveKeyScheme(KeyScheme scheme) { activeKeySchemeSlot() = scheme; }

} // namespace kalmo
