// Device contexts and their state: memory contexts over a surface's pixels,
// window contexts, the desktop's context, and stock objects.
//
// A window's context draws into the window's pixels where the backend has
// them (SDL: the window's canvas, which starts as the frame on the screen),
// shown on ReleaseDC, the way drawing into a window shows at once; the
// display's presentation draws over it on its next frame.  The
// desktop's context and windows without a surface (headless, children)
// measure text and answer GetDeviceCaps but draw nothing.
#include "platform/gdi/gdi_objects.h"
#include "platform/user/video_backend.h"
#include "platform/kernel/trace.h"
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

namespace vtl {
namespace {

bool knownFormat(const VTLPixelFormat& f)
{
    switch (f.bitsPerPixel) {
    case 8: return f.bytesPerPixel == 1;
    case 16: return f.bytesPerPixel == 2 && (f.formatCode & ~PF_BGR) >= PF_RGB555 && (f.formatCode & ~PF_BGR) <= PF_RGB565;
    case 24: return f.bytesPerPixel == 3 && (f.formatCode & ~PF_BGR) == PF_RGB24;
    case 32: return f.bytesPerPixel == 4 && (f.formatCode & ~PF_BGR) == PF_RGB32;
    default: return false;
    }
}

// Points a window's context at the window's surface when the backend has
// one in a format text can be drawn into.
bool knownFormatOrZero(DeviceContext* dc, const WindowRef& w)
{
    if (!videoBackend().windowPixels(*w, &dc->pixels, &dc->pitch, &dc->width, &dc->height, &dc->format) ||
        !knownFormat(dc->format)) {
        dc->pixels = nullptr;
        dc->width = dc->height = 0;
        dc->format = VTLPixelFormat{};
        return false;
    }
    return true;
}

DeviceContext* liveDC(HDC dc) { return static_cast<DeviceContext*>(liveObject(dc, GdiKind::kDC)); }

void destroyDC(DeviceContext* dc)
{
    unregisterObject(dc);
    releaseFontSelection(dc->font);
    delete dc;
}

} // namespace

HDC createMemoryDC(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format)
{
    if (!pixels || width <= 0 || height <= 0 || !knownFormat(format) ||
        pitch < static_cast<DWORD>(width) * format.bytesPerPixel)
        return nullptr;
    std::lock_guard<std::mutex> lock(gdiMutex());
    auto* dc = new DeviceContext;
    dc->pixels = pixels;
    dc->pitch = pitch;
    dc->width = width;
    dc->height = height;
    dc->format = format;
    registerObject(dc);
    return static_cast<HDC>(handleOf(dc));
}

void destroyMemoryDC(HDC handle)
{
    std::lock_guard<std::mutex> lock(gdiMutex());
    if (DeviceContext* dc = liveDC(handle))
        destroyDC(dc);
}

} // namespace vtl

using namespace vtl;

HGDIOBJ GetStockObject(int object)
{
    VTL_TRACE(gdi, "GetStockObject", object);
    static Brush white(RGB(255, 255, 255), false), black(RGB(0, 0, 0), false), hollow(0, true);
    std::lock_guard<std::mutex> lock(gdiMutex());
    Brush* brush = nullptr;
    switch (object) {
    case WHITE_BRUSH: brush = &white; break;
    case BLACK_BRUSH: brush = &black; break;
    case NULL_BRUSH: brush = &hollow; break;
    case 10: // OEM_FIXED_FONT
    case 12: // ANSI_VAR_FONT
    case 13: // SYSTEM_FONT
    case 17: // DEFAULT_GUI_FONT
        return vtlTraceCall_.result(handleOf(defaultFont()));
    default: return vtlTraceCall_.result(nullptr);
    }
    if (!brush->stock) {
        brush->stock = true;
        registerObject(brush);
    }
    return vtlTraceCall_.result(handleOf(brush));
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    VTL_TRACE(gdi, "SelectObject", handle, object);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc)
        return vtlTraceCall_.result(nullptr);
    if (Font* font = static_cast<Font*>(liveObject(object, GdiKind::kFont))) {
        Font* previous = fontOf(*dc);
        if (font != dc->font) {
            if (!font->stock)
                ++font->selections;
            releaseFontSelection(dc->font);
            dc->font = font->stock ? nullptr : font;
        }
        // A font deleted while selected is gone for good once released.
        if (previous && previous->deleted && previous->selections <= 0)
            return vtlTraceCall_.result(nullptr);
        return vtlTraceCall_.result(handleOf(previous));
    }
    if (GdiObject* brush = liveObject(object, GdiKind::kBrush)) {
        GdiObject* previous = dc->brush;
        dc->brush = brush;
        return vtlTraceCall_.result(handleOf(previous));
    }
    return vtlTraceCall_.result(nullptr);
}

