#include "art.h"

#include <cmath>
#include <cstdint>

namespace {
double lattice(int x, int y, int period, unsigned seed)
{
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2654435761u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double smooth(double t) { return t * t * (3 - 2 * t); }
} // namespace

double tiledNoise(double x, double y, int period, unsigned seed)
{
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = smooth(x - ix), fy = smooth(y - iy);
    const double a = lattice(ix, iy, period, seed), b = lattice(ix + 1, iy, period, seed);
    const double c = lattice(ix, iy + 1, period, seed), d = lattice(ix + 1, iy + 1, period, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}
