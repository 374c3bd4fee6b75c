// The later interfaces: each call becomes the object's, with the version's
// own descriptions, caps and surface interfaces in and out.
#include "platform/ddraw/ddraw_faces.h"
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/surface_desc.h"
#include "platform/kernel/trace.h"

namespace vtl {

template <class I>
DDSurface* SurfaceFace<I>::surfaceOf(I* face)
{
    return face ? &static_cast<SurfaceFace*>(face)->surface_ : nullptr;
}

template <class I>
HRESULT SurfaceFace<I>::QueryInterface(REFIID iid, void** object)
{
    return surface_.QueryInterface(iid, object);
}

template <class I>
ULONG SurfaceFace<I>::AddRef()
{
    return surface_.addRef(refs_);
}

template <class I>
ULONG SurfaceFace<I>::Release()
{
    return surface_.release(refs_);
}

template <class I>
HRESULT SurfaceFace<I>::AddAttachedSurface(I* surface)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::AddAttachedSurface", this, surface, V::number);
    return vtlTraceCall_.result(surface_.attach(surfaceOf(surface), V::number));
}

template <class I>
HRESULT SurfaceFace<I>::Blt(LPRECT destRect, I* source, LPRECT sourceRect, DWORD flags, LPDDBLTFX fx)
{
    return surface_.Blt(destRect, surfaceOf(source), sourceRect, flags, fx);
}

template <class I>
HRESULT SurfaceFace<I>::BltFast(DWORD x, DWORD y, I* source, LPRECT sourceRect, DWORD trans)
{
    return surface_.BltFast(x, y, surfaceOf(source), sourceRect, trans);
}

template <class I>
HRESULT SurfaceFace<I>::DeleteAttachedSurface(DWORD flags, I* surface)
{
    return surface_.DeleteAttachedSurface(flags, surfaceOf(surface));
}

template <class I>
HRESULT SurfaceFace<I>::EnumAttachedSurfaces(LPVOID context, typename V::EnumCallback callback)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::EnumAttachedSurfaces", this, context, V::number);
    if (!callback)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    const std::vector<DDSurface*> walk = surface_.attached();
    for (DDSurface* s : walk) {
        DDSURFACEDESC2 wide;
        s->describe(&wide);
        typename V::Desc desc;
        narrowDesc(wide, &desc);
        auto* face = s->face<typename V::Enumerated>();
        face->AddRef();
        if (callback(face, &desc, context) == DDENUMRET_CANCEL)
            break;
    }
    return vtlTraceCall_.result(DD_OK);
}

template <class I>
HRESULT SurfaceFace<I>::Flip(I* target, DWORD flags)
{
    return surface_.Flip(surfaceOf(target), flags);
}

template <class I>
HRESULT SurfaceFace<I>::GetAttachedSurface(typename V::Caps* caps, I** surface)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::GetAttachedSurface", this, caps, surface, V::number);
    if (!caps || !surface)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *surface = nullptr;
    DDSurface* found = nullptr;
    if (HRESULT r = surface_.findAttached(caps->dwCaps, &found))
        return vtlTraceCall_.result(r);
    I* face = found->face<I>();
    face->AddRef();
    *surface = face;
    return vtlTraceCall_.result(DD_OK);
}

template <class I>
HRESULT SurfaceFace<I>::GetBltStatus(DWORD flags)
{
    return surface_.GetBltStatus(flags);
}

template <class I>
HRESULT SurfaceFace<I>::GetCaps(typename V::Caps* caps)
{
    if (!caps)
        return DDERR_INVALIDPARAMS;
    capsOf(surface_.caps(), caps);
    return DD_OK;
}

template <class I>
HRESULT SurfaceFace<I>::GetClipper(LPDIRECTDRAWCLIPPER* clipper)
{
    return surface_.GetClipper(clipper);
}

template <class I>
HRESULT SurfaceFace<I>::GetColorKey(DWORD flags, LPDDCOLORKEY key)
{
    return surface_.GetColorKey(flags, key);
}

template <class I>
HRESULT SurfaceFace<I>::GetDC(HDC* dc)
{
    return surface_.GetDC(dc);
}

template <class I>
HRESULT SurfaceFace<I>::GetFlipStatus(DWORD flags)
{
    return surface_.GetFlipStatus(flags);
}

template <class I>
HRESULT SurfaceFace<I>::GetPalette(LPDIRECTDRAWPALETTE* palette)
{
    return surface_.GetPalette(palette);
}

template <class I>
HRESULT SurfaceFace<I>::GetPixelFormat(LPDDPIXELFORMAT format)
{
    return surface_.GetPixelFormat(format);
}

