// The DirectDraw calls behind the lifecycle: making the display object, its
// cooperative level and mode (or the game's window placed for windowed
// mode), the primary surface and back buffer, clearing the back buffer, and
// releasing it all.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include "display/driver_list.h"

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

// BITSPIXEL x PLANES of the screen, kept to 8 bits.
unsigned char desktopDepth()
{
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return static_cast<unsigned char>(depth);
}

// Gives the window a caption, system menu and minimise box (no popup
// style), sizes its frame around a width x height client area, centres it on
// the screen, takes it out of the topmost band, and moves its left and top
// edges into the work area when they lie outside it.  The window system has
// no menu bars, so the frame never allows for one.
void placeGameWindow(HWND window, DWORD width, DWORD height)
{
    const DWORD style = (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0x7F35FFFFu) | 0x00CA0000u;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));

    RECT frame{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    AdjustWindowRectEx(&frame, style, FALSE, static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    RECT work{};
    RECT placed{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &placed);
    if (placed.left < work.left)
        placed.left = work.left;
    if (placed.top < work.top)
        placed.top = work.top;
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
        bitsPerPixel = desktopDepth();
        placeGameWindow(hwnd, width, height);
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

// Every caller passes true.  The back buffer goes whenever it is set (the
// primary is normally there too), so that nothing is left behind.
void VTLHND::DDDisable(bool releaseDirectDraw)
{
    if (clipper) {
        clipper->Release();
        clipper = nullptr;
    }
    if (backBuffer) {
        backBuffer->Release();
        backBuffer = nullptr;
    }
    if (primary) {
        primary->Release();
        primary = nullptr;
    }
    if (isFullscreen && directDraw)
        directDraw->RestoreDisplayMode();
    if (releaseDirectDraw && directDraw) {
        directDraw->Release();
        directDraw = nullptr;
    }
}
