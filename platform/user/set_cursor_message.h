// WM_SETCURSOR: sent to the window under the pointer as each mouse message
// is read, so that the window picks the pointer's shape (DefWindowProcA:
// the parent's say first, then the class cursor).
#ifndef VANTREL_PLATFORM_USER_SET_CURSOR_MESSAGE_H
#define VANTREL_PLATFORM_USER_SET_CURSOR_MESSAGE_H

#include <vantrel/win32/window.h>

namespace vtl {

// A mouse message was taken from the queue: WM_SETCURSOR for its window,
// unless a window has the mouse captured.
void sendSetCursor(const MSG& mouse);

// What DefWindowProcA answers to WM_SETCURSOR.
LRESULT defaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);

} // namespace vtl

#endif
