// The hot keys of RegisterHotKey, looked up for each key the game's windows
// are given.
#ifndef VANTREL_PLATFORM_USER_HOT_KEYS_H
#define VANTREL_PLATFORM_USER_HOT_KEYS_H

#include <vantrel/win32/types.h>

namespace vtl {

// A key went down with `modifiers` (MOD_ALT, MOD_CONTROL, MOD_SHIFT,
// MOD_WIN) held: when it is a hot key, posts its WM_HOTKEY and returns true,
// and the key-down message is not given.  A repeat is a hot key again
// unless it was registered with MOD_NOREPEAT.
bool takeHotKey(UINT vk, UINT modifiers, bool repeat);

} // namespace vtl

#endif
