// What DefWindowProcA does with WM_SETICON and WM_GETICON: each window keeps
// a big and a small icon, set by WM_SETICON (which answers the one it
// replaces) and read back by WM_GETICON.
#ifndef VANTREL_PLATFORM_USER_WINDOW_ICONS_H
#define VANTREL_PLATFORM_USER_WINDOW_ICONS_H

#include <vantrel/win32/types.h>

namespace vtl {

LRESULT setWindowIcon(HWND hwnd, WPARAM type, HICON icon);
LRESULT windowIcon(HWND hwnd, WPARAM type);

} // namespace vtl

#endif
