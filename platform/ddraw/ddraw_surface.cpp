// Surfaces: memory pixels, locks, flips, loss and presentation.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/ddraw/display_backend.h"
#include "platform/ddraw/display_loss.h"
#include "platform/ddraw/primary_palette.h"
#include "platform/ddraw/surface_desc.h"
#include "platform/gdi/surface_dc.h"
#include "platform/host/waiting.h"
#include "platform/kernel/trace.h"
#include <vantrel/seam/window_backend.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

using vtl::testing::ddraw::Op;

vtl::DDSurface* vtl::DDSurface::make(std::shared_ptr<DisplayState> display, DWORD caps, LONG width, LONG height,
                                     const PixelLayout& layout, int version)
{
    // Rows start on 8-byte boundaries, so a pitch is rarely the row's size:
    // whoever locks a surface must step by the pitch it reports.
    const LONG pitch = static_cast<LONG>((static_cast<DWORD>(width) * layout.bytes() + 7) & ~7u);
    std::unique_ptr<unsigned char[]> pixels(new (std::nothrow)
                                                unsigned char[static_cast<size_t>(pitch) * height]());
    if (!pixels)
        return nullptr;
    if (!(caps & DDSCAPS_SYSTEMMEMORY))
        caps |= DDSCAPS_VIDEOMEMORY;
    DDSurface* s = new (std::nothrow) DDSurface(std::move(display), caps, width, height, layout, pitch,
                                                std::move(pixels), version);
    if (!s)
        return nullptr;
    // Counted before anything can fail, as the destructor takes it off.
    if (caps & DDSCAPS_VIDEOMEMORY)
        s->display_->videoBytes += static_cast<uint64_t>(pitch) * height;
    try {
        s->display_->surfaces.push_back(s);
    } catch (...) {
        delete s;
        return nullptr;
    }
    if (s->isPrimary()) {
        s->display_->primary = s;
        setLivePrimary(s);
    }
    return s;
}

vtl::DDSurface::DDSurface(std::shared_ptr<DisplayState> display, DWORD caps, LONG width, LONG height,
                          const PixelLayout& layout, LONG pitch, std::unique_ptr<unsigned char[]> pixels,
                          int version)
    : display_(std::move(display)), caps_(caps), width_(width), height_(height), layout_(layout),
      pitch_(pitch), pixels_(std::move(pixels)), lossStamp_(displayLossCount()), version_(version)
{
}

vtl::DDSurface::~DDSurface()
{
    // Attached surfaces go with the last reference to what holds them,
    // unless the game still references them itself.
    std::vector<DDSurface*> attached;
    attached.swap(attached_);
    backBuffer_ = nullptr;
    for (DDSurface* s : attached) {
        s->attachedTo_ = nullptr;
        s->Release();
    }
    if (attachedTo_)
        attachedTo_->detach(this);
    if (maker_)
        maker_->Release();
    if (clipper_)
        clipper_->Release();
    if (palette_)
        palette_->Release();
    if (dc_)
        destroyMemoryDC(dc_);
    if (display_->primary == this)
        display_->primary = nullptr;
    clearLivePrimary(this);
    auto& all = display_->surfaces;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (caps_ & DDSCAPS_VIDEOMEMORY)
        display_->videoBytes -= static_cast<uint64_t>(pitch_) * height_;
}

void vtl::DDSurface::attachBackBuffer(DDSurface* back)
{
    // The chain's only owner of the back buffer: make() left it without a
    // reference.
    back->AddRef();
    attached_.push_back(back);
    backBuffer_ = back;
    back->attachedTo_ = this;
    back->implicit_ = true;
    caps_ |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
}

bool vtl::DDSurface::lost() const
{
    return !(caps_ & DDSCAPS_SYSTEMMEMORY) && lossStamp_ != displayLossCount();
}

void vtl::DDSurface::describe(DDSURFACEDESC2* desc) const
{
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    if (backBuffer_ && backBuffer_->implicit_) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    describeLayout(layout_, &desc->ddpfPixelFormat);
    desc->ddsCaps.dwCaps = caps_;
    const struct {
        ColorKeys::Which which;
        DWORD flag;
        DDCOLORKEY* field;
    } keys[] = {{ColorKeys::DestBlt, DDSD_CKDESTBLT, &desc->ddckCKDestBlt},
                {ColorKeys::DestOverlay, DDSD_CKDESTOVERLAY, &desc->ddckCKDestOverlay},
                {ColorKeys::SrcBlt, DDSD_CKSRCBLT, &desc->ddckCKSrcBlt},
                {ColorKeys::SrcOverlay, DDSD_CKSRCOVERLAY, &desc->ddckCKSrcOverlay}};
    for (const auto& k : keys) {
        if (keys_.set[k.which]) {
            desc->dwFlags |= k.flag;
            *k.field = keys_.key[k.which];
        }
    }
}

