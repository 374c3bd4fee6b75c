// Colours to pixels and back in each display format, and the fixed palette
// that gives the 8-bit format's indices their colours.
#include <vantrel/win32/pixel_format.h>

unsigned long VTLPackColor(unsigned bits, unsigned code, unsigned char r, unsigned char g,
                           unsigned char b)
{
    const unsigned long R = r, G = g, B = b;
    switch (bits) {
    case 8:
        return (R & 0xE0) | ((G & 0xE0) >> 3) | (B >> 6);
    case 16:
        switch (code) {
        case PF_RGB555: return ((R >> 3) << 10) | ((G >> 3) << 5) | (B >> 3);
        case PF_RGB565: return ((R >> 3) << 11) | ((G >> 2) << 5) | (B >> 3);
        case PF_RGB555 | PF_BGR: return ((B >> 3) << 10) | ((G >> 3) << 5) | (R >> 3);
        case PF_RGB565 | PF_BGR: return ((B >> 3) << 11) | ((G >> 2) << 5) | (R >> 3);
        }
        return 0;
    case 24:
    case 32: {
        const unsigned plain = bits == 24 ? PF_RGB24 : PF_RGB32;
        if (code == plain)
            return (R << 16) | (G << 8) | B;
        if (code == (plain | PF_BGR))
            return (B << 16) | (G << 8) | R;
        return 0;
    }
    }
    return 0;
}

bool VTLUnpackColor(unsigned bits, unsigned code, unsigned long p, unsigned char* r,
                    unsigned char* g, unsigned char* b)
{
    unsigned long R, G, B;
    switch (bits) {
    case 8:
        R = p & 0xE0;
        G = (p & 0x1C) << 3;
        B = (p & 0x03) << 6;
        break;
    case 16:
        switch (code) {
        case PF_RGB555:
            R = ((p >> 10) & 0x1F) << 3;
            G = ((p >> 5) & 0x1F) << 3;
            B = (p & 0x1F) << 3;
            break;
        case PF_RGB565:
            R = ((p >> 11) & 0x1F) << 3;
            G = ((p >> 5) & 0x3F) << 2;
            B = (p & 0x1F) << 3;
            break;
        case PF_RGB555 | PF_BGR:
            R = (p & 0x1F) << 3;
            G = ((p >> 5) & 0x1F) << 3;
            B = ((p >> 10) & 0x1F) << 3;
            break;
        case PF_RGB565 | PF_BGR:
            R = (p & 0x1F) << 3;
            G = ((p >> 5) & 0x3F) << 2;
            B = ((p >> 11) & 0x1F) << 3;
            break;
        default:
            return false;
        }
        break;
    case 24:
    case 32: {
        const unsigned plain = bits == 24 ? PF_RGB24 : PF_RGB32;
        if (code == plain) {
            R = (p >> 16) & 0xFF;
            G = (p >> 8) & 0xFF;
            B = p & 0xFF;
        } else if (code == (plain | PF_BGR)) {
            R = p & 0xFF;
            G = (p >> 8) & 0xFF;
            B = (p >> 16) & 0xFF;
        } else {
            return false;
        }
        break;
    }
    default:
        return false;
    }
    *r = static_cast<unsigned char>(R);
    *g = static_cast<unsigned char>(G);
    *b = static_cast<unsigned char>(B);
    return true;
}

void VTLPalette332(PALETTEENTRY entries[256])
{
    for (unsigned c = 0; c < 256; ++c) {
        entries[c].peRed = static_cast<BYTE>((c >> 5) * 255u / 7u);
        entries[c].peGreen = static_cast<BYTE>(((c >> 2) & 7u) * 255u / 7u);
        entries[c].peBlue = static_cast<BYTE>((c & 3u) * 85u);
        entries[c].peFlags = 0;
    }
}
