// The blit operations on one pixel, written once for 8- and 16-bit pixels
// through a small trait (how a pixel is loaded, stored and faded).  The plain
// path runs them for every pixel; the vector paths run them on row tails.
#ifndef VANTREL_SURFACE_BLIT_OPS_H
#define VANTREL_SURFACE_BLIT_OPS_H

#include "surface/blit_pixel.h"
#include "surface/blit_rows.h"

namespace vtl {

struct Pixel8 {
    using T = uint8_t;
    static constexpr unsigned bytes = 1;
    static T load(const uint8_t* p) { return *p; }
    static void store(uint8_t* p, T v) { *p = v; }
    static T fade(T v, unsigned k) { return fade8(v, k); }
};

struct Pixel16 {
    using T = uint16_t;
    static constexpr unsigned bytes = 2;
    static T load(const uint8_t* p) { return load16(p); }
    static void store(uint8_t* p, T v) { store16(p, v); }
    static T fade(T v, unsigned k) { return fade16(v, k); }
};

// The new value of destination pixel d under source pixel s with alpha a.
template <class P, BlitOp Op>
inline typename P::T blitPixel(typename P::T s, typename P::T d, uint8_t a, const RowArgs& g)
{
    using T = typename P::T;
    const bool opaque = s != static_cast<T>(g.key);
    switch (Op) {
    case OP_TRANS:
        return opaque ? s : d;
    case OP_HALF:
        return static_cast<T>(halfSum(s, d, g.half));
    case OP_TRANS_HALF:
        return opaque ? static_cast<T>(halfSum(s, d, g.half)) : d;
    case OP_SHADOW:
        return opaque ? static_cast<T>((d >> 1) & g.half) : d;
    case OP_FADE:
        return P::fade(s, g.level);
    case OP_FADE_TRANS:
        return opaque ? P::fade(s, g.level) : d;
    case OP_BLEND:
        return static_cast<T>(P::fade(s, g.level) + P::fade(d, g.levelBar));
    case OP_BLEND_TRANS:
        return opaque ? static_cast<T>(P::fade(s, g.level) + P::fade(d, g.levelBar)) : d;
    case OP_ALPHA:
        return a ? static_cast<T>(P::fade(s, a) + P::fade(d, g.alphaBase - a)) : d;
    case OP_ALPHA_SRC:
        return a && opaque ? static_cast<T>(P::fade(s, a) + P::fade(d, g.alphaBase - a)) : d;
    case OP_COLOR_BLEND:
        return static_cast<T>(P::fade(s, g.level) + g.color);
    case OP_COLOR_TRANS_BLEND:
        return opaque ? static_cast<T>(P::fade(s, g.level) + g.color) : d;
    default:
        return d;
    }
}

template <class P, BlitOp Op>
inline void blitPixels(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, unsigned n, const RowArgs& g)
{
    for (unsigned i = 0; i < n; ++i) {
        const uint8_t a = alpha ? alpha[i] : 0;
        P::store(dst + i * P::bytes,
                 blitPixel<P, Op>(P::load(src + i * P::bytes), P::load(dst + i * P::bytes), a, g));
    }
}

// Lookup-image pixels through the prepared table.
inline void lutPixels(uint8_t* dst, const uint8_t* index, unsigned n, const LutTable& t)
{
    for (unsigned i = 0; i < n; ++i) {
        const unsigned e = index[i];
        store16(dst + 2 * i, static_cast<uint16_t>(t.colour[e] + complement16(load16(dst + 2 * i), t.alpha[e])));
    }
}

// Quadrant-blend pixels: b weighed by k, a by its complement.  24-bit
// pixels are three bytes, each faded on its own.
template <class P>
inline void quadrantPixels(uint8_t* dst, const uint8_t* a, const uint8_t* b, const uint8_t* map, int mapStep,
                           unsigned n)
{
    for (unsigned i = 0; i < n; ++i, map += mapStep) {
        const unsigned k = *map;
        if constexpr (P::bytes == 1)
            dst[i] = static_cast<uint8_t>(fade8(b[i], k) + complement8(a[i], k));
        else
            store16(dst + 2 * i, static_cast<uint16_t>(fade16(load16(b + 2 * i), k) + complement16(load16(a + 2 * i), k)));
    }
}

inline void quadrantPixels24(uint8_t* dst, const uint8_t* a, const uint8_t* b, const uint8_t* map, int mapStep,
                             unsigned n)
{
    for (unsigned i = 0; i < n; ++i, map += mapStep)
        for (unsigned c = 0; c < 3; ++c)
            dst[3 * i + c] = static_cast<uint8_t>(fade8(b[3 * i + c], *map) + complement8(a[3 * i + c], *map));
}

} // namespace vtl

#endif