template <class I>
HRESULT SurfaceFace<I>::GetSurfaceDesc(typename V::Desc* desc)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::GetSurfaceDesc", this, desc, V::number);
    if (!desc || desc->dwSize != sizeof *desc)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 wide;
    surface_.describe(&wide);
    narrowDesc(wide, desc);
    return vtlTraceCall_.result(DD_OK);
}

template <class I>
HRESULT SurfaceFace<I>::IsLost()
{
    return surface_.IsLost();
}

template <class I>
HRESULT SurfaceFace<I>::Lock(LPRECT rect, typename V::Desc* desc, DWORD flags, HANDLE)
{
    VTL_TRACE(frame, "IDirectDrawSurface::Lock", this, vtl::trace::Rect{rect}, desc, flags, V::number);
    if (!desc || !isEitherDescSize(desc->dwSize))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 wide;
    const HRESULT r = surface_.lock(rect, &wide, flags);
    if (r == DD_OK)
        fillDescOfItsSize(wide, desc);
    return vtlTraceCall_.result(r);
}

template <class I>
HRESULT SurfaceFace<I>::ReleaseDC(HDC dc)
{
    return surface_.ReleaseDC(dc);
}

template <class I>
HRESULT SurfaceFace<I>::Restore()
{
    return surface_.Restore();
}

template <class I>
HRESULT SurfaceFace<I>::SetClipper(LPDIRECTDRAWCLIPPER clipper)
{
    return surface_.SetClipper(clipper);
}

template <class I>
HRESULT SurfaceFace<I>::SetColorKey(DWORD flags, LPDDCOLORKEY key)
{
    return surface_.SetColorKey(flags, key);
}

template <class I>
HRESULT SurfaceFace<I>::SetPalette(LPDIRECTDRAWPALETTE palette)
{
    return surface_.SetPalette(palette);
}

// The first interfaces pass the locked pointer, the later ones the locked
// rectangle; one lock at a time, so neither is needed.
template <class I>
HRESULT SurfaceFace<I>::Unlock(typename V::UnlockArgument)
{
    return surface_.Unlock(nullptr);
}

template <class I>
HRESULT SurfaceFace<I>::GetDDInterface(LPVOID* directDraw)
{
    return surface_.getDDInterface(directDraw);
}

template <class I>
HRESULT SurfaceFace<I>::PageLock(DWORD)
{
    return surface_.pageLock();
}

template <class I>
HRESULT SurfaceFace<I>::PageUnlock(DWORD)
{
    return surface_.pageUnlock();
}

template <class I>
HRESULT LaterSurfaceFace<I>::GetUniquenessValue(LPDWORD value)
{
    if (!value)
        return DDERR_INVALIDPARAMS;
    *value = this->surface_.uniqueness();
    return DD_OK;
}

template <class I>
HRESULT LaterSurfaceFace<I>::ChangeUniquenessValue()
{
    this->surface_.changeUniqueness();
    return DD_OK;
}

template class SurfaceFace<IDirectDrawSurface2>;
template class SurfaceFace<IDirectDrawSurface3>;
template class SurfaceFace<IDirectDrawSurface4>;
template class SurfaceFace<IDirectDrawSurface7>;
template class LaterSurfaceFace<IDirectDrawSurface4>;
template class LaterSurfaceFace<IDirectDrawSurface7>;

template <class I>
HRESULT DeviceFace<I>::QueryInterface(REFIID iid, void** object)
{
    return device_.QueryInterface(iid, object);
}

template <class I>
ULONG DeviceFace<I>::AddRef()
{
    return device_.addRef(refs_);
}

template <class I>
ULONG DeviceFace<I>::Release()
{
    return device_.release(refs_);
}

template <class I>
HRESULT DeviceFace<I>::Compact()
{
    return device_.Compact();
}

template <class I>
HRESULT DeviceFace<I>::FlipToGDISurface()
{
    return device_.FlipToGDISurface();
}

template <class I>
HRESULT DeviceFace<I>::GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps)
{
    return device_.GetCaps(driverCaps, emulationCaps);
}

template <class I>
HRESULT DeviceFace<I>::GetGDISurface(typename V::Surface** surface)
{
    if (!surface)
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    DDSurface* primary = device_.primary();
    if (!primary)
        return DDERR_NOTFOUND;
    auto* face = primary->face<typename V::Surface>();
    face->AddRef();
    *surface = face;
    return DD_OK;
}

template <class I>
HRESULT DeviceFace<I>::GetMonitorFrequency(LPDWORD frequency)
{
    return device_.GetMonitorFrequency(frequency);
}

