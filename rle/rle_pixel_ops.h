// The plain RLE path: what each RLE blitter does to a run of opaque pixels
// and to a run of level pixels, for each pixel size, straight from the effect
// tables.  It defines the result; the vector paths use it for run tails.
// Sums wrap (a 16-bit word add, or byte by byte for 24 and 32 bits) exactly
// as the packed values add.
//
// 32-bit pixels: the arithmetic touches the three colour bytes and leaves the
// destination's fourth byte alone, except where a pixel is copied (Blt and
// BltNoEffects) and where Blt50 mixes two opaque pixels (all four bytes).
#ifndef VANTREL_RLE_RLE_PIXEL_OPS_H
#define VANTREL_RLE_RLE_PIXEL_OPS_H

#include <cstdint>
#include <cstring>

#include <vantrel/pixelformat.h>

#include "rle/rle_kernels.h"
#include "surface/blit_pixel.h"

namespace vtl {
namespace rleops {

// The 3-3-2 halving mask: clears the top bit of each field so two halves add
// without carrying into the next field.  The same mask as the 8-bit surface
// blits use, whatever display set HalfMask last.
constexpr uint8_t kHalf8 = VTL_HALFMASK_332 & 0xFF;

inline void copyRun(uint8_t* d, const uint8_t* s, size_t bytes) { std::memcpy(d, s, bytes); }

inline uint8_t add8(unsigned a, unsigned b) { return static_cast<uint8_t>(a + b); }
inline uint16_t add16(unsigned a, unsigned b) { return static_cast<uint16_t>(a + b); }

// ---------------------------------------------------------------- plain copy
template <int B>
struct NoEffects {
    static constexpr int kBytes = B;
    explicit NoEffects(const RleArgs&) {}
    void opaque(uint8_t* d, const uint8_t* s, int n) { copyRun(d, s, static_cast<size_t>(n) * B); }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B)
            std::memcpy(d, s + 1, B);
    }
};

// --------------------------------------------------------------------- Blt
template <int B>
struct Normal {
    static constexpr int kBytes = B;
    explicit Normal(const RleArgs&) {}
    void opaque(uint8_t* d, const uint8_t* s, int n) { copyRun(d, s, static_cast<size_t>(n) * B); }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned a = s[0];
            if constexpr (B == 1) {
                d[0] = add8(s[1], complement8(d[0], a));
            } else if constexpr (B == 2) {
                store16(d, add16(load16(s + 1), complement16(load16(d), a)));
            } else {
                for (int c = 0; c < 3; ++c)
                    d[c] = add8(s[1 + c], complementByte(d[c], a));
            }
        }
    }
};

// ------------------------------------------------------------------- Blt50
template <int B>
struct Half {
    static constexpr int kBytes = B;
    unsigned m; // 16-bit halving mask
    explicit Half(const RleArgs& g) : m(g.half & 0xFFFF) {}
    void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        if constexpr (B == 1) {
            for (int i = 0; i < n; ++i)
                d[i] = add8((s[i] >> 1) & kHalf8, (d[i] >> 1) & kHalf8);
        } else if constexpr (B == 2) {
            for (int i = 0; i < n; ++i)
                store16(d + 2 * i, add16((load16(s + 2 * i) >> 1) & m, (load16(d + 2 * i) >> 1) & m));
        } else {
            // Every byte, the fourth of a 32-bit pixel included.
            for (int i = 0; i < n * B; ++i)
                d[i] = add8(s[i] >> 1, d[i] >> 1);
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned a = s[0] >> 1;
            if constexpr (B == 1) {
                d[0] = add8((s[1] >> 1) & kHalf8, complement8(d[0], a));
            } else if constexpr (B == 2) {
                store16(d, add16((load16(s + 1) >> 1) & m, complement16(load16(d), a)));
            } else {
                for (int c = 0; c < 3; ++c)
                    d[c] = add8(s[1 + c] >> 1, complementByte(d[c], a));
            }
        }
    }
};