HRESULT vtl::DDSurface::GetPixelFormat(LPDDPIXELFORMAT format)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::GetPixelFormat", this, format);
    if (HRESULT r = testing::ddraw::intercept(Op::GetPixelFormat))
        return vtlTraceCall_.result(r);
    if (!format || format->dwSize != sizeof(DDPIXELFORMAT))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    describeLayout(layout_, format);
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::GetSurfaceDesc(LPDDSURFACEDESC desc)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::GetSurfaceDesc", this, desc);
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 wide;
    describe(&wide);
    narrowDesc(wide, desc);
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::GetCaps(LPDDSCAPS caps)
{
    if (!caps)
        return DDERR_INVALIDPARAMS;
    caps->dwCaps = caps_;
    return DD_OK;
}

HRESULT vtl::DDSurface::IsLost()
{
    VTL_TRACE(frame, "IDirectDrawSurface::IsLost", this);
    if (HRESULT r = testing::ddraw::intercept(Op::IsLost))
        return vtlTraceCall_.result(r);
    return vtlTraceCall_.result(lost() ? DDERR_SURFACELOST : DD_OK);
}

HRESULT vtl::DDSurface::Restore()
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::Restore", this);
    if (HRESULT r = testing::ddraw::intercept(Op::Restore))
        return vtlTraceCall_.result(r);
    // A flipping chain belongs to the full-screen mode it was made in.
    if (backBuffer_ && !display_->modeSet)
        return vtlTraceCall_.result(DDERR_WRONGMODE);
    for (DDSurface* s : {this, backBuffer_}) {
        if (s && s->lost()) {
            std::memset(s->pixels_.get(), 0, static_cast<size_t>(s->pitch_) * s->height_);
            s->lossStamp_ = displayLossCount();
        }
    }
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE)
{
    VTL_TRACE(frame, "IDirectDrawSurface::Lock", this, vtl::trace::Rect{rect}, desc, flags);
    if (!desc || !isEitherDescSize(desc->dwSize))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 wide;
    const HRESULT r = lock(rect, &wide, flags);
    if (r == DD_OK)
        fillDescOfItsSize(wide, desc);
    return vtlTraceCall_.result(r);
}

HRESULT vtl::DDSurface::lock(LPRECT rect, DDSURFACEDESC2* desc, DWORD flags)
{
    if (HRESULT r = testing::ddraw::intercept(Op::Lock, flags))
        return r;
    if (lost())
        return DDERR_SURFACELOST;
    if (busy())
        return DDERR_SURFACEBUSY;
    RECT area{0, 0, width_, height_};
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->right > width_ || rect->bottom > height_ ||
            rect->left >= rect->right || rect->top >= rect->bottom)
            return DDERR_INVALIDRECT;
        area = *rect;
    }
    describe(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = pixels_.get() + static_cast<size_t>(area.top) * pitch_ + area.left * layout_.bytes();
    locked_ = true;
    return DD_OK;
}

