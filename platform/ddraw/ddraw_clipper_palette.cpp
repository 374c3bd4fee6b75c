// Clippers and palettes.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/kernel/trace.h"

#include <cstring>

HRESULT vtl::DDClipper::SetHWnd(DWORD, HWND hwnd)
{
    VTL_TRACE(ddraw, "IDirectDrawClipper::SetHWnd", this, hwnd);
    if (HRESULT r = testing::ddraw::intercept(testing::ddraw::Op::SetHWnd))
        return vtlTraceCall_.result(r);
    window_ = hwnd;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDClipper::GetHWnd(HWND* hwnd)
{
    if (!hwnd)
        return DDERR_INVALIDPARAMS;
    *hwnd = window_;
    return DD_OK;
}

vtl::DDPalette::DDPalette(DWORD caps, const PALETTEENTRY* entries) : caps_(caps)
{
    std::memcpy(entries_, entries, sizeof entries_);
}

HRESULT vtl::DDPalette::GetCaps(LPDWORD caps)
{
    if (!caps)
        return DDERR_INVALIDPARAMS;
    *caps = caps_;
    return DD_OK;
}

HRESULT vtl::DDPalette::GetEntries(DWORD, DWORD base, DWORD count, LPPALETTEENTRY entries)
{
    if (!entries || base > 256 || count > 256 - base)
        return DDERR_INVALIDPARAMS;
    std::memcpy(entries, entries_ + base, count * sizeof(PALETTEENTRY));
    return DD_OK;
}

HRESULT vtl::DDPalette::SetEntries(DWORD, DWORD base, DWORD count, LPPALETTEENTRY entries)
{
    VTL_TRACE(ddraw, "IDirectDrawPalette::SetEntries", this, base, count, entries);
    if (!entries || base > 256 || count > 256 - base)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    // Shown with the primary's next frame.
    std::memcpy(entries_ + base, entries, count * sizeof(PALETTEENTRY));
    return vtlTraceCall_.result(DD_OK);
}
