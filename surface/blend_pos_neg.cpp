// The quadrant blend: one 34 x 17 quarter of a 68 x 34 block mixed from two
// images under a mirrored alpha map.
#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>

#include "surface/blit_pixel.h"

namespace {

constexpr int kQuarterWidth = 34;
constexpr int kQuarterHeight = 17;

struct Quarter {
    int dstX, dstY; // block offset from (x, y)
    int aX, aY;     // where A's pixels come from
    int bX, bY;     // where B's pixels come from
    int mapRow, mapColumn, mapStep, mapRowStep; // row step in map rows
};

constexpr Quarter kQuarters[4] = {
    {0, 0, 0, 0, 34, 17, 0, 0, +1, +1},
    {34, 0, 34, 0, 0, 17, 0, 33, -1, +1},
    {0, 17, 0, 17, 34, 0, 16, 0, +1, -1},
    {34, 17, 34, 17, 0, 0, 16, 33, -1, -1},
};

bool holds(const BITPLANEFX& s, int64_t x, int64_t y)
{
    return x >= 0 && y >= 0 && x + kQuarterWidth <= s.width && y + kQuarterHeight <= s.height;
}

uint8_t* at(const BITPLANEFX& s, int64_t x, int64_t y, unsigned bpp)
{
    return s.pixels + static_cast<size_t>(y) * s.pitch + static_cast<size_t>(x) * bpp;
}

} // namespace

void BlendPosNeg(int x, int y, BITPLANEFX* d, BITPLANEFX* a, BITPLANEFX* b, ALPHAFX* m, int quarter)
{
    if (!d || !a || !b || !m || !d->pixels || !a->pixels || !b->pixels || !m->map)
        return;
    if (quarter < 0 || quarter > 3)
        return;
    const Quarter& q = kQuarters[quarter];
    const unsigned bpp = d->bytesPerPixel;
    // Nothing here clips, so an area outside any of the surfaces, a map
    // smaller than one quarter or surfaces of another pixel size are refused
    // instead of read or written out of bounds.
    const int64_t dx = int64_t{x} + q.dstX, dy = int64_t{y} + q.dstY;
    if (!holds(*d, dx, dy) || !holds(*a, q.aX, q.aY) || !holds(*b, q.bX, q.bY) ||
        a->bytesPerPixel != bpp || b->bytesPerPixel != bpp || m->width < kQuarterWidth ||
        m->height < kQuarterHeight || m->pitch < static_cast<DWORD>(kQuarterWidth))
        return;

    uint8_t* dst = at(*d, dx, dy, bpp);
    const uint8_t* pa = at(*a, q.aX, q.aY, bpp);
    const uint8_t* pb = at(*b, q.bX, q.bY, bpp);
    const uint8_t* map = m->map + static_cast<size_t>(q.mapRow) * m->pitch + q.mapColumn;
    const std::ptrdiff_t mapRowStep = q.mapRowStep * static_cast<std::ptrdiff_t>(m->pitch);

    for (int row = 0; row < kQuarterHeight; ++row) {
        const uint8_t* alpha = map;
        for (int i = 0; i < kQuarterWidth; ++i, alpha += q.mapStep) {
            const unsigned k = *alpha;
            switch (d->bitsPerPixel) {
            case 8:
                dst[i] = static_cast<uint8_t>(Fade8[k][pb[i]] + Fade8Rev[k][pa[i]]);
                break;
            case 16: {
                const uint16_t a0 = vtl::load16(pa + i * 2);
                const uint16_t b0 = vtl::load16(pb + i * 2);
                vtl::store16(dst + i * 2, static_cast<uint16_t>(FadeLo[k][b0 & 0xFF] + FadeHi[k][b0 >> 8] +
                                                                 FadeLoRev[k][a0 & 0xFF] + FadeHiRev[k][a0 >> 8]));
                break;
            }
            case 24:
                for (int c = 0; c < 3; ++c)
                    dst[i * 3 + c] = static_cast<uint8_t>(Fade8[k][pb[i * 3 + c]] + Fade8Rev[k][pa[i * 3 + c]]);
                break;
            default: // 32-bit surfaces are left as they are
                return;
            }
        }
        dst += d->pitch;
        pa += a->pitch;
        pb += b->pitch;
        map += mapRowStep;
    }
}
