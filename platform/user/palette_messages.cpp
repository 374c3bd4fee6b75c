// The palette messages: WM_QUERYNEWPALETTE to a window being activated and
// WM_PALETTECHANGED after a realisation changed the system palette.  Both
// come only on a palette display (displayDepth 8), as on Windows, where a
// display of more colours has no system palette to share.
#include <vantrel/seam/palette_messages.h>
#include <vantrel/win32/window_calls.h>

#include "platform/user/display_depth.h"
#include "platform/user/message_queue.h"
#include "platform/user/palette_activation.h"

namespace vtl {

void queryNewPalette(HWND top)
{
    if (displayDepth() != 8)
        return;
    if (WindowRef w = lookupWindow(top); w && onOwnThread(*w) && !w->destroying)
        deliver(w, WM_QUERYNEWPALETTE, 0, 0);
}

void paletteRealized(HWND window)
{
    if (displayDepth() != 8)
        return;
    for (const WindowRef& w : allWindows()) {
        if (w->parent || w->destroying)
            continue;
        if (onOwnThread(*w))
            deliver(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(window), 0);
        else
            SendMessageA(w->handle, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(window), 0);
    }
}

} // namespace vtl
