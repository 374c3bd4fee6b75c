// The objects behind the DirectDraw-shaped interfaces.  Every surface lives
// in ordinary memory; the display backend only shows the primary's pixels.
#ifndef VANTREL_PLATFORM_DDRAW_DDRAW_OBJECTS_H
#define VANTREL_PLATFORM_DDRAW_DDRAW_OBJECTS_H

#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/objbase.h>

#include "platform/ddraw/ddraw_faces.h"
#include "platform/ddraw/pixel_layout.h"

#include <cstdint>

#include <memory>
#include <type_traits>
#include <vector>

namespace vtl {


// AddRef/Release for an object of one interface, which QueryInterface
// gives for its own id and IID_IUnknown; the object deletes itself at zero.
template <class Interface>
class RefCounted : public Interface {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    virtual ~RefCounted() = default;

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return DDERR_INVALIDPARAMS;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, ownId()))
            return E_NOINTERFACE;
        AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return ++refs_; }
    ULONG WINAPI Release() override
    {
        if (refs_ == 0)
            return 0;
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

private:
    static const IID& ownId()
    {
        if constexpr (std::is_same_v<Interface, IDirectDrawPalette>)
            return IID_IDirectDrawPalette;
        else
            return IID_IDirectDrawClipper;
    }

    ULONG refs_ = 1;
};

// An object behind several interfaces, each with a reference count of its
// own as Windows keeps them: the object goes when the last count of all
// reaches zero.
template <class Object>
class InterfaceCounts {
public:
    ULONG addRef(ULONG& count)
    {
        if (count++ == 0)
            ++referenced_;
        return count;
    }
    ULONG release(ULONG& count)
    {
        if (count == 0)
            return 0;
        const ULONG left = --count;
        if (left == 0 && --referenced_ == 0)
            delete static_cast<Object*>(this);
        return left;
    }

private:
    unsigned referenced_ = 0; // interfaces with a count above zero
};

// What a display object and its surfaces share.  Surfaces keep it alive, so
// one released after its display object still finds the mode it was made in.
struct DisplayState {
    HWND window = nullptr;  // from SetCooperativeLevel
    DWORD level = 0;        // DDSCL_* flags, 0 before SetCooperativeLevel
    bool modeSet = false;   // SetDisplayMode took the display to full screen
    DWORD modeWidth = 0;
    DWORD modeHeight = 0;
    PixelLayout modeLayout{};
    PixelLayout desktop{};  // read when the display object was made
    LONG desktopWidth = 0;
    LONG desktopHeight = 0;
    DDSurface* primary = nullptr; // the live primary surface, if any
    DDDevice* device = nullptr;   // the display object while it lives
    std::vector<DDSurface*> surfaces; // every live surface, for RestoreAllSurfaces
    uint64_t videoBytes = 0;      // pixels of the live surfaces in display memory

    bool exclusive() const { return (level & DDSCL_EXCLUSIVE) != 0; }
    PixelLayout currentLayout() const { return modeSet ? modeLayout : desktop; }
};

class DDPalette final : public RefCounted<IDirectDrawPalette> {
public:
    DDPalette(DWORD caps, const PALETTEENTRY* entries);
    HRESULT WINAPI GetCaps(LPDWORD caps) override;
    HRESULT WINAPI GetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) override;
    HRESULT WINAPI SetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) override;
    const PALETTEENTRY* entries() const { return entries_; }

private:
    DWORD caps_;
    PALETTEENTRY entries_[256];
};

