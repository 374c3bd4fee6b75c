// Making the display object and its surfaces.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/window.h>

#include "display/driver_list.h"
#include "display/window_placement.h"

#include <cstring>

namespace {

constexpr DWORD kFullscreenLevel = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWMODEX;

// A display object on the handle's driver, or null with the message said.
IDirectDraw* createDirectDraw(unsigned driverIndex)
{
    IDirectDraw* dd = nullptr;
    const HRESULT result = DirectDrawCreate(vtl::driverGuid(driverIndex), &dd, nullptr);
    if (result != DD_OK) {
        Msg("DirectDrawCreate failed err=%d", result);
        return nullptr;
    }
    return dd;
}

DDSURFACEDESC emptyDescription()
{
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    return desc;
}

} // namespace

bool VTLHND::DDEnable()
{
    bytesPerPixel = bitsPerPixel >> 3;
    EnumDrivers();

    IDirectDraw* dd = directDraw;
    const bool made = dd == nullptr;
    if (made) {
        dd = createDirectDraw(driverIndex);
        if (!dd)
            return false;
        const HRESULT result = dd->SetCooperativeLevel(hwnd, isFullscreen ? kFullscreenLevel : DDSCL_NORMAL);
        if (result != DD_OK) {
            Msg("SetCooperativeLevel failed err=%d", result);
            dd->Release();
            return false;
        }
    }

    if (isFullscreen) {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU));
        const HRESULT result = dd->SetDisplayMode(width, height, bitsPerPixel);
        if (result != DD_OK) {
            Msg("SetMode failed err=%d", result);
            if (made)
                dd->Release();
            return false;
        }
    } else {
        bitsPerPixel = vtl::desktopDepth();
        vtl::placeGameWindow(hwnd, width, height);
    }
    directDraw = dd;
    return true;
}

bool VTLHND::DDCreateFlippingSurface()
{
    if (!directDraw) {
        directDraw = createDirectDraw(driverIndex);
        if (!directDraw)
            return false;
    }
    DDSURFACEDESC desc = emptyDescription();
    if (isFullscreen) {
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        if (directDraw->CreateSurface(&desc, &primary, nullptr) != DD_OK)
            return false;
        DDSCAPS caps{DDSCAPS_BACKBUFFER};
        const HRESULT result = primary->GetAttachedSurface(&caps, &backBuffer);
        if (result != DD_OK) {
            MessageBoxA(hwnd, "Get Attached Surface", "VTL ERROR", MB_OK);
            Msg("GetAttachedSurface failed! err=%d", result);
            return false;
        }
        return true;
    }

    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (directDraw->CreateSurface(&desc, &primary, nullptr) != DD_OK)
        return false;
    backBuffer = DDCreateSurface(width, height, false);
    if (!backBuffer)
        return false;
    // A restore makes a new clipper for the new primary; the old one goes.
    if (clipper) {
        clipper->Release();
        clipper = nullptr;
    }
    if (directDraw->CreateClipper(0, &clipper, nullptr) != DD_OK)
        return false;
    if (clipper->SetHWnd(0, hwnd) != DD_OK)
        return false;
    return primary->SetClipper(clipper) == DD_OK;
}

IDirectDrawSurface* VTLHND::DDCreateSurface(DWORD w, DWORD h, bool systemMemory)
{
    DDSURFACEDESC desc = emptyDescription();
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = w;
    desc.dwHeight = h;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (systemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
    IDirectDrawSurface* surface = nullptr;
    const HRESULT result = directDraw ? directDraw->CreateSurface(&desc, &surface, nullptr) : DDERR_INVALIDOBJECT;
    if (result != DD_OK) {
        Msg("CreateSurface FAILED, rc = %ld", static_cast<long>(result & 0xFFFF));
        return nullptr;
    }
    return surface;
}

void VTLHND::ClearBackBuffer(DWORD fill)
{
    if (!backBuffer)
        return;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = fill;
    backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}
