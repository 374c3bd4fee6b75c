// The later interfaces of a surface and of the display object: each is a
// face over the one object, with its own reference count and the types its
// version takes (DDSURFACEDESC2 and DDSCAPS2 from version 4 on), turning its
// calls into the object's.
#ifndef VANTREL_PLATFORM_DDRAW_DDRAW_FACES_H
#define VANTREL_PLATFORM_DDRAW_DDRAW_FACES_H

#include <vantrel/win32/ddraw.h>

namespace vtl {

class DDSurface;
class DDDevice;

// What differs between the versions of the surface interface.
template <class I>
struct SurfaceVersion;
template <>
struct SurfaceVersion<IDirectDrawSurface2> {
    using Desc = DDSURFACEDESC;
    using Caps = DDSCAPS;
    using EnumCallback = LPDDENUMSURFACESCALLBACK;
    using Enumerated = IDirectDrawSurface; // what EnumAttachedSurfaces passes
    using UnlockArgument = LPVOID;
    static constexpr int number = 2;
};
template <>
struct SurfaceVersion<IDirectDrawSurface3> : SurfaceVersion<IDirectDrawSurface2> {
    static constexpr int number = 3;
};
template <>
struct SurfaceVersion<IDirectDrawSurface4> {
    using Desc = DDSURFACEDESC2;
    using Caps = DDSCAPS2;
    using EnumCallback = LPDDENUMSURFACESCALLBACK2;
    using Enumerated = IDirectDrawSurface4;
    using UnlockArgument = LPRECT;
    static constexpr int number = 4;
};
template <>
struct SurfaceVersion<IDirectDrawSurface7> {
    using Desc = DDSURFACEDESC2;
    using Caps = DDSCAPS2;
    using EnumCallback = LPDDENUMSURFACESCALLBACK7;
    using Enumerated = IDirectDrawSurface7;
    using UnlockArgument = LPRECT;
    static constexpr int number = 7;
};

template <class I>
class SurfaceFace : public I {
public:
    using V = SurfaceVersion<I>;
    explicit SurfaceFace(DDSurface& surface) : surface_(surface) {}
    SurfaceFace(const SurfaceFace&) = delete;
    SurfaceFace& operator=(const SurfaceFace&) = delete;

