// Text written with a font straight into the back buffer.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>

#include <cstring>

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