template <class I>
HRESULT DeviceFace<I>::GetVerticalBlankStatus(BOOL* inVerticalBlank)
{
    return device_.GetVerticalBlankStatus(inVerticalBlank);
}

template <class I>
HRESULT DeviceFace<I>::CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer)
{
    return device_.CreateClipper(flags, clipper, outer);
}

template <class I>
HRESULT DeviceFace<I>::CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                                     IUnknown* outer)
{
    return device_.CreatePalette(flags, entries, palette, outer);
}

template <class I>
HRESULT DeviceFace<I>::CreateSurface(typename V::Desc* desc, typename V::Surface** surface, IUnknown* outer)
{
    VTL_TRACE(ddraw, "IDirectDraw::CreateSurface", this, desc, surface, outer, V::number);
    if (!surface)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *surface = nullptr;
    if (!desc || desc->dwSize != sizeof *desc)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    DDSurface* made = nullptr;
    if (HRESULT r = device_.createSurface(widenDesc(*desc), V::number, &made))
        return vtlTraceCall_.result(r);
    // Surfaces of the later versions keep the interface that made them.
    if (V::number >= 4)
        made->holdMaker(this);
    auto* face = made->face<typename V::Surface>();
    face->AddRef();
    *surface = face;
    return vtlTraceCall_.result(DD_OK);
}

template <class I>
HRESULT DeviceFace<I>::EnumDisplayModes(DWORD flags, typename V::Desc* filter, LPVOID context,
                                        typename V::ModesCallback callback)
{
    VTL_TRACE(ddraw, "IDirectDraw::EnumDisplayModes", this, flags, filter, context, callback, V::number);
    if (!callback || (filter && filter->dwSize != sizeof *filter))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    struct Call {
        typename V::ModesCallback callback;
        LPVOID context;
    } call{callback, context};
    const DDSURFACEDESC2 wideFilter = filter ? widenDesc(*filter) : DDSURFACEDESC2{};
    return vtlTraceCall_.result(device_.enumModes(
        flags, filter ? &wideFilter : nullptr,
        [](DDSURFACEDESC2& mode, void* c) {
            typename V::Desc desc;
            narrowDesc(mode, &desc);
            return static_cast<Call*>(c)->callback(&desc, static_cast<Call*>(c)->context);
        },
        &call));
}

template <class I>
HRESULT DeviceFace<I>::GetDisplayMode(typename V::Desc* desc)
{
    if (!desc || desc->dwSize != sizeof *desc)
        return DDERR_INVALIDPARAMS;
    DDSURFACEDESC2 wide;
    device_.describeMode(&wide);
    narrowDesc(wide, desc);
    return DD_OK;
}

template <class I>
HRESULT DeviceFace<I>::RestoreDisplayMode()
{
    return device_.RestoreDisplayMode();
}

template <class I>
HRESULT DeviceFace<I>::SetCooperativeLevel(HWND hwnd, DWORD flags)
{
    return device_.SetCooperativeLevel(hwnd, flags);
}

template <class I>
HRESULT DeviceFace<I>::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                      DWORD flags)
{
    VTL_TRACE(ddraw, "IDirectDraw::SetDisplayMode", this, static_cast<int>(width), static_cast<int>(height),
              static_cast<int>(bitsPerPixel), static_cast<int>(refreshRate), flags, V::number);
    return vtlTraceCall_.result(device_.setMode(width, height, bitsPerPixel, refreshRate, flags));
}

template <class I>
HRESULT DeviceFace<I>::WaitForVerticalBlank(DWORD flags, HANDLE event)
{
    return device_.WaitForVerticalBlank(flags, event);
}

template <class I>
HRESULT DeviceFace<I>::GetAvailableVidMem(typename V::Caps* caps, LPDWORD total, LPDWORD available)
{
    if (!caps)
        return DDERR_INVALIDPARAMS;
    return device_.availableVideoMemory(total, available);
}

template <class I>
HRESULT LaterDeviceFace<I>::RestoreAllSurfaces()
{
    return this->device_.restoreAllSurfaces();
}

template <class I>
HRESULT LaterDeviceFace<I>::TestCooperativeLevel()
{
    return this->device_.testCooperativeLevel();
}

template class DeviceFace<IDirectDraw2>;
template class DeviceFace<IDirectDraw4>;
template class DeviceFace<IDirectDraw7>;
template class LaterDeviceFace<IDirectDraw4>;
template class LaterDeviceFace<IDirectDraw7>;

} // namespace vtl
