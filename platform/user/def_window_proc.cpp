// What a window does with a message its procedure passes on.
#include "platform/user/message_queue.h"
#include "platform/user/remote_windows.h"
#include "platform/user/video_backend.h"

#include <cstring>

using namespace vtl;

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
        if (WindowRef w = lookupWindow(hwnd))
            w->needsPaint = false;
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the window, as users expect.
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_SETTEXT: {
        WindowRef w = lookupWindow(hwnd);
        if (!w)
            return FALSE;
        const char* text = reinterpret_cast<const char*>(lParam);
        w->title = text ? text : "";
        if (w->native)
            videoBackend().syncTitle(*w);
        if (!w->parent)
            publishWindow(*w);
        return TRUE;
    }
    case WM_GETTEXT:
        return GetWindowTextA(hwnd, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    default:
        return 0;
    }
}
