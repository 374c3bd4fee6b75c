// An RGBA picture in memory and the few drawing strokes the art is made of.
// Every stroke blends with straight alpha, so soft edges come out as partly
// transparent pixels (level pixels once vtlsprite encodes them).
#ifndef SHOWCASE_ASSETGEN_CANVAS_H
#define SHOWCASE_ASSETGEN_CANVAS_H

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
};

inline Rgba rgb(int r, int g, int b, int a = 255)
{
    auto c = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return Rgba{c(r), c(g), c(b), c(a)};
}

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels; // rows top to bottom

    Canvas(int w, int h, Rgba fill = Rgba{0, 0, 0, 0});
    Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // `coverage` (0..1) of `c` over the pixel, straight alpha.
    void blend(int x, int y, Rgba c, double coverage = 1.0);
    // A disc with a one-pixel soft rim.
    void disc(double cx, double cy, double radius, Rgba c);
    void ellipse(double cx, double cy, double rx, double ry, Rgba c);
    void ring(double cx, double cy, double radius, double thickness, Rgba c);
    void line(double x0, double y0, double x1, double y1, double thickness, Rgba c);
    void rect(int x, int y, int w, int h, Rgba c);
};

#endif
