// The desktop: its size, work area and format, the metrics derived from them,
// and the backend's view of a window for the rest of the library.
#include "platform/user/message_queue.h"
#include "platform/user/video_backend.h"
#include "platform/user/input_events.h"
#include "platform/user/pointer_clip.h"
#include "platform/user/window_observers.h"
#include "platform/user/window_state.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/seam/display_change.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace vtl {
namespace {

struct NamedFormat {
    const char* name;
    VTLPixelFormat format;
};

const NamedFormat kFormats[] = {
    {"pal8", {PF_PAL8, 8, 1, 0xE0, 0x1C, 0x03}},
    {"rgb555", {PF_RGB555, 16, 2, 0x7C00, 0x03E0, 0x001F}},
    {"rgb565", {PF_RGB565, 16, 2, 0xF800, 0x07E0, 0x001F}},
    {"bgr555", {PF_RGB555 | PF_BGR, 16, 2, 0x001F, 0x03E0, 0x7C00}},
    {"bgr565", {PF_RGB565 | PF_BGR, 16, 2, 0x001F, 0x07E0, 0xF800}},
    {"rgb24", {PF_RGB24, 24, 3, 0xFF0000, 0x00FF00, 0x0000FF}},
    {"bgr24", {PF_RGB24 | PF_BGR, 24, 3, 0x0000FF, 0x00FF00, 0xFF0000}},
    {"rgb32", {PF_RGB32, 32, 4, 0xFF0000, 0x00FF00, 0x0000FF}},
    {"bgr32", {PF_RGB32 | PF_BGR, 32, 4, 0x0000FF, 0x00FF00, 0xFF0000}},
};

// The full-screen mode's size while one is set (0 x 0 otherwise).  Read by
// any thread that asks for the desktop, set by the game's thread.
std::mutex gModeLock;
int gModeWidth = 0;
int gModeHeight = 0;

bool modeSize(int* width, int* height)
{
    std::lock_guard<std::mutex> lock(gModeLock);
    *width = gModeWidth;
    *height = gModeHeight;
    return gModeWidth > 0 && gModeHeight > 0;
}

} // namespace

bool desktopFormatNamed(const char* name, VTLPixelFormat* format)
{
    for (const NamedFormat& f : kFormats) {
        if (name && std::strcmp(name, f.name) == 0) {
            *format = f.format;
            return true;
        }
    }
    return false;
}

Desktop desktop()
{
    Desktop d = videoBackend().screen();
    int modeWidth = 0, modeHeight = 0;
    if (modeSize(&modeWidth, &modeHeight)) {
        d.width = modeWidth;
        d.height = modeHeight;
        d.workArea = RECT{0, 0, modeWidth, modeHeight};
    }
    // Games of this interface were drawn for 16-bit desktops, and the effect
    // blits draw nothing on 24- and 32-bit surfaces: the emulated desktop is
    // 5-6-5 whatever the real screen is (presentation converts), unless the
    // player asks for the screen's own format with "native".  An unknown
    // name is ignored (5-6-5) rather than failing every window call.
    const char* asked = std::getenv("VANTREL_DESKTOP");
    if (asked && std::strcmp(asked, "native") == 0)
        return d;
    if (!desktopFormatNamed(asked, &d.format))
        desktopFormatNamed("rgb565", &d.format);
    return d;
}

void setDesktopMode(int width, int height)
{
    // A window that covered the old screen, or covers the new one, is shown
    // differently now: its native window is placed again.  Other windows
    // keep their place (and a player's sizing of their picture).
    std::vector<WindowRef> onScreen;
    std::vector<bool> covered;
    if (existingVideoBackend()) {
        for (const WindowRef& w : allWindows()) {
            if (!w->parent && w->native && onOwnThread(*w) && !w->destroying) {
                onScreen.push_back(w);
                covered.push_back(coversTheModeScreen(*w));
            }
        }
    }
    {
        std::lock_guard<std::mutex> lock(gModeLock);
        const bool set = width > 0 && height > 0;
        gModeWidth = set ? width : 0;
        gModeHeight = set ? height : 0;
    }
    for (size_t i = 0; i < onScreen.size(); ++i) {
        if (covered[i] || coversTheModeScreen(*onScreen[i]))
            videoBackend().syncGeometry(*onScreen[i]);
    }
}

