#include "game/any_depth.h"

#include <algorithm>

namespace {
constexpr int kQuarterWidth = 34;
constexpr int kQuarterHeight = 17;

// A translucent colour on a 3-3-2 palette: each field of a blend rounds
// down and the mix comes out darker than either colour, so 8-bit surfaces
// get the colour itself on a share of the pixels instead (ordered dither).
constexpr unsigned char kDither[4][4] = {
    {8, 136, 40, 168}, {200, 72, 232, 104}, {56, 184, 24, 152}, {248, 120, 216, 88}};

// The destination rows and columns of a width x height area at `at` that
// lie on `dst`, so that the pixel loops skip what would be clipped anyway.
struct Span {
    int left, top, right, bottom;
};
Span visible(const BITPLANEFX& dst, POINT at, int width, int height)
{
    return Span{std::max(0, static_cast<int>(-at.x)), std::max(0, static_cast<int>(-at.y)),
                std::min(width, static_cast<int>(dst.width - at.x)), std::min(height, static_cast<int>(dst.height - at.y))};
}
} // namespace

void blitLut(BITPLANEFX& dst, LUTFX& lut, POINT at, RECT part)
{
    if (dst.bitsPerPixel == 16) {
        dst.Blt(&lut, at, &part);
        return;
    }
    if (!lut.front || !lut.entries)
        return;
    for (int y = part.top; y < part.bottom; ++y) {
        const unsigned char* index = lut.front + y * lut.pitch;
        const int dy = at.y + y - part.top;
        for (int x = part.left; x < part.right; ++x) {
            const DWORD entry = lut.entries[index[x]];
            const auto alpha = static_cast<unsigned char>(entry >> 24);
            if (!alpha)
                continue;
            const int dx = at.x + x - part.left;
            if (dst.bitsPerPixel != 8)
                dst.putPixelBlend(dx, dy, entry & 0xFFFFFF, alpha);
            else if (alpha > kDither[dy & 3][dx & 3])
                dst.putPixel(dx, dy, entry & 0xFF);
        }
    }
}

void blitAlpha(BITPLANEFX& dst, BITPLANEFX& src, POINT at)
{
    if (dst.bitsPerPixel == 8 || dst.bitsPerPixel == 16) {
        dst.AlphaBlt(&src, at, nullptr);
        return;
    }
    if (!src.pixels || !src.alpha)
        return;
    const Span s = visible(dst, at, src.width, src.height);
    for (int y = s.top; y < s.bottom; ++y)
        for (int x = s.left; x < s.right; ++x)
            if (const unsigned char alpha = src.alpha[y * src.width + x])
                dst.putPixelBlend(at.x + x, at.y + y, src.getPixel(x, y), alpha);
}

void blitScaled(BITPLANEFX& dst, BITPLANEFX& src, POINT at, int width, int height, unsigned char level)
{
    if (dst.bitsPerPixel == 16) {
        if (level == 255)
            dst.Blt(&src, at, nullptr, static_cast<unsigned long>(width), static_cast<unsigned long>(height));
        else
            dst.BlendBlt(&src, at, nullptr, static_cast<unsigned long>(width), static_cast<unsigned long>(height),
                         level);
        return;
    }
    if (!src.pixels || width < 2 || height < 2)
        return;
    // Nearest neighbour, as the library's scaled blits sample.
    const Span s = visible(dst, at, width, height);
    for (int y = s.top; y < s.bottom; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * src.height / height);
        for (int x = s.left; x < s.right; ++x) {
            const unsigned long pixel = src.getPixel(static_cast<int>(static_cast<long long>(x) * src.width / width), sy);
            if (level == 255)
                dst.putPixel(at.x + x, at.y + y, pixel);
            else
                dst.putPixelBlend(at.x + x, at.y + y, pixel, level);
        }
    }
}

void shadeArea(BITPLANEFX& dst, int x, int y, int width, int height)
{
    if (dst.bitsPerPixel == 16) {
        // The scaled shadow halves its whole area and never reads the
        // source's pixels: any surface will do as the source.
        dst.ShadowBlt(&dst, POINT{x, y}, nullptr, static_cast<unsigned long>(width),
                      static_cast<unsigned long>(height));
        return;
    }
    const Span s = visible(dst, POINT{x, y}, width, height);
    for (int row = s.top; row < s.bottom; ++row)
        for (int column = s.left; column < s.right; ++column)
            dst.putPixelBlend(x + column, y + row, 0, 128);
}

void blendSandPatch(BITPLANEFX& patch, BITPLANEFX& ground, BITPLANEFX& sand, ALPHAFX& edge)
{
    if (patch.bitsPerPixel != 32) {
        for (int quarter = 0; quarter < 4; ++quarter)
            BlendPosNeg(0, 0, &patch, &ground, &sand, &edge, quarter);
        return;
    }
    if (!patch.pixels || !ground.pixels || !sand.pixels || !edge.map || edge.width < kQuarterWidth ||
        edge.height < kQuarterHeight)
        return;
    // Each quarter mixes the ground under it with the sand of the opposite
    // quarter, the map mirrored so that its 0 edge lies on the block's rim.
    patch.Blt(&ground, POINT{0, 0}, nullptr);
    for (int y = 0; y < 2 * kQuarterHeight; ++y)
        for (int x = 0; x < 2 * kQuarterWidth; ++x) {
            const int row = y < kQuarterHeight ? y : 2 * kQuarterHeight - 1 - y;
            const int column = x < kQuarterWidth ? x : 2 * kQuarterWidth - 1 - x;
            const unsigned char alpha = edge.map[row * edge.pitch + column];
            const unsigned long grain =
                sand.getPixel((x + kQuarterWidth) % (2 * kQuarterWidth), (y + kQuarterHeight) % (2 * kQuarterHeight));
            patch.putPixelBlend(x, y, grain, alpha);
        }
}
