#include "platform/ddraw/pixel_layout.h"

vtl::PixelLayout vtl::layoutOf(const VTLPixelFormat& f)
{
    if (f.bitsPerPixel == 8)
        return {8, 0, 0, 0};
    return {f.bitsPerPixel, f.redMask, f.greenMask, f.blueMask};
}

vtl::PixelLayout vtl::fullscreenLayout(DWORD bits, const PixelLayout& desktop)
{
    if (bits == desktop.bits)
        return desktop;
    switch (bits) {
    case 8:
        return {8, 0, 0, 0};
    case 16:
        return {16, 0xF800, 0x07E0, 0x001F};
    default:
        return {bits, 0xFF0000, 0x00FF00, 0x0000FF};
    }
}

VTLPixelFormat vtl::formatOf(const PixelLayout& layout)
{
    VTLPixelFormat f{};
    f.bitsPerPixel = static_cast<unsigned char>(layout.bits);
    f.bytesPerPixel = static_cast<unsigned char>(layout.bytes());
    f.redMask = layout.red;
    f.greenMask = layout.green;
    f.blueMask = layout.blue;
    switch (layout.bits) {
    case 8:
        f.formatCode = PF_PAL8;
        f.redMask = 0xE0;
        f.greenMask = 0x1C;
        f.blueMask = 0x03;
        return f;
    case 16:
        f.formatCode = layout.green == 0x3E0 ? PF_RGB555 : PF_RGB565;
        break;
    case 24:
        f.formatCode = PF_RGB24;
        break;
    default:
        f.formatCode = PF_RGB32;
        break;
    }
    if (layout.red < layout.blue)
        f.formatCode |= PF_BGR;
    return f;
}

int vtl::maskShift(DWORD mask)
{
    int n = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++n;
    }
    return n;
}

int vtl::maskBits(DWORD mask)
{
    int n = 0;
    for (; mask; mask &= mask - 1)
        ++n;
    return n;
}