int SetBkMode(HDC handle, int mode)
{
    VTL_TRACE(gdi, "SetBkMode", handle, mode);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return vtlTraceCall_.result(0);
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return vtlTraceCall_.result(previous);
}

namespace {

COLORREF swapColor(HDC handle, COLORREF DeviceContext::*field, COLORREF color)
{
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc)
        return CLR_INVALID;
    COLORREF previous = dc->*field;
    dc->*field = color & 0xFFFFFF;
    return previous;
}

} // namespace

COLORREF SetTextColor(HDC handle, COLORREF color)
{
    VTL_TRACE(gdi, "SetTextColor", handle, color);
    return vtlTraceCall_.result(swapColor(handle, &DeviceContext::textColor, color));
}

COLORREF SetBkColor(HDC handle, COLORREF color)
{
    VTL_TRACE(gdi, "SetBkColor", handle, color);
    return vtlTraceCall_.result(swapColor(handle, &DeviceContext::bkColor, color));
}

HDC GetDC(HWND hwnd)
{
    VTL_TRACE(gdi, "GetDC", hwnd);
    if (hwnd == GetDesktopWindow())
        hwnd = nullptr; // the desktop's context is the screen's
    WindowRef w = lookupWindow(hwnd);
    if (hwnd && !w)
        return vtlTraceCall_.result(nullptr);
    auto* dc = new DeviceContext;
    dc->window = hwnd;
    if (w && w->native && knownFormatOrZero(dc, w))
        dc->windowPixels = true;
    std::lock_guard<std::mutex> lock(gdiMutex());
    registerObject(dc);
    return vtlTraceCall_.result(static_cast<HDC>(handleOf(dc)));
}

int ReleaseDC(HWND, HDC handle)
{
    VTL_TRACE(gdi, "ReleaseDC", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc || (dc->pixels && !dc->windowPixels))
        return vtlTraceCall_.result(0); // memory contexts are freed by whoever made them
    if (dc->windowPixels) {
        if (WindowRef w = lookupWindow(dc->window))
            videoBackend().presentPixels(*w);
    }
    destroyDC(dc);
    return vtlTraceCall_.result(1);
}

int GetDeviceCaps(HDC handle, int index)
{
    VTL_TRACE(gdi, "GetDeviceCaps", handle, index);
    VTLPixelFormat format;
    int width, height;
    {
        std::lock_guard<std::mutex> lock(gdiMutex());
        DeviceContext* dc = liveDC(handle);
        if (!dc)
            return vtlTraceCall_.result(0);
        format = dc->format;
        width = dc->width;
        height = dc->height;
    }
    if (!format.bitsPerPixel) {
        Desktop d = desktop();
        format = d.format;
        width = d.width;
        height = d.height;
    }
    switch (index) {
    case BITSPIXEL: return vtlTraceCall_.result(format.bitsPerPixel);
    case PLANES: return vtlTraceCall_.result(1);
    case HORZRES: return vtlTraceCall_.result(width);
    case VERTRES: return vtlTraceCall_.result(height);
    default:
        VTL_UNSUPPORTED("GetDeviceCaps other than BITSPIXEL, PLANES, HORZRES and VERTRES", "returns 0");
        return vtlTraceCall_.result(0);
    }
}
