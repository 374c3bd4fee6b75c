// Brushes, FillRect and the system colours.
//
// Brushes are solid: a hatched brush paints its colour all over (said once
// through Msg), and pattern brushes are refused.  The system colours are
// Windows' standard scheme, which the dialogs of the window system draw in
// too.
#include "platform/gdi/raster.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"
#include <vantrel/seam/dialog_manager.h>

#include <vantrel/win32/gdi_brushes.h>

namespace vtl {
namespace {

constexpr int kSysColors = 31;

// Windows 2000's standard scheme by COLOR_* index; 25 is unused (0), 29 and
// 30 are the menu's highlight and bar.
constexpr COLORREF kSysColor[kSysColors] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    0,                  RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200),
};
static_assert(kSysColor[COLOR_BTNFACE] == RGB(kDialogFace >> 16, (kDialogFace >> 8) & 0xFF, kDialogFace & 0xFF),
              "dialogs are drawn in the button face colour");

HBRUSH newBrush(COLORREF color, bool hollow)
{
    std::lock_guard<std::mutex> lock(gdiMutex());
    auto* brush = new Brush(color & 0xFFFFFF, hollow);
    registerObject(brush);
    return static_cast<HBRUSH>(handleOf(brush));
}

} // namespace
} // namespace vtl

using namespace vtl;

HBRUSH CreateSolidBrush(COLORREF color)
{
    VTL_TRACE(gdi, "CreateSolidBrush", color);
    return vtlTraceCall_.result(newBrush(color, false));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush)
{
    VTL_TRACE(gdi, "CreateBrushIndirect", brush);
    if (!brush) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    switch (brush->lbStyle) {
    case BS_SOLID: return vtlTraceCall_.result(newBrush(brush->lbColor, false));
    case BS_NULL: return vtlTraceCall_.result(newBrush(0, true));
    case BS_HATCHED:
        VTL_UNSUPPORTED("hatched brushes", "the brush paints its colour solid");
        return vtlTraceCall_.result(newBrush(brush->lbColor, false));
    default:
        VTL_UNSUPPORTED("pattern brushes", "refused with ERROR_INVALID_PARAMETER");
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle)
{
    VTL_TRACE(gdi, "FillRect", handle, rect, brushHandle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    // A system colour index plus one stands for that colour's brush (no
    // object has so small a handle).
    const uintptr_t value = reinterpret_cast<uintptr_t>(brushHandle);
    GdiObject* brush = value >= 1 && value <= kSysColors ? nullptr : liveObject(brushHandle, GdiKind::kBrush);
    Brush sysBrush(value >= 1 && value <= kSysColors ? kSysColor[value - 1] : 0, false);
    if (!brush && value >= 1 && value <= kSysColors)
        brush = &sysBrush;
    if (!dc || !rect || !brush) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(0);
    }
    GdiObject* selected = dc->brush;
    dc->brush = brush;
    transfer(*dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, nullptr, 0, 0, 0, 0,
             PATCOPY);
    dc->brush = selected;
    return vtlTraceCall_.result(1);
}

DWORD GetSysColor(int index)
{
    VTL_TRACE(gdi, "GetSysColor", index);
    if (index < 0 || index >= kSysColors)
        return vtlTraceCall_.result(0);
    return vtlTraceCall_.result(kSysColor[index]);
}

HBRUSH GetSysColorBrush(int index)
{
    VTL_TRACE(gdi, "GetSysColorBrush", index);
    if (index < 0 || index >= kSysColors)
        return vtlTraceCall_.result(nullptr);
    std::lock_guard<std::mutex> lock(gdiMutex());
    static Brush* brushes[kSysColors] = {};
    if (!brushes[index]) {
        brushes[index] = new Brush(kSysColor[index], false);
        brushes[index]->stock = true;
        registerObject(brushes[index]);
    }
    return vtlTraceCall_.result(static_cast<HBRUSH>(handleOf(brushes[index])));
}
