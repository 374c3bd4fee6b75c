// The display's pixel format: read into the handle (with the effect tables
// built for it) whenever the display starts or is restored, and the colour
// packing that games use with it.
#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

#include <cstring>

bool VTLHND::initPixelFormat()
{
    if (!primary)
        return false;
    // A failed read leaves the zeroed description, whose depth is refused.
    DDPIXELFORMAT pf;
    std::memset(&pf, 0, sizeof pf);
    pf.dwSize = sizeof pf;
    primary->GetPixelFormat(&pf);
    bitsPerPixel = static_cast<unsigned char>(pf.dwRGBBitCount);
    redMask = pf.dwRBitMask;
    greenMask = pf.dwGBitMask;
    blueMask = pf.dwBBitMask;

    VTLPixelFormat format{};
    if (pf.dwRGBBitCount > 0xFF ||
        !VTLBuildEffectTables(pf.dwRGBBitCount, pf.dwRBitMask, pf.dwGBitMask, pf.dwBBitMask, &format))
        return false;
    formatCode = format.formatCode;
    bytesPerPixel = format.bytesPerPixel;
    redMask = format.redMask;
    greenMask = format.greenMask;
    blueMask = format.blueMask;

    if (bitsPerPixel == 8 && directDraw) {
        // The fixed 3-3-2 palette; the primary keeps its own reference.
        PALETTEENTRY entries[256];
        VTLPalette332(entries);
        IDirectDrawPalette* palette = nullptr;
        directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr);
        primary->SetPalette(palette);
        if (palette)
            palette->Release();
    }
    return true;
}

unsigned long VTLHND::packColor(unsigned char red, unsigned char green, unsigned char blue)
{
    return VTLPackColor(bitsPerPixel, formatCode, red, green, blue);
}

void VTLHND::unpackColor(unsigned long pixel, unsigned char* red, unsigned char* green, unsigned char* blue)
{
    VTLUnpackColor(bitsPerPixel, formatCode, pixel, red, green, blue);
}