    // The surface behind an interface pointer of this version.
    static DDSurface* surfaceOf(I* face);

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI AddAttachedSurface(I* surface) override;
    HRESULT WINAPI Blt(LPRECT destRect, I* source, LPRECT sourceRect, DWORD flags, LPDDBLTFX fx) override;
    HRESULT WINAPI BltFast(DWORD x, DWORD y, I* source, LPRECT sourceRect, DWORD trans) override;
    HRESULT WINAPI DeleteAttachedSurface(DWORD flags, I* surface) override;
    HRESULT WINAPI EnumAttachedSurfaces(LPVOID context, typename V::EnumCallback callback) override;
    HRESULT WINAPI Flip(I* target, DWORD flags) override;
    HRESULT WINAPI GetAttachedSurface(typename V::Caps* caps, I** surface) override;
    HRESULT WINAPI GetBltStatus(DWORD flags) override;
    HRESULT WINAPI GetCaps(typename V::Caps* caps) override;
    HRESULT WINAPI GetClipper(LPDIRECTDRAWCLIPPER* clipper) override;
    HRESULT WINAPI GetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT WINAPI GetDC(HDC* dc) override;
    HRESULT WINAPI GetFlipStatus(DWORD flags) override;
    HRESULT WINAPI GetPalette(LPDIRECTDRAWPALETTE* palette) override;
    HRESULT WINAPI GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT WINAPI GetSurfaceDesc(typename V::Desc* desc) override;
    HRESULT WINAPI IsLost() override;
    HRESULT WINAPI Lock(LPRECT rect, typename V::Desc* desc, DWORD flags, HANDLE event) override;
    HRESULT WINAPI ReleaseDC(HDC dc) override;
    HRESULT WINAPI Restore() override;
    HRESULT WINAPI SetClipper(LPDIRECTDRAWCLIPPER clipper) override;
    HRESULT WINAPI SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT WINAPI SetPalette(LPDIRECTDRAWPALETTE palette) override;
    HRESULT WINAPI Unlock(typename V::UnlockArgument surface) override;
    HRESULT WINAPI GetDDInterface(LPVOID* directDraw) override;
    HRESULT WINAPI PageLock(DWORD flags) override;
    HRESULT WINAPI PageUnlock(DWORD flags) override;

protected:
    DDSurface& surface_;
    ULONG refs_ = 0;
};

// Versions 4 and 7 add the uniqueness value.
template <class I>
class LaterSurfaceFace final : public SurfaceFace<I> {
public:
    using SurfaceFace<I>::SurfaceFace;
    HRESULT WINAPI GetUniquenessValue(LPDWORD value) override;
    HRESULT WINAPI ChangeUniquenessValue() override;
};

// What differs between the versions of the display object's interface.
template <class I>
struct DeviceVersion;
template <>
struct DeviceVersion<IDirectDraw2> {
    using Surface = IDirectDrawSurface;
    using Desc = DDSURFACEDESC;
    using ModesCallback = LPDDENUMMODESCALLBACK;
    using Caps = DDSCAPS;
    static constexpr int number = 2;
};
template <>
struct DeviceVersion<IDirectDraw4> {
    using Surface = IDirectDrawSurface4;
    using Desc = DDSURFACEDESC2;
    using ModesCallback = LPDDENUMMODESCALLBACK2;
    using Caps = DDSCAPS2;
    static constexpr int number = 4;
};
template <>
struct DeviceVersion<IDirectDraw7> {
    using Surface = IDirectDrawSurface7;
    using Desc = DDSURFACEDESC2;
    using ModesCallback = LPDDENUMMODESCALLBACK2;
    using Caps = DDSCAPS2;
    static constexpr int number = 7;
};

template <class I>
class DeviceFace : public I {
public:
    using V = DeviceVersion<I>;
    explicit DeviceFace(DDDevice& device) : device_(device) {}
    DeviceFace(const DeviceFace&) = delete;
    DeviceFace& operator=(const DeviceFace&) = delete;

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI Compact() override;
    HRESULT WINAPI CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) override;
    HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                                 IUnknown* outer) override;
    HRESULT WINAPI CreateSurface(typename V::Desc* desc, typename V::Surface** surface, IUnknown* outer) override;
    HRESULT WINAPI EnumDisplayModes(DWORD flags, typename V::Desc* filter, LPVOID context,
                                    typename V::ModesCallback callback) override;
    HRESULT WINAPI FlipToGDISurface() override;
    HRESULT WINAPI GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) override;
    HRESULT WINAPI GetDisplayMode(typename V::Desc* desc) override;
    HRESULT WINAPI GetGDISurface(typename V::Surface** surface) override;
    HRESULT WINAPI GetMonitorFrequency(LPDWORD frequency) override;
    HRESULT WINAPI GetVerticalBlankStatus(BOOL* inVerticalBlank) override;
    HRESULT WINAPI RestoreDisplayMode() override;
    HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD flags) override;
    HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                  DWORD flags) override;
    HRESULT WINAPI WaitForVerticalBlank(DWORD flags, HANDLE event) override;
    HRESULT WINAPI GetAvailableVidMem(typename V::Caps* caps, LPDWORD total, LPDWORD available) override;

protected:
    DDDevice& device_;
    ULONG refs_ = 0;
};

// Versions 4 and 7 add restoring every surface and asking whether the
// display is still the game's.
template <class I>
class LaterDeviceFace final : public DeviceFace<I> {
public:
    using DeviceFace<I>::DeviceFace;
    HRESULT WINAPI RestoreAllSurfaces() override;
    HRESULT WINAPI TestCooperativeLevel() override;
};

} // namespace vtl

#endif
