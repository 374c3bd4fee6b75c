// The effect tables and the builder that fills them for a display format.
#include <vantrel/pixelformat.h>

alignas(64) unsigned char Fade8Rev[256][256];
alignas(64) unsigned char Fade8[256][256];
alignas(64) unsigned short FadeHiRev[256][256];
alignas(64) unsigned char Scale8[256][256];
alignas(64) unsigned short FadeHi[256][256];
alignas(64) unsigned char Scale8Rev[256][256];
alignas(64) unsigned short FadeLoRev[256][256];
alignas(64) unsigned short FadeLo[256][256];
DWORD HalfMask;

namespace {

// A masked field scaled in place: what division moves below the field's
// lowest bit is dropped by the mask, so the result never leaves the field.
inline DWORD fadeField(DWORD value, DWORD mask, DWORD level)
{
    return ((value & mask) * level / 255u) & mask;
}

inline DWORD fadeMasked(DWORD value, const DWORD masks[3], DWORD level)
{
    return fadeField(value, masks[0], level) + fadeField(value, masks[1], level) +
           fadeField(value, masks[2], level);
}

void buildScale8()
{
    for (unsigned k = 0; k < 256; ++k)
        for (unsigned c = 0; c < 256; ++c)
            Scale8[k][c] = static_cast<unsigned char>(c * k / 255u);
}

void build8()
{
    const DWORD masks[3] = {0xE0, 0x1C, 0x03};
    for (unsigned k = 0; k < 256; ++k)
        for (unsigned c = 0; c < 256; ++c) {
            auto v = static_cast<unsigned char>(fadeMasked(c, masks, k));
            Fade8[k][c] = v;
            Fade8Rev[255 - k][c] = v;
        }
    buildScale8();
    HalfMask = VTL_HALFMASK_332;
}

void build16(const DWORD masks[3])
{
    for (unsigned k = 0; k < 256; ++k)
        for (unsigned i = 0; i < 256; ++i) {
            auto lo = static_cast<unsigned short>(fadeMasked(i, masks, k));
            auto hi = static_cast<unsigned short>(fadeMasked(i << 8, masks, k));
            FadeLo[k][i] = lo;
            FadeLoRev[255 - k][i] = lo;
            FadeHi[k][i] = hi;
            FadeHiRev[255 - k][i] = hi;
        }
    buildScale8();
}

void buildBytes()
{
    for (unsigned k = 0; k < 256; ++k)
        for (unsigned c = 0; c < 256; ++c) {
            auto v = static_cast<unsigned char>(c * k / 255u);
            Fade8[k][c] = v;
            Fade8Rev[255 - k][c] = v;
            Scale8[k][c] = v;
            Scale8Rev[255 - k][c] = v;
        }
}

} // namespace

bool VTLBuildEffectTables(unsigned bits, DWORD redMask, DWORD greenMask, DWORD blueMask,
                          VTLPixelFormat* format)
{
    VTLPixelFormat f{};
    f.bitsPerPixel = static_cast<unsigned char>(bits);
    f.redMask = redMask;
    f.greenMask = greenMask;
    f.blueMask = blueMask;
    const unsigned char bgr = redMask < blueMask ? PF_BGR : 0;
    switch (bits) {
    case 8:
        f.bytesPerPixel = 1;
        f.formatCode = PF_PAL8;
        f.redMask = 0xE0;
        f.greenMask = 0x1C;
        f.blueMask = 0x03;
        build8();
        break;
    case 16: {
        f.bytesPerPixel = 2;
        DWORD half;
        if (greenMask == 0x3E0) {
            f.formatCode = PF_RGB555;
            half = 0x3DEF3DEFu;
        } else if (greenMask == 0x7E0) {
            f.formatCode = PF_RGB565;
            half = 0x7BEF7BEFu;
        } else {
            return false;
        }
        f.formatCode |= bgr;
        const DWORD masks[3] = {redMask, greenMask, blueMask};
        build16(masks);
        HalfMask = half;
        break;
    }
    case 24:
    case 32:
        f.bytesPerPixel = static_cast<unsigned char>(bits / 8);
        f.formatCode = static_cast<unsigned char>((bits == 24 ? PF_RGB24 : PF_RGB32) | bgr);
        buildBytes();
        break;
    default:
        return false;
    }
    if (format)
        *format = f;
    return true;
}
