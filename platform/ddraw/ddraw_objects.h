// The objects behind the DirectDraw-shaped interfaces.  Every surface lives
// in ordinary memory; the display backend only shows the primary's pixels.
#ifndef VANTREL_PLATFORM_DDRAW_DDRAW_OBJECTS_H
#define VANTREL_PLATFORM_DDRAW_DDRAW_OBJECTS_H

#include <vantrel/win32/ddraw.h>

#include "platform/ddraw/pixel_layout.h"

#include <memory>

namespace vtl {

class DDSurface;

// AddRef/Release for one interface; the object deletes itself at zero.
template <class Interface>
class RefCounted : public Interface {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    virtual ~RefCounted() = default;

    HRESULT WINAPI QueryInterface(REFIID, void** object) override
    {
        if (object)
            *object = nullptr;
        return E_NOINTERFACE;
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
    ULONG refs_ = 1;
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

class DDSurface final : public RefCounted<IDirectDrawSurface> {
public:
    // Null when the pixels cannot be allocated.
    static DDSurface* make(std::shared_ptr<DisplayState> display, DWORD caps, LONG width, LONG height,
                           const PixelLayout& layout);
    ~DDSurface() override;

    HRESULT WINAPI Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                       LPDDBLTFX fx) override;
    HRESULT WINAPI Flip(IDirectDrawSurface* target, DWORD flags) override;
    HRESULT WINAPI GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** surface) override;
    HRESULT WINAPI GetCaps(LPDDSCAPS caps) override;
    HRESULT WINAPI GetClipper(IDirectDrawClipper** clipper) override;
    HRESULT WINAPI GetDC(HDC* dc) override;
    HRESULT WINAPI GetPalette(IDirectDrawPalette** palette) override;
    HRESULT WINAPI GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT WINAPI GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT WINAPI IsLost() override;
    HRESULT WINAPI Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) override;
    HRESULT WINAPI ReleaseDC(HDC dc) override;
    HRESULT WINAPI Restore() override;
    HRESULT WINAPI SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT WINAPI SetPalette(IDirectDrawPalette* palette) override;
    HRESULT WINAPI Unlock(LPVOID surface) override;

    // The primary of a flipping chain owns one reference to its back buffer.
    void attachBackBuffer(DDSurface* back);

    LONG width() const { return width_; }
    LONG height() const { return height_; }
    LONG pitch() const { return pitch_; }
    const PixelLayout& layout() const { return layout_; }
    unsigned char* pixels() { return pixels_.get(); }
    bool lost() const;
    bool busy() const { return locked_ || dc_ != nullptr; }
    bool isPrimary() const { return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
    const DDPalette* palette() const { return palette_; }

private:
    DDSurface(std::shared_ptr<DisplayState> display, DWORD caps, LONG width, LONG height,
              const PixelLayout& layout, LONG pitch, std::unique_ptr<unsigned char[]> pixels);
    void describe(DDSURFACEDESC* desc) const;
    // Shows the primary's new pixels through the backend.
    // Shows the primary; `waitForVerticalBlank` only for a full-screen flip
    // that asks for it.
    void present(bool waitForVerticalBlank = false);
    HRESULT fill(const RECT& area, DWORD color);
    HRESULT copyFrom(DDSurface& source, const RECT& sourceArea, const RECT& destArea, const RECT& visible);
    bool windowClip(RECT* visible) const;

    std::shared_ptr<DisplayState> display_;
    DWORD caps_;
    LONG width_;
    LONG height_;
    PixelLayout layout_;
    LONG pitch_;
    std::unique_ptr<unsigned char[]> pixels_;
    unsigned lossStamp_;
    bool locked_ = false;
    HDC dc_ = nullptr;
    DDSurface* backBuffer_ = nullptr; // owned reference (flipping primary)
    DDSurface* front_ = nullptr;      // the primary this back buffer is attached to
    DDClipper* clipper_ = nullptr;    // owned reference
    DDPalette* palette_ = nullptr;    // owned reference
};

class DDDevice final : public RefCounted<IDirectDraw> {
public:
    DDDevice();
    ~DDDevice() override;

    HRESULT WINAPI CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override;
    HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, IDirectDrawPalette** palette,
                                 IUnknown* outer) override;
    HRESULT WINAPI CreateSurface(LPDDSURFACEDESC desc, IDirectDrawSurface** surface, IUnknown* outer) override;
    HRESULT WINAPI EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                    LPDDENUMMODESCALLBACK callback) override;
    HRESULT WINAPI GetDisplayMode(LPDDSURFACEDESC desc) override;
    HRESULT WINAPI RestoreDisplayMode() override;
    HRESULT WINAPI SetCooperativeLevel(HWND hwnd, DWORD flags) override;
    HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) override;
    HRESULT WINAPI WaitForVerticalBlank(DWORD flags, HANDLE event) override;

private:
    void leaveMode();
    HRESULT createPrimary(const DDSURFACEDESC& desc, IDirectDrawSurface** surface);
    std::shared_ptr<DisplayState> display_;
};

// The pixel format a display or surface of `layout` reports.
void describeLayout(const PixelLayout& layout, DDPIXELFORMAT* format);

// Full-screen modes: 640 x 480, 800 x 600, 1024 x 768 and the game's own
// size (see setGameDisplaySize), each at 8, 16, 24 and 32 bits.
bool isDisplayModeListed(DWORD width, DWORD height, DWORD bitsPerPixel);

} // namespace vtl

#endif
