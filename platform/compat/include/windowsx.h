// <windowsx.h>: the message macros games of the era used beside <windows.h>.
#ifndef VANTREL_COMPAT_WINDOWSX_H
#define VANTREL_COMPAT_WINDOWSX_H

#include <windows.h>
#include <vantrel/win32/windowsx.h>

#define GET_WM_COMMAND_ID(wp, lp) LOWORD(wp)
#define GET_WM_COMMAND_HWND(wp, lp) ((HWND)(lp))
#define GET_WM_COMMAND_CMD(wp, lp) HIWORD(wp)
#define HANDLE_MSG(hwnd, message, fn) \
    case (message): return HANDLE_##message((hwnd), (wParam), (lParam), (fn))

#endif
