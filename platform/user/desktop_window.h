// The desktop window: the parent of every top-level window, whose client
// area is the screen.  It is no window of the table (nothing is sent to it,
// no list of top-level windows holds it); the calls that take a window
// answer for its handle themselves.
#ifndef VANTREL_PLATFORM_USER_DESKTOP_WINDOW_H
#define VANTREL_PLATFORM_USER_DESKTOP_WINDOW_H

#include <vantrel/win32/types.h>

namespace vtl {

// Slot 0 holds no window of any process, so the handle is no one's window.
inline HWND desktopWindowHandle() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x00010010)); }
inline bool isDesktopWindow(HWND hwnd) { return hwnd == desktopWindowHandle(); }

} // namespace vtl

#endif
