// The display object: cooperative level, display modes and the creation of
// surfaces, clippers and palettes.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/ddraw/display_backend.h"
#include "platform/ddraw/display_loss.h"
#include "platform/ddraw/surface_desc.h"
#include "platform/kernel/trace.h"

#include <vantrel/seam/display_change.h>
#include <vantrel/seam/display_modes.h>
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/window.h>

#include <cstring>
#include <new>

using vtl::testing::ddraw::Op;

namespace {

constexpr LONG kMaxSurfaceSide = 16384;
DWORD gGameWidth = 0;
DWORD gGameHeight = 0;
int gFullscreenModes = 0; // display objects holding a full-screen mode
int gLossWatch = 0;       // the window-system observer below, once installed

// A full-screen game that is minimised gives the display away, and any
// display change (a mode switch by anyone) invalidates what was on it: the
// surfaces are lost until restored or made again.
void watchForLoss(HWND, UINT message, WPARAM wParam, LPARAM, void*)
{
    if (message == WM_DISPLAYCHANGE || (message == WM_SIZE && wParam == SIZE_MINIMIZED && gFullscreenModes > 0))
        vtl::noteDisplayLoss();
}

struct ModeSize {
    DWORD width, height;
};

// The listed sizes in ascending order, the game's own among them.
int listedSizes(ModeSize out[4])
{
    const ModeSize standard[] = {{640, 480}, {800, 600}, {1024, 768}};
    int n = 0;
    bool gameListed = gGameWidth == 0 || gGameHeight == 0;
    for (const ModeSize& s : standard) {
        if (!gameListed && uint64_t{gGameWidth} * gGameHeight <= uint64_t{s.width} * s.height) {
            if (gGameWidth != s.width || gGameHeight != s.height)
                out[n++] = {gGameWidth, gGameHeight};
            gameListed = true;
        }
        out[n++] = s;
    }
    if (!gameListed)
        out[n++] = {gGameWidth, gGameHeight};
    return n;
}

bool depthListed(DWORD bits) { return bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// A layout a surface description may ask for explicitly.
bool layoutFromFormat(const DDPIXELFORMAT& pf, vtl::PixelLayout* layout)
{
    if (pf.dwSize != sizeof(DDPIXELFORMAT) || !(pf.dwFlags & DDPF_RGB))
        return false;
    if (pf.dwRGBBitCount == 8 && (pf.dwFlags & DDPF_PALETTEINDEXED8)) {
        *layout = {8, 0, 0, 0};
        return true;
    }
    if (pf.dwRGBBitCount != 16 && pf.dwRGBBitCount != 24 && pf.dwRGBBitCount != 32)
        return false;
    if (!pf.dwRBitMask || !pf.dwGBitMask || !pf.dwBBitMask)
        return false;
    *layout = {pf.dwRGBBitCount, pf.dwRBitMask, pf.dwGBitMask, pf.dwBBitMask};
    return true;
}

} // namespace

void vtl::describeLayout(const PixelLayout& layout, DDPIXELFORMAT* pf)
{
    std::memset(pf, 0, sizeof *pf);
    pf->dwSize = sizeof *pf;
    pf->dwFlags = DDPF_RGB | (layout.bits == 8 ? DDPF_PALETTEINDEXED8 : 0);
    pf->dwRGBBitCount = layout.bits;
    pf->dwRBitMask = layout.red;
    pf->dwGBitMask = layout.green;
    pf->dwBBitMask = layout.blue;
}

void vtl::setGameDisplaySize(DWORD width, DWORD height)
{
    gGameWidth = width;
    gGameHeight = height;
}

int vtl::listedDisplaySizes(DisplayModeSize sizes[4])
{
    ModeSize listed[4];
    const int n = listedSizes(listed);
    for (int i = 0; i < n; ++i)
        sizes[i] = DisplayModeSize{listed[i].width, listed[i].height};
    return n;
}

bool vtl::isDisplayModeListed(DWORD width, DWORD height, DWORD bits)
{
    if (!depthListed(bits))
        return false;
    ModeSize sizes[4];
    const int n = listedSizes(sizes);
    for (int i = 0; i < n; ++i)
        if (sizes[i].width == width && sizes[i].height == height)
            return true;
    return false;
}

vtl::DDDevice::DDDevice(int version) : display_(std::make_shared<DisplayState>()), version_(version)
{
    display_->device = this;
    const Desktop screen = desktop();
    display_->desktop = layoutOf(screen.format);
    display_->desktopWidth = screen.width;
    display_->desktopHeight = screen.height;
    if (!gLossWatch)
        gLossWatch = watchWindowMessages(nullptr, watchForLoss, nullptr);
}

// Letting the display object go ends its full-screen mode.
vtl::DDDevice::~DDDevice()
{
    leaveMode();
    display_->device = nullptr;
}

void vtl::DDDevice::leaveMode()
{
    if (!display_->modeSet)
        return;
    displayBackend().leaveFullscreen();
    display_->modeSet = false;
    // The desktop is the real screen's size again once no display object
    // holds a mode.
    if (--gFullscreenModes == 0)
        setDesktopMode(0, 0);
    noteDisplayLoss();
    const Desktop screen = desktop();
    notifyDisplayChange(screen.format.bitsPerPixel, screen.width, screen.height);
}

HRESULT vtl::DDDevice::SetCooperativeLevel(HWND hwnd, DWORD flags)
{
    VTL_TRACE(ddraw, "IDirectDraw::SetCooperativeLevel", this, hwnd, flags);
    if (HRESULT r = testing::ddraw::intercept(Op::SetCooperativeLevel, flags))
        return vtlTraceCall_.result(r);
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool full = (flags & DDSCL_FULLSCREEN) != 0;
    const bool normal = (flags & DDSCL_NORMAL) != 0;
    if (exclusive != full || (normal && exclusive) || (!normal && !exclusive))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (exclusive && !hwnd)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (!exclusive)
        leaveMode();
    display_->window = hwnd;
    display_->level = flags;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDDevice::SetDisplayMode(DWORD width, DWORD height, DWORD bits)
{
    VTL_TRACE(ddraw, "IDirectDraw::SetDisplayMode", this, static_cast<int>(width), static_cast<int>(height),
              static_cast<int>(bits));
    return vtlTraceCall_.result(setMode(width, height, bits, 0, 0));
}

HRESULT vtl::DDDevice::setMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate, DWORD flags)
{
    if (HRESULT r = testing::ddraw::intercept(Op::SetDisplayMode, bits))
        return r;
    if (flags & ~DWORD{DDSDM_STANDARDVGAMODE})
        return DDERR_INVALIDPARAMS;
    if (!display_->exclusive())
        return DDERR_NOEXCLUSIVEMODE;
    // Every mode runs at the rate EnumDisplayModes reports; 0 asks for the
    // default.
    if (!isDisplayModeListed(width, height, bits) || (refreshRate != 0 && refreshRate != kModeRefreshRate))
        return DDERR_INVALIDMODE;
    if (HRESULT r = displayBackend().enterFullscreen(display_->window, width, height))
        return r;
    // The mode is the game's screen: the desktop takes its size, and the
    // exclusive window covers it, above the others, until the game places
    // it again (DDEnable's windowed placement undoes both).  The backend
    // shows that screen scaled onto the real one.
    setDesktopMode(static_cast<int>(width), static_cast<int>(height));
    SetWindowPos(display_->window, HWND_TOPMOST, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOACTIVATE);
    if (!display_->modeSet)
        ++gFullscreenModes;
    display_->modeSet = true;
    display_->modeWidth = width;
    display_->modeHeight = height;
    display_->modeLayout = fullscreenLayout(bits, display_->desktop);
    // A mode change takes the display from every surface made before it
    // (its listeners tell the windows, and through them the loss watch).
    noteDisplayLoss();
    notifyDisplayChange(bits, static_cast<int>(width), static_cast<int>(height));
    return DD_OK;
}

HRESULT vtl::DDDevice::RestoreDisplayMode()
{
    VTL_TRACE(ddraw, "IDirectDraw::RestoreDisplayMode", this);
    if (HRESULT r = testing::ddraw::intercept(Op::RestoreDisplayMode))
        return vtlTraceCall_.result(r);
    leaveMode();
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDDevice::GetDisplayMode(LPDDSURFACEDESC desc)
{
    VTL_TRACE(ddraw, "IDirectDraw::GetDisplayMode", this, desc);
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 wide;
    describeMode(&wide);
    narrowDesc(wide, desc);
    return vtlTraceCall_.result(DD_OK);
}

void vtl::DDDevice::describeMode(DDSURFACEDESC2* desc) const
{
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    const PixelLayout layout = display_->currentLayout();
    desc->dwWidth = display_->modeSet ? display_->modeWidth : static_cast<DWORD>(display_->desktopWidth);
    desc->dwHeight = display_->modeSet ? display_->modeHeight : static_cast<DWORD>(display_->desktopHeight);
    desc->lPitch = static_cast<LONG>(desc->dwWidth * layout.bytes());
    desc->dwRefreshRate = kModeRefreshRate;
    vtl::describeLayout(layout, &desc->ddpfPixelFormat);
}

HRESULT vtl::DDDevice::EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter, LPVOID context,
                                        LPDDENUMMODESCALLBACK callback)
{
    VTL_TRACE(ddraw, "IDirectDraw::EnumDisplayModes", this, flags, filter, context, callback);
    if (!callback || (filter && filter->dwSize != sizeof(DDSURFACEDESC)))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    struct Call {
        LPDDENUMMODESCALLBACK callback;
        LPVOID context;
    } call{callback, context};
    const DDSURFACEDESC2 wideFilter = filter ? widenDesc(*filter) : DDSURFACEDESC2{};
    return vtlTraceCall_.result(enumModes(
        flags, filter ? &wideFilter : nullptr,
        [](DDSURFACEDESC2& mode, void* c) {
            DDSURFACEDESC narrow;
            narrowDesc(mode, &narrow);
            return static_cast<Call*>(c)->callback(&narrow, static_cast<Call*>(c)->context);
        },
        &call));
}

HRESULT vtl::DDDevice::enumModes(DWORD flags, const DDSURFACEDESC2* filter, ModeVisitor visit, void* context)
{
    if (HRESULT r = testing::ddraw::intercept(Op::EnumDisplayModes, flags))
        return r;
    ModeSize sizes[4];
    const int n = listedSizes(sizes);
    const DWORD depths[] = {8, 16, 24, 32};
    for (int i = 0; i < n; ++i) {
        for (DWORD bits : depths) {
            if (filter && (filter->dwFlags & DDSD_WIDTH) && filter->dwWidth != sizes[i].width)
                continue;
            if (filter && (filter->dwFlags & DDSD_HEIGHT) && filter->dwHeight != sizes[i].height)
                continue;
            if (filter && (filter->dwFlags & DDSD_PIXELFORMAT) &&
                filter->ddpfPixelFormat.dwRGBBitCount != bits)
                continue;
            DDSURFACEDESC2 mode;
            std::memset(&mode, 0, sizeof mode);
            mode.dwSize = sizeof mode;
            mode.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
            mode.dwWidth = sizes[i].width;
            mode.dwHeight = sizes[i].height;
            mode.lPitch = static_cast<LONG>(sizes[i].width * bits / 8);
            mode.dwRefreshRate = kModeRefreshRate;
            vtl::describeLayout(fullscreenLayout(bits, display_->desktop), &mode.ddpfPixelFormat);
            if (visit(mode, context) == DDENUMRET_CANCEL)
                return DD_OK;
        }
    }
    return DD_OK;
}

HRESULT vtl::DDDevice::WaitForVerticalBlank(DWORD flags, HANDLE)
{
    VTL_TRACE(frame, "IDirectDraw::WaitForVerticalBlank", this, flags);
    VTL_UNSUPPORTED("IDirectDraw::WaitForVerticalBlank", "returns at once");
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDDevice::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown* outer)
{
    VTL_TRACE(ddraw, "IDirectDraw::CreateClipper", this, clipper, outer);
    if (!clipper)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *clipper = nullptr;
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    if (HRESULT r = testing::ddraw::intercept(Op::CreateClipper))
        return vtlTraceCall_.result(r);
    *clipper = new (std::nothrow) DDClipper;
    return vtlTraceCall_.result(*clipper ? DD_OK : DDERR_OUTOFMEMORY);
}

HRESULT vtl::DDDevice::CreatePalette(DWORD flags, LPPALETTEENTRY entries, IDirectDrawPalette** palette,
                                     IUnknown* outer)
{
    VTL_TRACE(ddraw, "IDirectDraw::CreatePalette", this, flags, entries, palette, outer);
    if (!palette)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *palette = nullptr;
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    if (HRESULT r = testing::ddraw::intercept(Op::CreatePalette, flags))
        return vtlTraceCall_.result(r);
    if (!(flags & DDPCAPS_8BIT) || !entries)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *palette = new (std::nothrow) DDPalette(flags, entries);
    return vtlTraceCall_.result(*palette ? DD_OK : DDERR_OUTOFMEMORY);
}

HRESULT vtl::DDDevice::CreateSurface(LPDDSURFACEDESC desc, IDirectDrawSurface** surface, IUnknown* outer)
{
    VTL_TRACE(ddraw, "IDirectDraw::CreateSurface", this, desc, surface, outer);
    if (!surface)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *surface = nullptr;
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    DDSurface* made = nullptr;
    if (HRESULT r = createSurface(widenDesc(*desc), 1, &made))
        return vtlTraceCall_.result(r);
    made->AddRef();
    *surface = made;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDDevice::createSurface(const DDSURFACEDESC2& desc, int version, DDSurface** surface)
{
    if (HRESULT r = testing::ddraw::intercept(Op::CreateSurface, desc.ddsCaps.dwCaps))
        return r;
    if (!(desc.dwFlags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    // One colour per key: a range needs hardware this display does not have.
    for (DWORD flag : {DWORD{DDSD_CKSRCBLT}, DWORD{DDSD_CKDESTBLT}}) {
        const DDCOLORKEY& key = flag == DDSD_CKSRCBLT ? desc.ddckCKSrcBlt : desc.ddckCKDestBlt;
        if ((desc.dwFlags & flag) && key.dwColorSpaceLowValue != key.dwColorSpaceHighValue)
            return DDERR_NOCOLORKEYHW;
    }
    if (desc.ddsCaps.dwCaps & DDSCAPS_ZBUFFER)
        return DDERR_NOZBUFFERHW;
    DDSurface* made = nullptr;
    if (desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
        if (HRESULT r = createPrimary(desc, version, &made))
            return r;
    } else {
        if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT))
            return DDERR_INVALIDPARAMS;
        const LONG width = static_cast<LONG>(desc.dwWidth);
        const LONG height = static_cast<LONG>(desc.dwHeight);
        if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
            return DDERR_INVALIDPARAMS;
        // A lone back buffer may be made (and attached to a primary); a
        // flipping chain starts at the primary.
        if (desc.ddsCaps.dwCaps & DDSCAPS_FLIP)
            return DDERR_INVALIDCAPS;
        PixelLayout layout = display_->currentLayout();
        if ((desc.dwFlags & DDSD_PIXELFORMAT) && !layoutFromFormat(desc.ddpfPixelFormat, &layout))
            return DDERR_INVALIDPIXELFORMAT;
        made = DDSurface::make(display_, desc.ddsCaps.dwCaps, width, height, layout, version);
        if (!made)
            return DDERR_OUTOFMEMORY;
    }
    if (desc.dwFlags & DDSD_CKSRCBLT) {
        made->keys().key[ColorKeys::SrcBlt] = desc.ddckCKSrcBlt;
        made->keys().set[ColorKeys::SrcBlt] = true;
    }
    if (desc.dwFlags & DDSD_CKDESTBLT) {
        made->keys().key[ColorKeys::DestBlt] = desc.ddckCKDestBlt;
        made->keys().set[ColorKeys::DestBlt] = true;
    }
    *surface = made;
    return DD_OK;
}

HRESULT vtl::DDDevice::createPrimary(const DDSURFACEDESC2& desc, int version, DDSurface** surface)
{
    if (display_->level == 0)
        return DDERR_NOCOOPERATIVELEVELSET;
    if (display_->primary)
        return DDERR_PRIMARYSURFACEALREADYEXISTS;
    const DWORD caps = desc.ddsCaps.dwCaps;
    const bool flipping = (caps & DDSCAPS_FLIP) != 0;
    LONG width = display_->desktopWidth;
    LONG height = display_->desktopHeight;
    if (display_->modeSet) {
        width = static_cast<LONG>(display_->modeWidth);
        height = static_cast<LONG>(display_->modeHeight);
    }
    const PixelLayout layout = display_->currentLayout();
    if (flipping) {
        if (!display_->exclusive())
            return DDERR_NOEXCLUSIVEMODE;
        // One back buffer: the chain the library flips.
        if (!(desc.dwFlags & DDSD_BACKBUFFERCOUNT) || desc.dwBackBufferCount != 1 ||
            !(caps & DDSCAPS_COMPLEX)) {
            if ((desc.dwFlags & DDSD_BACKBUFFERCOUNT) && desc.dwBackBufferCount > 1)
                VTL_UNSUPPORTED("IDirectDraw::CreateSurface with more than one back buffer", "fails");
            return DDERR_INVALIDCAPS;
        }
    }
    DDSurface* primary = DDSurface::make(display_, caps | DDSCAPS_FRONTBUFFER, width, height, layout, version);
    if (!primary)
        return DDERR_OUTOFMEMORY;
    if (flipping) {
        DDSurface* back = DDSurface::make(display_, DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX, width,
                                          height, layout, version);
        if (!back) {
            delete primary;
            return DDERR_OUTOFMEMORY;
        }
        primary->attachBackBuffer(back);
    }
    *surface = primary;
    return DD_OK;
}
