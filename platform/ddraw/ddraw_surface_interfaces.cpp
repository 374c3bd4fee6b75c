// A surface's interfaces and what the later ones add: the display object
// that made it, page locks, and the blit and flip status of a device that
// finishes every blit and flip before returning.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/objbase.h>

IUnknown* vtl::DDSurface::madeFace()
{
    switch (version_) {
    case 4:
        return &face4_;
    case 7:
        return &face7_;
    default:
        return this;
    }
}

void vtl::DDSurface::holdMaker(IUnknown* maker)
{
    maker->AddRef();
    maker_ = maker;
}

HRESULT vtl::DDSurface::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return DDERR_INVALIDPARAMS;
    *object = nullptr;
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        found = madeFace();
    else if (IsEqualIID(iid, IID_IDirectDrawSurface))
        found = this;
    else if (IsEqualIID(iid, IID_IDirectDrawSurface2))
        found = &face2_;
    else if (IsEqualIID(iid, IID_IDirectDrawSurface3))
        found = &face3_;
    else if (IsEqualIID(iid, IID_IDirectDrawSurface4))
        found = &face4_;
    else if (IsEqualIID(iid, IID_IDirectDrawSurface7))
        found = &face7_;
    else
        return E_NOINTERFACE;
    found->AddRef();
    *object = found;
    return S_OK;
}

HRESULT vtl::DDSurface::getDDInterface(LPVOID* directDraw)
{
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    // A surface made through the first two interfaces does not keep its
    // display object; once that is gone there is nothing to return.
    if (!display_->device)
        return DDERR_INVALIDOBJECT;
    IUnknown* maker = display_->device->faceOf(version_);
    maker->AddRef();
    *directDraw = maker;
    return DD_OK;
}

// Surfaces never move here, so a page lock only counts.
HRESULT vtl::DDSurface::pageLock()
{
    ++pageLocks_;
    return DD_OK;
}

HRESULT vtl::DDSurface::pageUnlock()
{
    if (pageLocks_ == 0)
        return DDERR_NOTPAGELOCKED;
    --pageLocks_;
    return DD_OK;
}

HRESULT vtl::DDSurface::GetBltStatus(DWORD flags)
{
    if (flags != DDGBS_CANBLT && flags != DDGBS_ISBLTDONE)
        return DDERR_INVALIDPARAMS;
    return DD_OK;
}

HRESULT vtl::DDSurface::GetFlipStatus(DWORD flags)
{
    if (flags != DDGFS_CANFLIP && flags != DDGFS_ISFLIPDONE)
        return DDERR_INVALIDPARAMS;
    return DD_OK;
}
