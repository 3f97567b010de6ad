// The program's keys told to its memos: the key scheme and the shortcuts
// the menu takes under it, when a memo is made and whenever View > Keys
// changes the scheme. The memos themselves know nothing of the menu.
#pragma once

#include "base/KeyCodes.h"

namespace kalmo {

class TCodeMemo;

// The memo follows the program's keys from now on, for as long as it lives.
void followProgramKeys(TCodeMemo& memo);

// The scheme the whole program follows from now on, every memo included.
void setProgramKeyScheme(KeyScheme scheme);

} // namespace kalmo
