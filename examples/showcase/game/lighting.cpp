#include "game/lighting.h"

#include "game/any_depth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr int kLightSize = 160;
constexpr int kFogSize = 256;

double fogNoise(int x, int y, unsigned seed)
{
    // Three octaves of smooth value noise that repeat every kFogSize pixels.
    auto lattice = [seed](int i, int j, int period) {
        i = ((i % period) + period) % period;
        j = ((j % period) + period) % period;
        uint32_t h = static_cast<uint32_t>(i) * 374761393u + static_cast<uint32_t>(j) * 668265263u + seed;
        h = (h ^ (h >> 13)) * 1274126177u;
        return ((h ^ (h >> 16)) & 0xFF) / 255.0;
    };
    double sum = 0, weight = 0.5;
    for (int cell = 64; cell >= 16; cell /= 2, weight /= 2) {
        const int period = kFogSize / cell;
        const double fx = static_cast<double>(x) / cell, fy = static_cast<double>(y) / cell;
        const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
        const double tx = fx - ix, ty = fy - iy;
        const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
        const double top = lattice(ix, iy, period) * (1 - sx) + lattice(ix + 1, iy, period) * sx;
        const double bottom = lattice(ix, iy + 1, period) * (1 - sx) + lattice(ix + 1, iy + 1, period) * sx;
        sum += (top * (1 - sy) + bottom * sy) * weight;
    }
    return sum / 0.875;
}

// Draws `lut` with its top-left corner at screen (x, y), clipped to the
// screen: the lookup-image blit itself does not clip.
void drawClipped(Game& g, LUTFX& lut, int x, int y)
{
    RECT part = {std::max<LONG>(0, -x), std::max<LONG>(0, -y), std::min<LONG>(lut.width, g.width - x),
                 std::min<LONG>(lut.height, g.height - y)};
    if (part.right <= part.left || part.bottom <= part.top)
        return;
    blitLut(g.screen, lut, POINT{x + part.left, y + part.top}, part);
}

// A warm glow whose opacity falls with the square of the distance.
void fillLightTable(LUTFX& light, int strength)
{
    for (int i = 0; i < 256; ++i) {
        const double fall = 1.0 - i / 255.0;
        const auto alpha = static_cast<unsigned char>(i >= 255 ? 0 : fall * fall * 150 * strength / 255);
        light.SetEntry(static_cast<unsigned char>(i), alpha, 255, static_cast<unsigned char>(200 + fall * 40),
                       static_cast<unsigned char>(110 + fall * 80));
    }
}
} // namespace

bool prepareLighting(Game& g)
{
    releaseLighting(g);
    if (!g.light.create(kLightSize, kLightSize) || !g.fog.create(kFogSize, kFogSize))
        return false;
    g.light.owner = g.gfx;
    g.fog.owner = g.gfx;
    const double radius = kLightSize / 2.0;
    for (int y = 0; y < kLightSize; ++y)
        for (int x = 0; x < kLightSize; ++x) {
            const double d = std::hypot(x + 0.5 - radius, y + 0.5 - radius) / radius;
            g.light.front[y * g.light.pitch + x] = static_cast<unsigned char>(std::min(255.0, d * 255));
        }
    fillLightTable(g.light, 255);
    // Two fog fields; Flip swaps them when the fog is thinnest.
    for (int y = 0; y < kFogSize; ++y)
        for (int x = 0; x < kFogSize; ++x) {
            g.fog.front[y * g.fog.pitch + x] = static_cast<unsigned char>(fogNoise(x, y, 17) * 255);
            g.fog.back[y * g.fog.pitch + x] = static_cast<unsigned char>(fogNoise(x, y, 91) * 255);
        }
    updateFog(g);
    return true;
}

void releaseLighting(Game& g)
{
    g.light.release();
    g.fog.release();
}

void updateFog(Game& g)
{
    if (!g.fog)
        return;
    // Density swells and ebbs over about twenty seconds.
    const double density = 0.5 + 0.5 * std::sin(g.tick * 2 * 3.14159265 / 1000);
    if (g.tick % 1000 == 750)
        g.fog.Flip();
    const double threshold = 150 - density * 70;
    for (int i = 0; i < 256; ++i) {
        const double a = std::clamp((i - threshold) * 1.6, 0.0, 80.0 + density * 60);
        g.fog.SetEntry(static_cast<unsigned char>(i), static_cast<unsigned char>(a), 215, 225, 240);
    }
}

void drawLight(Game& g, int x, int y, int strength)
{
    if (!g.light)
        return;
    // A fading glow is the same image through a fainter table.
    if (strength < 255)
        fillLightTable(g.light, strength);
    drawClipped(g, g.light, x - kLightSize / 2, y - kLightSize / 2);
    if (strength < 255)
        fillLightTable(g.light, 255);
}

void drawFog(Game& g)
{
    if (!g.fog)
        return;
    // The fog drifts with the wind and moves at half the ground's speed,
    // so it seems to float above it.
    const int offsetX = (g.cameraX / 2 + static_cast<int>(g.tick / 2)) % kFogSize;
    const int offsetY = (g.cameraY / 2 + static_cast<int>(g.tick / 5)) % kFogSize;
    for (int y = -offsetY; y < g.height; y += kFogSize)
        for (int x = -offsetX; x < g.width; x += kFogSize)
            drawClipped(g, g.fog, x, y);
}
