#include "platform/ddraw/pixel_layout.h"
#include "platform/user/video_backend.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vtl {
namespace {

// One 0x00RRGGBB pixel in a format given by its masks.
struct Packer {
    int shift[3], bits[3];
    explicit Packer(const VTLPixelFormat& f)
    {
        const DWORD masks[3] = {f.redMask, f.greenMask, f.blueMask};
        for (int i = 0; i < 3; ++i) {
            shift[i] = maskShift(masks[i]);
            bits[i] = maskBits(masks[i]);
        }
    }
    uint32_t operator()(uint32_t rgb) const
    {
        const uint32_t c[3] = {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF};
        uint32_t out = 0;
        for (int i = 0; i < 3; ++i)
            out |= (c[i] >> (8 - std::min(8, bits[i]))) << shift[i];
        return out;
    }
};

} // namespace

bool showWindowImage(HWND hwnd, const unsigned char* pixels, DWORD pitch, int width, int height)
{
    WindowRef w = lookupWindow(hwnd);
    if (!w || !w->native || !pixels)
        return false;
    unsigned char* to = nullptr;
    DWORD toPitch = 0;
    int toWidth = 0, toHeight = 0;
    VTLPixelFormat format{};
    if (!videoBackend().windowPixels(*w, &to, &toPitch, &toWidth, &toHeight, &format) || format.bytesPerPixel < 2)
        return false;
    const int columns = std::min(width, toWidth), rows = std::min(height, toHeight);
    const bool same = format.bytesPerPixel == 4 && format.redMask == 0xFF0000 && format.greenMask == 0xFF00 &&
                      format.blueMask == 0xFF;
    const Packer pack(format);
    for (int y = 0; y < rows; ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * pitch);
        unsigned char* row = to + static_cast<size_t>(y) * toPitch;
        if (same) {
            std::memcpy(row, from, static_cast<size_t>(columns) * 4);
            continue;
        }
        for (int x = 0; x < columns; ++x) {
            const uint32_t p = pack(from[x]);
            std::memcpy(row + static_cast<size_t>(x) * format.bytesPerPixel, &p, format.bytesPerPixel);
        }
    }
    videoBackend().presentPixels(*w);
    return true;
}

} // namespace vtl
