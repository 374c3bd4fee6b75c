// Built from the platform layer's objects and nothing of the library: every
// object of vantrel_platform is linked in, so a call from any of them up into
// the library leaves an undefined reference and this program does not link.
// Running it shows the calls that used to live above the platform work there:
// GDI text packs its colour for the device context's format itself.
#include <vantrel/seam/window_backend.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/pixel_format.h>

#include <cstdio>
#include <vector>

namespace {

int failed(const char* what)
{
    std::fprintf(stderr, "platform alone: %s\n", what);
    return 1;
}

} // namespace

int main()
{
    PALETTEENTRY palette[256];
    VTLPalette332(palette);
    if (palette[0x92].peRed != 145 || palette[0x92].peGreen != 145 || palette[0x92].peBlue != 170)
        return failed("the 3-3-2 palette");

    const VTLPixelFormat format{PF_RGB565, 16, 2, 0xF800, 0x07E0, 0x001F};
    const unsigned long red = VTLPackColor(16, PF_RGB565, 255, 0, 0);
    unsigned char r = 0, g = 1, b = 1;
    if (red != 0xF800 || !VTLUnpackColor(16, PF_RGB565, red, &r, &g, &b) || r != 0xF8 || g != 0 || b != 0)
        return failed("colour packing");

    const int width = 64, height = 32;
    const DWORD pitch = width * 2;
    std::vector<unsigned char> pixels(pitch * height, 0);
    HDC dc = vtl::createMemoryDC(pixels.data(), pitch, width, height, format);
    if (!dc)
        return failed("a device context over memory pixels");
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 0, 0));
    TextOutA(dc, 2, 2, "WM", 2);
    vtl::destroyMemoryDC(dc);

    // The glyphs' solid middles come out as the packed colour exactly.
    for (size_t i = 0; i + 1 < pixels.size(); i += 2) {
        if (static_cast<unsigned long>(pixels[i] | pixels[i + 1] << 8) == red)
            return 0;
    }
    return failed("text in the device context's format");
}
