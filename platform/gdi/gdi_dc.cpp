// Device contexts and their state: memory contexts (CreateCompatibleDC)
// drawing into their selected bitmap, contexts over a surface's pixels,
// window contexts, the desktop's context, and stock objects.
//
// A window's context draws into the window's pixels where the backend has
// them (SDL: the window's canvas, which starts as the frame on the screen),
// shown on ReleaseDC and after each block transfer, the way drawing into a
// window shows at once; the display's presentation draws over it on its
// next frame.  The desktop's context and windows without a surface
// (headless, children) measure text and answer GetDeviceCaps but draw
// nothing.
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/video_backend.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/gdi_brushes.h>
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
// one in a format GDI can draw into.
void attachWindowPixels(DeviceContext* dc, const WindowRef& w)
{
    unsigned char* pixels = nullptr;
    DWORD pitch = 0;
    int width = 0, height = 0;
    VTLPixelFormat format{};
    if (!videoBackend().windowPixels(*w, &pixels, &pitch, &width, &height, &format) || !knownFormat(format))
        return;
    dc->space = spaceOf(pixels, pitch, width, height, format);
    dc->format = format;
}

void destroyDC(DeviceContext* dc)
{
    unregisterObject(dc);
    releaseSelection(dc->font);
    releaseSelection(dc->brush);
    releaseSelection(dc->palette);
    if (dc->bitmap)
        selectBitmap(*dc, nullptr);
    delete dc;
}

void startDefaults(DeviceContext* dc)
{
    dc->brush = stockBrush(WHITE_BRUSH);
}

} // namespace

DeviceContext* liveDC(HDC dc) { return static_cast<DeviceContext*>(liveObject(dc, GdiKind::kDC)); }

GdiObject* stockBrush(int which)
{
    static Brush white(RGB(255, 255, 255), false), light(RGB(192, 192, 192), false),
        gray(RGB(128, 128, 128), false), dark(RGB(64, 64, 64), false), black(RGB(0, 0, 0), false),
        hollow(0, true);
    Brush* brush = nullptr;
    switch (which) {
    case WHITE_BRUSH: brush = &white; break;
    case LTGRAY_BRUSH: brush = &light; break;
    case GRAY_BRUSH: brush = &gray; break;
    case DKGRAY_BRUSH: brush = &dark; break;
    case BLACK_BRUSH: brush = &black; break;
    case NULL_BRUSH: brush = &hollow; break;
    default: return nullptr;
    }
    if (!brush->stock) {
        brush->stock = true;
        registerObject(brush);
    }
    return brush;
}

COLORREF resolveColor(const DeviceContext& dc, COLORREF color)
{
    if ((color >> 24) == 1) {
        const Palette* palette = dc.palette ? dc.palette : defaultPalette();
        const size_t index = color & 0xFFFF;
        if (index >= palette->entries.size())
            return RGB(0, 0, 0);
        const PALETTEENTRY& e = palette->entries[index];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    return color & 0xFFFFFF;
}

void windowDrawn(DeviceContext& dc)
{
    if (dc.dcKind != DCKind::kWindow || !dc.space.drawable())
        return;
    if (WindowRef w = lookupWindow(dc.window))
        videoBackend().presentPixels(*w);
}

HDC createSurfaceDC(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format,
                    const PALETTEENTRY* palette)
{
    if (!pixels || width <= 0 || height <= 0 || !knownFormat(format) ||
        pitch < static_cast<DWORD>(width) * format.bytesPerPixel)
        return nullptr;
    std::lock_guard<std::mutex> lock(gdiMutex());
    auto* dc = new DeviceContext;
    dc->dcKind = DCKind::kSurface;
    dc->space = spaceOf(pixels, pitch, width, height, format);
    dc->format = format;
    if (format.bitsPerPixel == 8 && palette) {
        for (int i = 0; i < 256; ++i)
            dc->surfaceColors[i] = RGBQUAD{palette[i].peBlue, palette[i].peGreen, palette[i].peRed, 0};
        dc->space.colors = dc->surfaceColors;
        dc->space.colorCount = 256;
    }
    startDefaults(dc);
    registerObject(dc);
    return static_cast<HDC>(handleOf(dc));
}

HDC createMemoryDC(unsigned char* pixels, DWORD pitch, int width, int height, const VTLPixelFormat& format)
{
    return createSurfaceDC(pixels, pitch, width, height, format, nullptr);
}

void destroyMemoryDC(HDC handle)
{
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (dc && dc->dcKind == DCKind::kSurface)
        destroyDC(dc);
}

} // namespace vtl

using namespace vtl;

HGDIOBJ GetStockObject(int object)
{
    VTL_TRACE(gdi, "GetStockObject", object);
    std::lock_guard<std::mutex> lock(gdiMutex());
    switch (object) {
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
        return vtlTraceCall_.result(handleOf(defaultFont()));
    case DEFAULT_PALETTE: return vtlTraceCall_.result(handleOf(defaultPalette()));
    default: return vtlTraceCall_.result(handleOf(stockBrush(object)));
    }
}