// --------------------------------------------------------------- ShadowBlt
template <int B>
struct Shadow {
    static constexpr int kBytes = B;
    unsigned m;
    explicit Shadow(const RleArgs& g) : m(g.half & 0xFFFF) {}
    void opaque(uint8_t* d, const uint8_t*, int n)
    {
        for (int i = 0; i < n; ++i, d += B) {
            if constexpr (B == 1) {
                d[0] = static_cast<uint8_t>((d[0] >> 1) & kHalf8);
            } else if constexpr (B == 2) {
                store16(d, static_cast<uint16_t>((load16(d) >> 1) & m));
            } else {
                for (int c = 0; c < 3; ++c)
                    d[c] = static_cast<uint8_t>(d[c] >> 1);
            }
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned a = s[0] >> 1;
            if constexpr (B == 1) {
                d[0] = complement8(d[0], a);
            } else if constexpr (B == 2) {
                store16(d, complement16(load16(d), a));
            } else {
                for (int c = 0; c < 3; ++c)
                    d[c] = complementByte(d[c], a);
            }
        }
    }
};

// One pixel p faded to level k, and the destination d faded to 255 - k,
// in the vocabulary of each pixel size (24/32 bits: the three colour bytes).
template <int B>
inline void fadeOver(uint8_t* d, const uint8_t* p, unsigned k, unsigned kd)
{
    if constexpr (B == 1) {
        d[0] = add8(fade8(p[0], k), complement8(d[0], kd));
    } else if constexpr (B == 2) {
        store16(d, add16(fade16(load16(p), k), complement16(load16(d), kd)));
    } else {
        for (int c = 0; c < 3; ++c)
            d[c] = add8(scaleByte(p[c], k), complementByte(d[c], kd));
    }
}

template <int B>
inline void fadeOnly(uint8_t* d, const uint8_t* p, unsigned k)
{
    if constexpr (B == 1) {
        d[0] = fade8(p[0], k);
    } else if constexpr (B == 2) {
        store16(d, fade16(load16(p), k));
    } else {
        for (int c = 0; c < 3; ++c)
            d[c] = scaleByte(p[c], k);
    }
}

// ----------------------------------------------------------------- FadeBlt
template <int B>
struct Fade {
    static constexpr int kBytes = B;
    unsigned f;
    explicit Fade(const RleArgs& g) : f(g.level) {}
    void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += B)
            fadeOnly<B>(d, s, f);
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B)
            fadeOver<B>(d, s + 1, f, f);
    }
};

// ---------------------------------------------------------------- BlendBlt
template <int B>
struct Blend {
    static constexpr int kBytes = B;
    unsigned b;
    explicit Blend(const RleArgs& g) : b(g.level) {}
    void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += B)
            fadeOver<B>(d, s, b, b);
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        // The 3-3-2 index has no room for a second level: the pixel's own is
        // ignored.
        for (int i = 0; i < n; ++i, d += B, s += 1 + B)
            fadeOver<B>(d, s + 1, b, B == 1 ? b : Scale8[b][s[0]]);
    }
};

// ---------------------------------------------------------------- ColorBlt
// The tint t = fade(colour, L) is worked out once per call.
template <int B>
struct Tint {
    static constexpr int kBytes = B;
    unsigned L;      // tint level
    uint8_t t[4]{};  // the faded tint, pixel bytes lowest first

    explicit Tint(const RleArgs& g) : L(g.colorLevel)
    {
        if constexpr (B == 1) {
            t[0] = fade8(static_cast<uint8_t>(g.color), L);
        } else if constexpr (B == 2) {
            store16(t, fade16(static_cast<uint16_t>(g.color), L));
        } else {
            for (int j = 0; j < 3; ++j)
                t[j] = scaleByte(static_cast<uint8_t>(g.color >> (8 * j)), L);
        }
    }
    void opaque(uint8_t* d, const uint8_t*, int n)
    {
        for (int i = 0; i < n; ++i, d += B)
            fadeOver<B>(d, t, 255, L);
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned k = Scale8[L][s[0]];
            fadeOver<B>(d, t, k, k);
        }
    }
};

} // namespace rleops
} // namespace vtl

#endif