class DDClipper final : public RefCounted<IDirectDrawClipper> {
public:
    HRESULT WINAPI GetHWnd(HWND* hwnd) override;
    HRESULT WINAPI SetHWnd(DWORD flags, HWND hwnd) override;
    HWND window() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Colour keys as SetColorKey keeps them.
struct ColorKeys {
    enum Which { DestBlt, DestOverlay, SrcBlt, SrcOverlay, Count };
    DDCOLORKEY key[Count]{};
    bool set[Count]{};
};

// A surface, and its IDirectDrawSurface interface; the later versions are
// the faces it holds.
class DDSurface final : public IDirectDrawSurface, public InterfaceCounts<DDSurface> {
public:
    // Null when the pixels cannot be allocated.  The surface has no
    // reference yet: the caller adds one to the interface it hands out.
    static DDSurface* make(std::shared_ptr<DisplayState> display, DWORD caps, LONG width, LONG height,
                           const PixelLayout& layout, int version);
    ~DDSurface();

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override { return addRef(refs_); }
    ULONG WINAPI Release() override { return release(refs_); }
    HRESULT WINAPI AddAttachedSurface(IDirectDrawSurface* surface) override;
    HRESULT WINAPI Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                       LPDDBLTFX fx) override;
    HRESULT WINAPI BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, LPRECT sourceRect, DWORD trans) override;
    HRESULT WINAPI DeleteAttachedSurface(DWORD flags, IDirectDrawSurface* surface) override;
    HRESULT WINAPI EnumAttachedSurfaces(LPVOID context, LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT WINAPI Flip(IDirectDrawSurface* target, DWORD flags) override;
    HRESULT WINAPI GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** surface) override;
    HRESULT WINAPI GetBltStatus(DWORD flags) override;
    HRESULT WINAPI GetCaps(LPDDSCAPS caps) override;
    HRESULT WINAPI GetClipper(IDirectDrawClipper** clipper) override;
    HRESULT WINAPI GetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT WINAPI GetDC(HDC* dc) override;
    HRESULT WINAPI GetFlipStatus(DWORD flags) override;
    HRESULT WINAPI GetPalette(IDirectDrawPalette** palette) override;
    HRESULT WINAPI GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT WINAPI GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT WINAPI IsLost() override;
    HRESULT WINAPI Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) override;
    HRESULT WINAPI ReleaseDC(HDC dc) override;
    HRESULT WINAPI Restore() override;
    HRESULT WINAPI SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT WINAPI SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT WINAPI SetPalette(IDirectDrawPalette* palette) override;
    HRESULT WINAPI Unlock(LPVOID surface) override;

    // What the later interfaces add or describe differently.
    void describe(DDSURFACEDESC2* desc) const;
    HRESULT lock(LPRECT rect, DDSURFACEDESC2* desc, DWORD flags);
    HRESULT findAttached(DWORD caps, DDSurface** found);
    // Version 4 and 7 surfaces accept only what those versions attach.
    HRESULT attach(DDSurface* surface, int version);
    HRESULT getDDInterface(LPVOID* directDraw);
    HRESULT pageLock();
    HRESULT pageUnlock();
    DWORD uniqueness() const { return uniqueness_; }
    void changeUniqueness() { ++uniqueness_; }
    // The surfaces attached to this one, in the order a walk visits them.
    const std::vector<DDSurface*>& attached() const { return attached_; }
    // The interface of version I, without a new reference.
    template <class I>
    I* face();
    // The interface the surface was made through, without a new reference.
    IUnknown* madeFace();
    // The display object interface that made a version 4 or 7 surface,
    // referenced until the surface goes.
    void holdMaker(IUnknown* maker);

    // The primary of a flipping chain owns one reference to its back buffer.
    void attachBackBuffer(DDSurface* back);

    LONG width() const { return width_; }
    LONG height() const { return height_; }
    LONG pitch() const { return pitch_; }
    DWORD caps() const { return caps_; }
    ColorKeys& keys() { return keys_; }
    const PixelLayout& layout() const { return layout_; }
    unsigned char* pixels() { return pixels_.get(); }
    bool lost() const;
    bool busy() const { return locked_ || dc_ != nullptr; }
    bool isPrimary() const { return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
    const DDPalette* palette() const { return palette_; }

private:
    struct Keying;
    DDSurface(std::shared_ptr<DisplayState> display, DWORD caps, LONG width, LONG height,
              const PixelLayout& layout, LONG pitch, std::unique_ptr<unsigned char[]> pixels, int version);
    // Shows the primary; `waitForVerticalBlank` only for a full-screen flip
    // that asks for it.
    void present(bool waitForVerticalBlank = false);
    HRESULT fill(const RECT& area, DWORD color);
    HRESULT copyFrom(DDSurface& source, const RECT& sourceArea, const RECT& destArea, const RECT& visible,
                     const Keying& keying);
    bool windowClip(RECT* visible) const;
    void detach(DDSurface* surface);

    std::shared_ptr<DisplayState> display_;
    ULONG refs_ = 0;
    DWORD caps_;
    LONG width_;
    LONG height_;
    PixelLayout layout_;
    LONG pitch_;
    std::unique_ptr<unsigned char[]> pixels_;
    unsigned lossStamp_;
    int version_;           // of the display object interface that made it
    bool locked_ = false;
    HDC dc_ = nullptr;
    DDSurface* backBuffer_ = nullptr;    // what Flip exchanges with, one of attached_
    std::vector<DDSurface*> attached_;   // each owned by one reference
    DDSurface* attachedTo_ = nullptr;    // the surface this one is attached to
    bool implicit_ = false;              // made with its primary's chain
    DDClipper* clipper_ = nullptr;       // owned reference
    DDPalette* palette_ = nullptr;       // owned reference
    IUnknown* maker_ = nullptr;          // owned reference (version 4 and 7)
    ColorKeys keys_;
    DWORD uniqueness_ = 1;
    unsigned pageLocks_ = 0;
    SurfaceFace<IDirectDrawSurface2> face2_{*this};
    SurfaceFace<IDirectDrawSurface3> face3_{*this};
    LaterSurfaceFace<IDirectDrawSurface4> face4_{*this};
    LaterSurfaceFace<IDirectDrawSurface7> face7_{*this};
};

