// What a window does with a message its procedure passes on.
#include "platform/user/message_queue.h"
#include "platform/user/remote_windows.h"
#include "platform/user/video_backend.h"
#include "platform/user/set_cursor_message.h"
#include "platform/user/window_state.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/resources.h>
#include <vantrel/win32/window_calls.h>

#include <algorithm>
#include <cstring>

using namespace vtl;

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    VTL_TRACE(user, "DefWindowProcA", hwnd, vtl::trace::Message{message}, wParam, lParam);
    switch (message) {
    case WM_NCCREATE:
    case WM_NCACTIVATE:
        return vtlTraceCall_.result(TRUE);
    case WM_NCCALCSIZE:
        // The first rectangle becomes the client area.
        if (WindowRef w = lookupWindow(hwnd)) {
            if (RECT* r = reinterpret_cast<RECT*>(lParam)) {
                RECT f = frameOf(*w);
                *r = RECT{r->left + f.left, r->top + f.top, std::max(r->left + f.left, r->right - f.right),
                          std::max(r->top + f.top, r->bottom - f.bottom)};
            }
        }
        return vtlTraceCall_.result(0);
    case WM_WINDOWPOSCHANGED:
        if (WindowRef w = lookupWindow(hwnd)) {
            if (const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam))
                sendClientChange(w, *pos);
        }
        return vtlTraceCall_.result(0);
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return vtlTraceCall_.result(0);
    case WM_PAINT:
        // What BeginPaint and EndPaint would do, short of drawing: the
        // region is valid afterwards, so the window is not asked again.
        if (WindowRef w = lookupWindow(hwnd))
            validateArea(*w, nullptr);
        return vtlTraceCall_.result(0);
    case WM_ERASEBKGND:
        // The system erases with the class's background brush; a class
        // without one leaves the background to BeginPaint's caller, which
        // then finds fErase set.  What the screen shows is the game's own
        // drawing, so the brush itself is not painted.
        if (WindowRef w = lookupWindow(hwnd))
            return vtlTraceCall_.result(w->cls && w->cls->background ? 1 : 0);
        return vtlTraceCall_.result(0);
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the top-level window to close through its system
        // command, so that a game that handles SC_CLOSE sees it there.
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            PostMessageA(topLevelOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return vtlTraceCall_.result(0);
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: return vtlTraceCall_.result(SendMessageA(hwnd, WM_CLOSE, 0, 0));
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return vtlTraceCall_.result(0);
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return vtlTraceCall_.result(0);
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return vtlTraceCall_.result(0);
        default: return vtlTraceCall_.result(0);
        }
    case WM_SETTEXT: {
        WindowRef w = lookupWindow(hwnd);
        if (!w)
            return vtlTraceCall_.result(FALSE);
        const char* text = reinterpret_cast<const char*>(lParam);
        w->title = text ? text : "";
        if (w->native)
            videoBackend().syncTitle(*w);
        if (!w->parent)
            publishWindow(*w);
        return vtlTraceCall_.result(TRUE);
    }
    case WM_SETCURSOR: return vtlTraceCall_.result(defaultSetCursor(hwnd, wParam, lParam));
    case WM_SETICON: {
        WindowRef w = lookupWindow(hwnd);
        if (!w || (wParam != ICON_SMALL && wParam != ICON_BIG))
            return vtlTraceCall_.result(0);
        HICON& slot = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
        const HICON before = slot;
        slot = reinterpret_cast<HICON>(lParam);
        if (w->native)
            videoBackend().syncIcon(*w);
        return vtlTraceCall_.result(reinterpret_cast<LRESULT>(before));
    }
    case WM_GETICON: {
        WindowRef w = lookupWindow(hwnd);
        if (!w)
            return vtlTraceCall_.result(0);
        // ICON_SMALL2 (2): the small icon, else the big one shrunk.
        const HICON icon = wParam == ICON_BIG     ? w->bigIcon
                           : wParam == ICON_SMALL ? w->smallIcon
                           : wParam != 2          ? nullptr
                           : w->smallIcon         ? w->smallIcon
                                                  : w->bigIcon;
        return vtlTraceCall_.result(reinterpret_cast<LRESULT>(icon));
    }
    case WM_GETTEXT: {
        WindowRef w = lookupWindow(hwnd);
        return vtlTraceCall_.result(w ? copyWindowTitle(*w, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam)) : 0);
    }
    default:
        return vtlTraceCall_.result(0);
    }
}