bool coversTheModeScreen(const Window& w)
{
    int modeWidth = 0, modeHeight = 0;
    if (w.parent || !modeSize(&modeWidth, &modeHeight))
        return false;
    const RECT f = frameFor(w.style, w.exStyle, false);
    return f.left == 0 && f.top == 0 && f.right == 0 && f.bottom == 0 && w.rect.left == 0 && w.rect.top == 0 &&
           w.rect.right == modeWidth && w.rect.bottom == modeHeight;
}

void* nativeWindow(HWND hwnd)
{
    WindowRef w = lookupWindow(hwnd);
    return w ? w->native : nullptr;
}

bool clientAreaOnScreen(HWND hwnd, RECT* area)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || !area)
        return false;
    POINT o = clientOriginOnScreen(*w);
    RECT c = clientRectOf(*w);
    *area = RECT{o.x, o.y, o.x + c.right, o.y + c.bottom};
    return true;
}

bool isMinimized(HWND hwnd)
{
    WindowRef w = lookupWindow(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

void broadcastDisplayChange(unsigned bitsPerPixel, int width, int height)
{
    for (const WindowRef& w : allWindows()) {
        if (!w->parent && onOwnThread(*w) && !w->destroying)
            deliver(w, WM_DISPLAYCHANGE, bitsPerPixel, MAKELPARAM(width, height));
    }
}

void listenToTheDisplay()
{
    static const int listening = listenToDisplayChanges(
        [](unsigned bitsPerPixel, int width, int height, void*) { broadcastDisplayChange(bitsPerPixel, width, height); },
        nullptr);
    (void)listening;
}

} // namespace vtl

using namespace vtl;

int GetSystemMetrics(int index)
{
    VTL_TRACE(user, "GetSystemMetrics", index);
    switch (index) {
    case SM_CXSCREEN: return vtlTraceCall_.result(desktop().width);
    case SM_CYSCREEN: return vtlTraceCall_.result(desktop().height);
    case SM_CXFULLSCREEN: {
        RECT a = desktop().workArea;
        return vtlTraceCall_.result(a.right - a.left);
    }
    case SM_CYFULLSCREEN: {
        RECT a = desktop().workArea;
        return vtlTraceCall_.result(a.bottom - a.top - 19);
    }
    case SM_CXVSCROLL: return vtlTraceCall_.result(17);
    case SM_CYCAPTION: return vtlTraceCall_.result(19);
    case SM_CXBORDER:
    case SM_CYBORDER: return vtlTraceCall_.result(1);
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return vtlTraceCall_.result(3);
    case SM_CXFRAME:
    case SM_CYFRAME: return vtlTraceCall_.result(4);
    case SM_CXMINIMIZED: return vtlTraceCall_.result(kMinimizedWidth);
    case SM_CYMINIMIZED: return vtlTraceCall_.result(kMinimizedHeight);
    default: return vtlTraceCall_.result(0);
    }
}

BOOL SystemParametersInfoA(UINT action, UINT, PVOID data, UINT)
{
    VTL_TRACE(user, "SystemParametersInfoA", action, data);
    if (action != SPI_GETWORKAREA)
        VTL_UNSUPPORTED("SystemParametersInfoA other than SPI_GETWORKAREA", "fails");
    if (action != SPI_GETWORKAREA || !data) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    *static_cast<RECT*>(data) = desktop().workArea;
    return vtlTraceCall_.result(TRUE);
}

BOOL GetCursorPos(LPPOINT point)
{
    VTL_TRACE(frame, "GetCursorPos", point);
    if (!point)
        return vtlTraceCall_.result(FALSE);
    if (!videoBackend().cursorPos(point))
        *point = lastCursorPos();
    *point = clipPoint(*point);
    return vtlTraceCall_.result(TRUE);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    VTL_TRACE(user, "MessageBoxA", owner, text, caption, type);
    return vtlTraceCall_.result(videoBackend().messageBox(owner, text ? text : "", caption ? caption : "Error", type));
}