HDC CreateCompatibleDC(HDC handle)
{
    VTL_TRACE(gdi, "CreateCompatibleDC", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    if (handle && !liveDC(handle)) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    auto* dc = new DeviceContext;
    dc->dcKind = DCKind::kMemory;
    startDefaults(dc);
    selectBitmap(*dc, defaultBitmap());
    registerObject(dc);
    return vtlTraceCall_.result(static_cast<HDC>(handleOf(dc)));
}

BOOL DeleteDC(HDC handle)
{
    VTL_TRACE(gdi, "DeleteDC", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    // A surface's context is the surface's to release.
    if (!dc || dc->dcKind == DCKind::kSurface)
        return vtlTraceCall_.result(FALSE);
    destroyDC(dc);
    return vtlTraceCall_.result(TRUE);
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    VTL_TRACE(gdi, "SelectObject", handle, object);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    GdiObject* o = objectOf(object);
    if (!dc || !o) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    switch (o->kind) {
    case GdiKind::kFont: {
        Font* font = static_cast<Font*>(o);
        Font* previous = fontOf(*dc);
        if (font != dc->font) {
            holdSelection(font);
            releaseSelection(dc->font);
            dc->font = font->stock ? nullptr : font;
        }
        // A font deleted while selected is gone for good once released.
        if (previous && previous->deleted && previous->selections <= 0)
            return vtlTraceCall_.result(nullptr);
        return vtlTraceCall_.result(handleOf(previous));
    }
    case GdiKind::kBrush: {
        GdiObject* previous = dc->brush;
        HGDIOBJ answer = previous && !(previous->deleted && previous->selections <= 1) ? handleOf(previous) : nullptr;
        holdSelection(o);
        dc->brush = o;
        releaseSelection(previous);
        return vtlTraceCall_.result(answer);
    }
    case GdiKind::kBitmap: {
        Bitmap* bitmap = static_cast<Bitmap*>(o);
        // Only a memory context holds a bitmap, and a bitmap is in one
        // context at a time.
        if (dc->dcKind != DCKind::kMemory || (bitmap->selectedInto && bitmap->selectedInto != dc))
            return vtlTraceCall_.result(nullptr);
        Bitmap* previous = dc->bitmap;
        HGDIOBJ answer = previous && !(previous->deleted && previous->selections <= 1) ? handleOf(previous) : nullptr;
        selectBitmap(*dc, bitmap);
        return vtlTraceCall_.result(answer);
    }
    default:
        // Palettes go through SelectPalette.
        return vtlTraceCall_.result(nullptr);
    }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type)
{
    VTL_TRACE(gdi, "GetCurrentObject", handle, type);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc)
        return vtlTraceCall_.result(nullptr);
    switch (type) {
    case OBJ_BRUSH: return vtlTraceCall_.result(handleOf(dc->brush));
    case OBJ_FONT: return vtlTraceCall_.result(handleOf(fontOf(*dc)));
    case OBJ_PAL: return vtlTraceCall_.result(handleOf(dc->palette ? dc->palette : defaultPalette()));
    case OBJ_BITMAP: return vtlTraceCall_.result(handleOf(dc->bitmap ? dc->bitmap : defaultBitmap()));
    default: return vtlTraceCall_.result(nullptr);
    }
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

int SetStretchBltMode(HDC handle, int mode)
{
    VTL_TRACE(gdi, "SetStretchBltMode", handle, mode);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return vtlTraceCall_.result(0);
    int previous = dc->stretchMode;
    dc->stretchMode = mode;
    return vtlTraceCall_.result(previous);
}

int GetStretchBltMode(HDC handle)
{
    VTL_TRACE(gdi, "GetStretchBltMode", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    return vtlTraceCall_.result(dc ? dc->stretchMode : 0);
}

namespace {

COLORREF swapColor(HDC handle, COLORREF DeviceContext::*field, COLORREF color)
{
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc)
        return CLR_INVALID;
    COLORREF previous = dc->*field;
    // PALETTEINDEX and PALETTERGB colours keep their flag, which says how
    // to read them.
    dc->*field = color & 0x03FFFFFF;
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
    dc->dcKind = DCKind::kWindow;
    dc->window = hwnd;
    if (w && w->native)
        attachWindowPixels(dc, w);
    std::lock_guard<std::mutex> lock(gdiMutex());
    startDefaults(dc);
    registerObject(dc);
    return vtlTraceCall_.result(static_cast<HDC>(handleOf(dc)));
}

int ReleaseDC(HWND, HDC handle)
{
    VTL_TRACE(gdi, "ReleaseDC", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc || dc->dcKind != DCKind::kWindow)
        return vtlTraceCall_.result(0); // memory contexts are freed by whoever made them
    windowDrawn(*dc);
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
        width = dc->space.width;
        height = dc->space.height;
    }
    if (!format.bitsPerPixel) {
        Desktop d = desktop();
        format = d.format;
        width = d.width;
        height = d.height;
    }
    const bool palette = format.bitsPerPixel == 8;
    // RC_BITBLT, RC_BITMAP64, RC_DI_BITMAP, RC_DIBTODEV, RC_STRETCHBLT and,
    // on an 8-bit device, RC_PALETTE.
    const int rasterCaps = 0x0001 | 0x0008 | 0x0080 | 0x0200 | 0x0800 | (palette ? RC_PALETTE : 0);
    switch (index) {
    case BITSPIXEL: return vtlTraceCall_.result(format.bitsPerPixel);
    case PLANES: return vtlTraceCall_.result(1);
    case HORZRES: return vtlTraceCall_.result(width);
    case VERTRES: return vtlTraceCall_.result(height);
    case RASTERCAPS: return vtlTraceCall_.result(rasterCaps);
    case SIZEPALETTE: return vtlTraceCall_.result(palette ? 256 : 0);
    case NUMRESERVED: return vtlTraceCall_.result(palette ? 20 : 0);
    case NUMCOLORS: return vtlTraceCall_.result(palette ? 20 : -1);
    case LOGPIXELSX:
    case LOGPIXELSY:
        return vtlTraceCall_.result(96);
    default:
        VTL_UNSUPPORTED("GetDeviceCaps other than the depth, size, palette and pixels-per-inch queries", "returns 0");
        return vtlTraceCall_.result(0);
    }
}
