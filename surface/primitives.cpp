// Pixel and shape primitives.  All of them honour the whole clip rectangle,
// origin included; lines and ellipses are clipped point by point.
#include <vantrel/bitplanefx.h>

#include <algorithm>

#include "surface/effects_switch.h"
#include "surface/blit_pixel.h"

namespace {

bool inClip(const BITPLANEFX& s, int x, int y)
{
    return int64_t{x} >= s.clipX && int64_t{x} < int64_t{s.clipX} + s.clipWidth && int64_t{y} >= s.clipY &&
           int64_t{y} < int64_t{s.clipY} + s.clipHeight;
}

uint8_t* at(const BITPLANEFX& s, int x, int y)
{
    return s.pixels + static_cast<size_t>(y) * s.pitch + static_cast<size_t>(x) * s.bytesPerPixel;
}

void store(uint8_t* p, unsigned bits, unsigned long c)
{
    switch (bits) {
    case 8:
        *p = static_cast<uint8_t>(c);
        break;
    case 16:
        vtl::store16(p, static_cast<uint16_t>(c));
        break;
    case 24:
        vtl::store16(p, static_cast<uint16_t>(c));
        p[2] = static_cast<uint8_t>(c >> 16);
        break;
    case 32:
        vtl::store32(p, static_cast<uint32_t>(c));
        break;
    default:
        break;
    }
}

} // namespace

bool BITPLANEFX::putPixel(int x, int y, unsigned long color)
{
    if (!pixels || !inClip(*this, x, y))
        return false;
    store(at(*this, x, y), bitsPerPixel, color);
    return true;
}

bool BITPLANEFX::putPixel(int x, int y, unsigned long color, unsigned char a)
{
    if (!pixels || !alpha || !inClip(*this, x, y))
        return false;
    store(at(*this, x, y), bitsPerPixel, color);
    alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = a;
    return true;
}

bool BITPLANEFX::putPixelBlend(int x, int y, unsigned long color, unsigned char k)
{
    if (!pixels || !inClip(*this, x, y))
        return false;
    uint8_t* p = at(*this, x, y);
    switch (bitsPerPixel) {
    case 8:
        *p = static_cast<uint8_t>(Fade8[k][color & 0xFF] + Fade8Rev[k][*p]);
        break;
    case 16: {
        const uint16_t d = vtl::load16(p);
        vtl::store16(p, static_cast<uint16_t>(FadeLo[k][color & 0xFF] + FadeHi[k][(color >> 8) & 0xFF] +
                                              FadeLoRev[k][d & 0xFF] + FadeHiRev[k][d >> 8]));
        break;
    }
    case 24:
    case 32:
        // The colour's bytes go through Scale8; a 32-bit pixel's fourth byte stays.
        for (unsigned i = 0; i < 3; ++i)
            p[i] = static_cast<uint8_t>(Scale8[k][(color >> (8 * i)) & 0xFF] + Fade8Rev[k][p[i]]);
        break;
    default:
        break;
    }
    return true;
}

unsigned long BITPLANEFX::getPixel(int x, int y)
{
    if (!pixels || !inClip(*this, x, y))
        return 0;
    const uint8_t* p = at(*this, x, y);
    switch (bitsPerPixel) {
    case 8:
        return p[0] * 0x101ul;
    case 16:
        return vtl::load16(p);
    case 24:
        return p[0] | p[1] << 8 | static_cast<unsigned long>(p[2]) << 16;
    case 32:
        return vtl::load32(p);
    default:
        return 0;
    }
}

bool BITPLANEFX::hline(int x1, int x2, int y, unsigned long color)
{
    if (!pixels || int64_t{y} < clipY || int64_t{y} >= int64_t{clipY} + clipHeight)
        return false;
    if (x1 > x2)
        std::swap(x1, x2);
    const int64_t right = int64_t{clipX} + clipWidth;
    if (x2 < clipX || x1 >= right)
        return false;
    const int64_t first = std::max<int64_t>(x1, clipX);
    const int64_t last = std::min<int64_t>(x2, right - 1);
    const auto n = static_cast<size_t>(last - first + 1);
    uint8_t* p = at(*this, static_cast<int>(first), y);
    switch (bitsPerPixel) {
    case 8:
        std::fill_n(p, n, static_cast<uint8_t>(color));
        break;
    case 16: {
        // An odd pixel first, then pairs as 32-bit words.
        size_t i = 0;
        if (n & 1) {
            vtl::store16(p, static_cast<uint16_t>(color));
            i = 1;
        }
        const uint32_t pair = (color & 0xFFFFu) | static_cast<uint32_t>(color << 16);
        for (; i < n; i += 2)
            vtl::store32(p + i * 2, pair);
        break;
    }
    case 24:
    case 32:
        for (size_t i = 0; i < n; ++i)
            store(p + i * bytesPerPixel, bitsPerPixel, color);
        break;
    default:
        break;
    }
    return true;
}

