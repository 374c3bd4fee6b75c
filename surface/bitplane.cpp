// BITPLANEFX housekeeping: buffers, clip rectangle, colour key.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>

#include "core/buffer_limit.h"

bool BITPLANEFX::create(int w, int h, bool withAlpha)
{
    MemFree(pixels);
    pixels = nullptr;
    MemFree(alpha);
    alpha = nullptr;

    // Rows start on 8-byte boundaries.  A surface whose buffers together
    // would not fit a 32-bit process (or a negative size) is refused like a
    // failed allocation rather than wrapped into a buffer too small for it.
    const uint64_t rowBytes = (uint64_t{bytesPerPixel} * static_cast<uint64_t>(w) + 7) & ~uint64_t{7};
    const bool fits = w >= 0 && h >= 0 &&
                      vtl::withinBufferLimit(rowBytes, static_cast<uint64_t>(h),
                                             withAlpha ? static_cast<uint64_t>(w) * static_cast<uint64_t>(h) : 0);
    if (fits)
        pixels = static_cast<unsigned char*>(MemAlloc(static_cast<DWORD>(rowBytes * static_cast<uint64_t>(h))));
    if (!pixels) {
        Msg("BITPLANEFX::create() - MemAlloc().");
        return false;
    }
    if (withAlpha) {
        alpha = static_cast<unsigned char*>(MemAlloc(static_cast<DWORD>(w) * static_cast<DWORD>(h)));
        if (!alpha) {
            Msg("BITPLANEFX::create() - MemAlloc().");
            return false;
        }
    }
    pitch = static_cast<DWORD>(rowBytes);
    width = w;
    height = h;
    clipWidth = w;
    clipHeight = h;
    clipX = 0;
    clipY = 0;
    colorKey = 0;
    return true;
}

bool BITPLANEFX::create(const char*) { return true; }

bool BITPLANEFX::release()
{
    MemFree(pixels);
    MemFree(alpha);
    pixels = nullptr;
    alpha = nullptr;
    pitch = 0;
    width = 0;
    height = 0;
    colorKey = 0;
    return true;
}

bool BITPLANEFX::LockSurface() { return false; }

void BITPLANEFX::UnlockSurface() { pixels = nullptr; }

void BITPLANEFX::clear()
{
    if (pixels && height > 0)
        mmxmemset(pixels, 0, pitch * static_cast<DWORD>(height));
}

bool BITPLANEFX::setColorKey()
{
    if (!pixels)
        return false;
    if (bytesPerPixel <= 1)
        colorKey = pixels[0];
    else
        colorKey = static_cast<unsigned short>(pixels[0] | pixels[1] << 8);
    return true;
}

void BITPLANEFX::SetClipper(unsigned short left, unsigned short top, unsigned short right,
                            unsigned short bottom)
{
    // Compared as unsigned 16-bit values, the surface size included, so the
    // rectangle always holds at least one pixel of a non-empty surface.
    const auto w = static_cast<unsigned short>(width);
    const auto h = static_cast<unsigned short>(height);
    if (left >= w)
        left = static_cast<unsigned short>(w - 1);
    if (right >= w)
        right = static_cast<unsigned short>(w - 1);
    if (left > right) {
        unsigned short t = left;
        left = right;
        right = t;
    }
    if (top >= h)
        top = static_cast<unsigned short>(h - 1);
    if (bottom >= h)
        bottom = static_cast<unsigned short>(h - 1);
    if (top > bottom) {
        unsigned short t = top;
        top = bottom;
        bottom = t;
    }
    clipWidth = right - left + 1;
    clipHeight = bottom - top + 1;
    clipX = left;
    clipY = top;
}
