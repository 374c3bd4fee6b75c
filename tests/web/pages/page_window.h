// The test pages' one window: its class registered with `proc`, its client
// area `width` by `height` (the picture the page scales), shown.  False when
// any step fails.
#ifndef VANTREL_TESTS_WEB_PAGE_WINDOW_H
#define VANTREL_TESTS_WEB_PAGE_WINDOW_H

#include <vantrel.h>

inline bool openPageWindow(DXWindow& window, WNDPROC proc, int width, int height)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, VTL_NORMAL_STYLE, FALSE, WS_EX_APPWINDOW);
    if (!window.doReg(proc, 0, 0, 0) || !window.createWindow(r.right - r.left, r.bottom - r.top))
        return false;
    window.show(SW_SHOWNORMAL);
    return true;
}

#endif
