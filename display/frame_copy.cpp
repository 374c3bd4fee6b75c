// Finishing a frame: the system buffer is cleared before a frame is drawn,
// copied into the back buffer once it is finished, and text may then be
// written with a font straight into the back buffer.
//
// Both use the display's width, height and depth for the amount of pixels.
// A surface that is smaller than the display or of another depth is refused
// (nothing is cleared or copied, the copy returns false) rather than read or
// written past its end.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>

#include <algorithm>
#include <cstring>

namespace {

bool coversDisplay(const BITPLANEFX& s, const VTLHND& h)
{
    return s.pixels && s.bytesPerPixel == h.bytesPerPixel && s.width >= 0 && s.height >= 0 &&
           static_cast<DWORD>(s.width) >= h.width && static_cast<DWORD>(s.height) >= h.height;
}

} // namespace

void VTLHND::gfxClearSystemBuffer(BITPLANEFX* surface)
{
    if (!surface || !coversDisplay(*surface, *this) || height == 0)
        return;
    const DWORD rowSize = bytesPerPixel * width;
    for (DWORD y = 0; y < height; ++y)
        mmxmemset(surface->pixels + static_cast<size_t>(y) * surface->pitch, 0, rowSize);
}

bool VTLHND::gfxCopyBackBuffer(BITPLANEFX* source)
{
    if (!primary || !backBuffer)
        return false;
    if (!source || !coversDisplay(*source, *this))
        return false;

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        // In full screen the next gfxSwapBuffers restores; in a window
        // nothing else would, so restore here and try once more.
        if (isFullscreen) {
            Msg("Lock Failed");
            return false;
        }
        RestoreAll();
        if (!backBuffer)
            return false;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        if (backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
            Msg("Lock Failed");
            return false;
        }
    }
    if (!desc.lpSurface) {
        backBuffer->Unlock(nullptr);
        return false;
    }

    // The back buffer is the display's size; the bounds are kept anyway, so
    // a surface of another size can never be written past its end.
    const DWORD rowSize = std::min<DWORD>(bytesPerPixel * width, desc.dwWidth * (desc.ddpfPixelFormat.dwRGBBitCount / 8));
    const DWORD rows = std::min(height, desc.dwHeight);
    unsigned char* to = static_cast<unsigned char*>(desc.lpSurface);
    for (DWORD y = 0; y < rows; ++y)
        mmxmemcpy(to + static_cast<size_t>(y) * desc.lPitch, source->pixels + static_cast<size_t>(y) * source->pitch,
                  rowSize);
    backBuffer->Unlock(desc.lpSurface);
    return true;
}

bool VTLHND::gfxString(const char* text, HFONT font, COLORREF color, short x, short y, unsigned char alignment)
{
    if (!backBuffer || !primary)
        return false;
    if (!text) {
        Msg("Surface::string() - Null message.");
        return false;
    }
    HDC dc = nullptr;
    HRESULT result = backBuffer->GetDC(&dc);
    if (result != DD_OK) {
        Msg("gfxString() - GetDC().", result);
        return false;
    }
    // The font stays selected: the context is the surface's and goes away
    // with ReleaseDC.
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    const int length = static_cast<int>(std::strlen(text));
    SIZE extent{0, 0};
    GetTextExtentPointA(dc, text, length, &extent);
    if (alignment == 1)
        x = static_cast<short>(x - extent.cx / 2);
    else if (alignment == 2)
        x = static_cast<short>(x - extent.cx);
    TextOutA(dc, x, y, text, length);
    result = backBuffer->ReleaseDC(dc);
    if (result != DD_OK) {
        Msg("gfxString() - ReleaseDC().", result);
        return false;
    }
    return true;
}
