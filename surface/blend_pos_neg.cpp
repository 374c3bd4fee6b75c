// The quadrant blend: one 34 x 17 quarter of a 68 x 34 block mixed from two
// images under a mirrored alpha map.
#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>

#include "surface/blit_rows.h"

#include <algorithm>
#include <cstddef>

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
    // The sources and the map are read at fixed places, so sources that do
    // not hold their quarter, a map smaller than one quarter or surfaces of
    // another pixel size are refused instead of read out of bounds.
    if (!holds(*a, q.aX, q.aY) || !holds(*b, q.bX, q.bY) || a->bytesPerPixel != bpp || b->bytesPerPixel != bpp ||
        m->width < kQuarterWidth || m->height < kQuarterHeight || m->pitch < static_cast<DWORD>(kQuarterWidth))
        return;
    const vtl::QuadrantRowFn row = vtl::quadrantRowKernel(d->bitsPerPixel, d->format);
    if (!row)
        return; // 32-bit surfaces are left as they are

    // The block is clipped to the destination like every other blit: the
    // visible columns [c0, c1) and rows [r0, r1) of the quarter are drawn,
    // each pixel with the map entry and source pixels it has unclipped.
    const int64_t dx = int64_t{x} + q.dstX, dy = int64_t{y} + q.dstY;
    const int64_t c0 = std::max<int64_t>(0, -dx), c1 = std::min<int64_t>(kQuarterWidth, d->width - dx);
    const int64_t r0 = std::max<int64_t>(0, -dy), r1 = std::min<int64_t>(kQuarterHeight, d->height - dy);
    if (c0 >= c1 || r0 >= r1)
        return;

    uint8_t* dst = at(*d, dx + c0, dy + r0, bpp);
    const uint8_t* pa = at(*a, q.aX + c0, q.aY + r0, bpp);
    const uint8_t* pb = at(*b, q.bX + c0, q.bY + r0, bpp);
    const std::ptrdiff_t mapRowStep = q.mapRowStep * static_cast<std::ptrdiff_t>(m->pitch);
    const uint8_t* map = m->map + static_cast<std::ptrdiff_t>(q.mapRow) * m->pitch + q.mapColumn +
                         r0 * mapRowStep + c0 * q.mapStep;
    const auto n = static_cast<unsigned>(c1 - c0);
    for (int64_t r = r0; r < r1; ++r) {
        row(dst, pa, pb, map, q.mapStep, n);
        dst += d->pitch;
        pa += a->pitch;
        pb += b->pitch;
        map += mapRowStep;
    }
}
