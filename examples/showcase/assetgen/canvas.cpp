#include "canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int w, int h, Rgba fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

void Canvas::blend(int x, int y, Rgba c, double coverage)
{
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0)
        return;
    Rgba& d = at(x, y);
    const double sa = c.a / 255.0 * std::min(coverage, 1.0);
    const double da = d.a / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0)
        return;
    auto mix = [&](uint8_t s, uint8_t t) {
        return static_cast<uint8_t>(std::lround((s * sa + t * da * (1 - sa)) / oa));
    };
    d = Rgba{mix(c.r, d.r), mix(c.g, d.g), mix(c.b, d.b), static_cast<uint8_t>(std::lround(oa * 255))};
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, Rgba c)
{
    const int x0 = static_cast<int>(std::floor(cx - rx - 1)), x1 = static_cast<int>(std::ceil(cx + rx + 1));
    const int y0 = static_cast<int>(std::floor(cy - ry - 1)), y1 = static_cast<int>(std::ceil(cy + ry + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            // Distance outside the rim in pixels, roughly.
            const double outside = (std::sqrt(dx * dx + dy * dy) - 1) * std::min(rx, ry);
            blend(x, y, c, 0.5 - outside);
        }
}

void Canvas::disc(double cx, double cy, double radius, Rgba c) { ellipse(cx, cy, radius, radius, c); }

void Canvas::ring(double cx, double cy, double radius, double thickness, Rgba c)
{
    const int r = static_cast<int>(std::ceil(radius + thickness));
    for (int y = static_cast<int>(cy) - r - 1; y <= static_cast<int>(cy) + r + 1; ++y)
        for (int x = static_cast<int>(cx) - r - 1; x <= static_cast<int>(cx) + r + 1; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            blend(x, y, c, thickness / 2 + 0.5 - std::fabs(d - radius));
        }
}

void Canvas::line(double x0, double y0, double x1, double y1, double thickness, Rgba c)
{
    const double len = std::max(1e-6, std::hypot(x1 - x0, y1 - y0));
    const int left = static_cast<int>(std::min(x0, x1) - thickness - 1);
    const int right = static_cast<int>(std::max(x0, x1) + thickness + 1);
    const int top = static_cast<int>(std::min(y0, y1) - thickness - 1);
    const int bottom = static_cast<int>(std::max(y0, y1) + thickness + 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double px = x + 0.5 - x0, py = y + 0.5 - y0;
            const double t = std::clamp((px * (x1 - x0) + py * (y1 - y0)) / (len * len), 0.0, 1.0);
            const double d = std::hypot(px - t * (x1 - x0), py - t * (y1 - y0));
            blend(x, y, c, thickness / 2 + 0.5 - d);
        }
}

void Canvas::rect(int x, int y, int w, int h, Rgba c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            blend(i, j, c);
}