// The display object, and its IDirectDraw interface; the later versions are
// the faces it holds.
class DDDevice final : public IDirectDraw, public InterfaceCounts<DDDevice> {
public:
    // `version` is that of the interface the caller hands out (1 or 7); the
    // object has no reference yet.
    explicit DDDevice(int version);
    ~DDDevice();

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override { return addRef(refs_); }
    ULONG WINAPI Release() override { return release(refs_); }
    HRESULT WINAPI Compact() override;
    HRESULT WINAPI CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override;
    HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, IDirectDrawPalette** palette,
                                 IUnknown* outer) override;
    HRESULT WINAPI CreateSurface(LPDDSURFACEDESC desc, IDirectDrawSurface** surface, IUnknown* outer) override;
    HRESULT WINAPI EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                    LPDDENUMMODESCALLBACK callback) override;
    HRESULT WINAPI FlipToGDISurface() override;
    HRESULT WINAPI GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) override;
    HRESULT WINAPI GetDisplayMode(LPDDSURFACEDESC desc) override;
    HRESULT WINAPI GetGDISurface(IDirectDrawSurface** surface) override;
    HRESULT WINAPI GetMonitorFrequency(LPDWORD frequency) override;
    HRESULT WINAPI GetVerticalBlankStatus(BOOL* inVerticalBlank) override;
    HRESULT WINAPI RestoreDisplayMode() override;
    HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD flags) override;
    HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) override;
    HRESULT WINAPI WaitForVerticalBlank(DWORD flags, HANDLE event) override;

    // What the later interfaces add or describe differently.
    HRESULT createSurface(const DDSURFACEDESC2& desc, int version, DDSurface** surface);
    using ModeVisitor = HRESULT (*)(DDSURFACEDESC2& mode, void* context);
    HRESULT enumModes(DWORD flags, const DDSURFACEDESC2* filter, ModeVisitor visit, void* context);
    void describeMode(DDSURFACEDESC2* desc) const;
    HRESULT setMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate, DWORD flags);
    HRESULT availableVideoMemory(LPDWORD total, LPDWORD available) const;
    HRESULT restoreAllSurfaces();
    HRESULT testCooperativeLevel() const;
    // The live primary surface, or null.
    DDSurface* primary() const { return display_->primary; }
    // The interface of version I, without a new reference.
    template <class I>
    I* face();
    // The interface of a version number (1, 2, 4 or 7), without a new
    // reference.
    IUnknown* faceOf(int version);

private:
    void leaveMode();
    HRESULT createPrimary(const DDSURFACEDESC2& desc, int version, DDSurface** surface);
    std::shared_ptr<DisplayState> display_;
    ULONG refs_ = 0;
    int version_;
    bool inVerticalBlank_ = false; // the last answer GetVerticalBlankStatus gave
    DeviceFace<IDirectDraw2> face2_{*this};
    LaterDeviceFace<IDirectDraw4> face4_{*this};
    LaterDeviceFace<IDirectDraw7> face7_{*this};
};
template <class I>
I* DDSurface::face()
{
    if constexpr (std::is_same_v<I, IDirectDrawSurface>)
        return this;
    else if constexpr (std::is_same_v<I, IDirectDrawSurface2>)
        return &face2_;
    else if constexpr (std::is_same_v<I, IDirectDrawSurface3>)
        return &face3_;
    else if constexpr (std::is_same_v<I, IDirectDrawSurface4>)
        return &face4_;
    else
        return &face7_;
}

template <class I>
I* DDDevice::face()
{
    if constexpr (std::is_same_v<I, IDirectDraw>)
        return this;
    else if constexpr (std::is_same_v<I, IDirectDraw2>)
        return &face2_;
    else if constexpr (std::is_same_v<I, IDirectDraw4>)
        return &face4_;
    else
        return &face7_;
}

// The pixel format a display or surface of `layout` reports.
void describeLayout(const PixelLayout& layout, DDPIXELFORMAT* format);

// The refresh rate of every mode, as EnumDisplayModes reports it.
constexpr DWORD kModeRefreshRate = 60;

// Full-screen modes: 640 x 480, 800 x 600, 1024 x 768 and the game's own
// size (see setGameDisplaySize), each at 8, 16, 24 and 32 bits.
bool isDisplayModeListed(DWORD width, DWORD height, DWORD bitsPerPixel);

} // namespace vtl

#endif
