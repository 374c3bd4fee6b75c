// Attached surfaces: the back buffer a flipping primary is made with, and
// those a game attaches itself.  A surface holds one reference to each
// surface attached to it.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/ddraw/surface_desc.h"
#include "platform/kernel/trace.h"

#include <algorithm>

using vtl::testing::ddraw::Op;

namespace {

// What the first interfaces attach to one another: surfaces of the same
// size among these kinds.
constexpr DWORD kAttachable = DDSCAPS_PRIMARYSURFACE | DDSCAPS_OFFSCREENPLAIN | DDSCAPS_BACKBUFFER;

} // namespace

HRESULT vtl::DDSurface::AddAttachedSurface(IDirectDrawSurface* surface)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::AddAttachedSurface", this, surface);
    return vtlTraceCall_.result(attach(static_cast<DDSurface*>(surface), 1));
}

HRESULT vtl::DDSurface::attach(DDSurface* surface, int version)
{
    if (!surface || surface == this)
        return DDERR_CANNOTATTACHSURFACE;
    if (surface->attachedTo_ || attachedTo_ == surface)
        return DDERR_SURFACEALREADYATTACHED;
    // From version 4 on only a z-buffer may be attached, and this device
    // makes none.
    if (version >= 4)
        return DDERR_CANNOTATTACHSURFACE;
    if (!(caps_ & kAttachable) || !(surface->caps_ & kAttachable) || surface->width_ != width_ ||
        surface->height_ != height_)
        return DDERR_CANNOTATTACHSURFACE;
    try {
        attached_.push_back(surface);
    } catch (...) {
        return DDERR_OUTOFMEMORY;
    }
    surface->AddRef();
    surface->attachedTo_ = this;
    // A back buffer attached to the primary of a full-screen game makes the
    // chain Flip exchanges, as one made with the primary would.
    if (isPrimary() && (surface->caps_ & DDSCAPS_BACKBUFFER) && !backBuffer_ && surface->layout_ == layout_ &&
        display_->exclusive())
        backBuffer_ = surface;
    return DD_OK;
}

HRESULT vtl::DDSurface::DeleteAttachedSurface(DWORD flags, IDirectDrawSurface* surface)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::DeleteAttachedSurface", this, flags, surface);
    DDSurface* s = static_cast<DDSurface*>(surface);
    if (flags)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (!s || s->attachedTo_ != this || s->implicit_)
        return vtlTraceCall_.result(DDERR_CANNOTDETACHSURFACE);
    detach(s);
    s->Release();
    return vtlTraceCall_.result(DD_OK);
}

void vtl::DDSurface::detach(DDSurface* surface)
{
    attached_.erase(std::remove(attached_.begin(), attached_.end(), surface), attached_.end());
    if (backBuffer_ == surface)
        backBuffer_ = nullptr;
    surface->attachedTo_ = nullptr;
}

HRESULT vtl::DDSurface::findAttached(DWORD caps, DDSurface** found)
{
    for (DDSurface* s : attached_) {
        if ((s->caps_ & caps) == caps) {
            *found = s;
            return DD_OK;
        }
    }
    return DDERR_NOTFOUND;
}

HRESULT vtl::DDSurface::GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** surface)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::GetAttachedSurface", this, caps, surface);
    if (!caps || !surface)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *surface = nullptr;
    if (HRESULT r = testing::ddraw::intercept(Op::GetAttachedSurface, caps->dwCaps))
        return vtlTraceCall_.result(r);
    DDSurface* found = nullptr;
    if (HRESULT r = findAttached(caps->dwCaps, &found))
        return vtlTraceCall_.result(r);
    found->AddRef();
    *surface = found;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::EnumAttachedSurfaces(LPVOID context, LPDDENUMSURFACESCALLBACK callback)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::EnumAttachedSurfaces", this, context, callback);
    if (!callback)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    // The callback may detach what it is given.
    const std::vector<DDSurface*> walk = attached_;
    for (DDSurface* s : walk) {
        DDSURFACEDESC2 wide;
        s->describe(&wide);
        DDSURFACEDESC desc;
        narrowDesc(wide, &desc);
        s->AddRef();
        if (callback(s, &desc, context) == DDENUMRET_CANCEL)
            break;
    }
    return vtlTraceCall_.result(DD_OK);
}