namespace {

// Bresenham from the end with the smaller x; the end point itself is left
// out, so lines that share an end point do not draw it twice.
template <class Plot>
void bresenham(int x1, int y1, int x2, int y2, Plot plot)
{
    if (x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const int sy = dy >= 0 ? 1 : -1;
    const int64_t ax = 2 * dx;
    const int64_t ay = 2 * (dy < 0 ? -dy : dy);
    int64_t x = x1, y = y1;
    if (ax > ay) {
        int64_t d = ay - (ax >> 1);
        for (; x != x2; ++x) {
            plot(static_cast<int>(x), static_cast<int>(y));
            if (d >= 0) {
                y += sy;
                d -= ax;
            }
            d += ay;
        }
    } else {
        int64_t d = ax - (ay >> 1);
        for (; y != y2; y += sy) {
            plot(static_cast<int>(x), static_cast<int>(y));
            if (d >= 0) {
                ++x;
                d -= ay;
            }
            d += ax;
        }
    }
}

} // namespace

void BITPLANEFX::line(int x1, int y1, int x2, int y2, unsigned long color)
{
    bresenham(x1, y1, x2, y2, [&](int x, int y) { putPixel(x, y, color); });
}

void BITPLANEFX::lineBlend(int x1, int y1, int x2, int y2, unsigned long color, unsigned char level)
{
    if (vtl::effectsEnabled())
        bresenham(x1, y1, x2, y2, [&](int x, int y) { putPixelBlend(x, y, color, level); });
    else
        bresenham(x1, y1, x2, y2, [&](int x, int y) { putPixel(x, y, color); });
}

namespace {

// The two-region midpoint ellipse.  `span(left, right, row)` receives each
// pair of symmetric points of a row; the outline plots the two ends, the
// filled ellipse draws the run between them.  Arithmetic is in 64 bits so a
// large radius cannot overflow.
template <class Span>
void midpointEllipse(int cx, int cy, int a, int b, Span span)
{
    const int64_t A = int64_t{a} * a;
    const int64_t B = int64_t{b} * b;
    int64_t d1 = (A >> 2) - A * b + B;
    int64_t e = ((9 * A) >> 2) - 3 * A * b + B;
    int64_t y = b;

    int64_t top = int64_t{cy} - b, bottom = int64_t{cy} + b;
    int64_t t = (int64_t{b} - 1) * A;
    int64_t left = cx, right = cx;
    int64_t s = 3 * B;
    while (e < 0) {
        span(left, right, top);
        span(left, right, bottom);
        int64_t step;
        if (d1 >= 0) {
            step = s - 2 * t;
            e += s - 2 * t + 2 * A;
            --y;
            t -= A;
            ++top;
            --bottom;
        } else {
            step = s;
            e += s;
        }
        d1 += step;
        --left;
        ++right;
        s += 2 * B;
    }

    if (y < 0)
        return;
    int64_t d2 = (B >> 2) - B * a + A;
    left = int64_t{cx} - a;
    right = int64_t{cx} + a;
    int64_t up = cy, down = cy;
    int64_t t2 = (2 * int64_t{a} - 2) * B;
    int64_t s2 = 3 * A;
    for (int64_t i = 0; i <= y; ++i) {
        span(left, right, up);
        span(left, right, down);
        if (d2 >= 0) {
            d2 += s2 - t2;
            ++left;
            --right;
            t2 -= 2 * B;
        } else {
            d2 += s2;
        }
        --up;
        ++down;
        s2 += 2 * A;
    }
}

int clampInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

} // namespace

void BITPLANEFX::ellipse(int x, int y, int a, int b, unsigned long color)
{
    midpointEllipse(x, y, a, b, [&](int64_t l, int64_t r, int64_t row) {
        putPixel(clampInt(l), clampInt(row), color);
        putPixel(clampInt(r), clampInt(row), color);
    });
}

void BITPLANEFX::fillellipse(int x, int y, int a, int b, unsigned long color)
{
    midpointEllipse(x, y, a, b,
                    [&](int64_t l, int64_t r, int64_t row) { hline(clampInt(l), clampInt(r), clampInt(row), color); });
}