HRESULT vtl::DDSurface::Unlock(LPVOID)
{
    VTL_TRACE(frame, "IDirectDrawSurface::Unlock", this);
    if (HRESULT r = testing::ddraw::intercept(Op::Unlock))
        return vtlTraceCall_.result(r);
    if (!locked_)
        return vtlTraceCall_.result(DDERR_NOTLOCKED);
    locked_ = false;
    ++uniqueness_;
    present();
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::Flip(IDirectDrawSurface* target, DWORD flags)
{
    VTL_TRACE(frame, "IDirectDrawSurface::Flip", this, target, flags);
    if (HRESULT r = testing::ddraw::intercept(Op::Flip, flags))
        return vtlTraceCall_.result(r);
    if (!backBuffer_)
        return vtlTraceCall_.result(DDERR_NOTFLIPPABLE);
    if (target && target != backBuffer_)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (lost() || backBuffer_->lost())
        return vtlTraceCall_.result(DDERR_SURFACELOST);
    if (busy() || backBuffer_->busy())
        return vtlTraceCall_.result(DDERR_SURFACEBUSY);
    std::swap(pixels_, backBuffer_->pixels_);
    ++uniqueness_;
    ++backBuffer_->uniqueness_;
    // A flip is shown at the vertical blank unless its flags say not to
    // wait for it (DDFLIP_WAIT is about a busy device, which this one never
    // is).
    present((flags & DDFLIP_NOVSYNC) == 0);
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::SetClipper(IDirectDrawClipper* clipper)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::SetClipper", this, clipper);
    if (HRESULT r = testing::ddraw::intercept(Op::SetClipper))
        return vtlTraceCall_.result(r);
    if (clipper)
        clipper->AddRef();
    if (clipper_)
        clipper_->Release();
    clipper_ = static_cast<DDClipper*>(clipper);
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::GetClipper(IDirectDrawClipper** clipper)
{
    if (!clipper)
        return DDERR_INVALIDPARAMS;
    *clipper = clipper_;
    if (!clipper_)
        return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    return DD_OK;
}

HRESULT vtl::DDSurface::SetPalette(IDirectDrawPalette* palette)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::SetPalette", this, palette);
    if (HRESULT r = testing::ddraw::intercept(Op::SetPalette))
        return vtlTraceCall_.result(r);
    // Windows refuses a surface of another depth with this code, not with
    // DDERR_NOTPALETTIZED.
    if (palette && layout_.bits != 8)
        return vtlTraceCall_.result(DDERR_INVALIDPIXELFORMAT);
    if (palette)
        palette->AddRef();
    if (palette_)
        palette_->Release();
    palette_ = static_cast<DDPalette*>(palette);
    present();
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::GetPalette(IDirectDrawPalette** palette)
{
    if (!palette)
        return DDERR_INVALIDPARAMS;
    *palette = palette_;
    if (!palette_)
        return DDERR_NOPALETTEATTACHED;
    palette_->AddRef();
    return DD_OK;
}

bool vtl::DDSurface::windowClip(RECT* client) const
{
    const HWND window = clipper_ ? clipper_->window() : nullptr;
    if (!window)
        return false;
    return clientAreaOnScreen(window, client);
}

void vtl::DDSurface::present(bool waitForVerticalBlank)
{
    if (!isPrimary() || lost())
        return;
    const PresentedImage image{pixels_.get(), pitch_,   width_, height_,
                               layout_,       palette_ ? palette_->entries() : nullptr};
    if (backBuffer_ || display_->modeSet) {
        displayBackend().presentFullscreen(display_->window, image, waitForVerticalBlank);
    } else {
        RECT client{};
        if (!windowClip(&client))
            return;
        displayBackend().presentWindow(clipper_->window(), image, client);
    }
    // Where the host shows frames itself (a page), the game's loop waits
    // here for its next one.
    host::framePresented();
}

HRESULT vtl::DDSurface::GetDC(HDC* dc)
{
    VTL_TRACE(frame, "IDirectDrawSurface::GetDC", this, dc);
    if (HRESULT r = testing::ddraw::intercept(Op::GetDC))
        return vtlTraceCall_.result(r);
    if (!dc)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *dc = nullptr;
    if (lost())
        return vtlTraceCall_.result(DDERR_SURFACELOST);
    if (dc_)
        return vtlTraceCall_.result(DDERR_DCALREADYCREATED);
    if (locked_)
        return vtlTraceCall_.result(DDERR_SURFACEBUSY);
    // An 8-bit surface's context draws through its palette, or the
    // primary's, as the system palette is then.
    const PALETTEENTRY* colors = palette_ ? palette_->entries() : nullptr;
    const PrimaryPalette primary = primaryPalette();
    if (!colors && primary.hasPalette)
        colors = primary.entries;
    dc_ = createSurfaceDC(pixels_.get(), static_cast<DWORD>(pitch_), width_, height_, formatOf(layout_), colors);
    if (!dc_)
        return vtlTraceCall_.result(DDERR_CANTCREATEDC);
    *dc = dc_;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::ReleaseDC(HDC dc)
{
    VTL_TRACE(frame, "IDirectDrawSurface::ReleaseDC", this, dc);
    if (HRESULT r = testing::ddraw::intercept(Op::ReleaseDC))
        return vtlTraceCall_.result(r);
    if (!dc_ || dc != dc_)
        return vtlTraceCall_.result(DDERR_NODC);
    destroyMemoryDC(dc_);
    dc_ = nullptr;
    present();
    return vtlTraceCall_.result(DD_OK);
}
