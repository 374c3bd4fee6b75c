// The display object's interfaces and what the later ones add: display
// memory figures, restoring every surface, and whether the display is still
// the game's; and the calls about the screen's timing and memory that have
// nothing to act on here.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/objbase.h>
#include <vantrel/win32/window.h>

#include <algorithm>

namespace {

// The display memory a game is told of: what a well-equipped card of the
// time had, and far below what surfaces in ordinary memory may take.
constexpr uint64_t kVideoMemory = 256u * 1024 * 1024;

} // namespace

IUnknown* vtl::DDDevice::faceOf(int version)
{
    switch (version) {
    case 2:
        return &face2_;
    case 4:
        return &face4_;
    case 7:
        return &face7_;
    default:
        return this;
    }
}

HRESULT vtl::DDDevice::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return DDERR_INVALIDPARAMS;
    *object = nullptr;
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        found = faceOf(version_);
    else if (IsEqualIID(iid, IID_IDirectDraw))
        found = this;
    else if (IsEqualIID(iid, IID_IDirectDraw2))
        found = &face2_;
    else if (IsEqualIID(iid, IID_IDirectDraw4))
        found = &face4_;
    else if (IsEqualIID(iid, IID_IDirectDraw7))
        found = &face7_;
    else
        return E_NOINTERFACE;
    found->AddRef();
    *object = found;
    return S_OK;
}

HRESULT vtl::DDDevice::availableVideoMemory(LPDWORD total, LPDWORD available) const
{
    if (!total && !available)
        return DDERR_INVALIDPARAMS;
    if (total)
        *total = static_cast<DWORD>(kVideoMemory);
    if (available)
        *available = static_cast<DWORD>(kVideoMemory - std::min(kVideoMemory, display_->videoBytes));
    return DD_OK;
}

HRESULT vtl::DDDevice::restoreAllSurfaces()
{
    VTL_TRACE(ddraw, "IDirectDraw::RestoreAllSurfaces", this);
    // A chain's primary restores its back buffer with it; a surface no
    // longer lost is passed over.
    const std::vector<DDSurface*> surfaces = display_->surfaces;
    for (DDSurface* s : surfaces) {
        if (!s->lost())
            continue;
        if (HRESULT r = s->Restore())
            return vtlTraceCall_.result(r);
    }
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDDevice::testCooperativeLevel() const
{
    // A full-screen game has the display unless its window is minimised
    // (the player switched away); a windowed one always may draw.
    if (display_->exclusive() && display_->window && IsIconic(display_->window))
        return DDERR_NOEXCLUSIVEMODE;
    return DD_OK;
}

HRESULT vtl::DDDevice::Compact()
{
    return DD_OK;
}

HRESULT vtl::DDDevice::FlipToGDISurface()
{
    VTL_TRACE(ddraw, "IDirectDraw::FlipToGDISurface", this);
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDDevice::GetGDISurface(IDirectDrawSurface** surface)
{
    if (!surface)
        return DDERR_INVALIDPARAMS;
    *surface = display_->primary;
    if (!display_->primary)
        return DDERR_NOTFOUND;
    display_->primary->AddRef();
    return DD_OK;
}

HRESULT vtl::DDDevice::GetMonitorFrequency(LPDWORD frequency)
{
    if (!frequency)
        return DDERR_INVALIDPARAMS;
    *frequency = kModeRefreshRate;
    return DD_OK;
}

HRESULT vtl::DDDevice::GetVerticalBlankStatus(BOOL* inVerticalBlank)
{
    VTL_TRACE(frame, "IDirectDraw::GetVerticalBlankStatus", this);
    if (!inVerticalBlank)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    VTL_UNSUPPORTED("IDirectDraw::GetVerticalBlankStatus", "alternates between in and out of the blank");
    inVerticalBlank_ = !inVerticalBlank_;
    *inVerticalBlank = inVerticalBlank_ ? TRUE : FALSE;
    return vtlTraceCall_.result(DD_OK);
}
