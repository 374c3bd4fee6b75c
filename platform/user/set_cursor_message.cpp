#include "platform/user/set_cursor_message.h"

#include "platform/user/message_queue.h"
#include "platform/user/window_state.h"

#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window_calls.h>

// Every mouse message here is over a client area: frames are the screen's.

namespace vtl {

void sendSetCursor(const MSG& mouse)
{
    if (mouse.message < WM_MOUSEFIRST || mouse.message > WM_MOUSELAST || captureWindow())
        return;
    WindowRef w = lookupWindow(mouse.hwnd);
    if (!w || w->destroying || !onOwnThread(*w))
        return;
    deliver(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(mouse.hwnd),
            MAKELPARAM(HTCLIENT, static_cast<WORD>(mouse.message)));
}

LRESULT defaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w)
        return FALSE;
    if ((w->style & WS_CHILD) && w->parent && SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    if (LOWORD(lParam) != HTCLIENT || !w->cls->cursor)
        return FALSE;
    SetCursor(w->cls->cursor);
    return TRUE;
}

} // namespace vtl
