// What each RLE blitter does to a run of opaque pixels and to a run of level
// pixels, for each pixel size.  Every colour operation is table lookups and
// additions; sums wrap (a 16-bit word add, or byte by byte for 24 and 32
// bits) exactly as the packed values add.
//
// 32-bit pixels: the arithmetic touches the three colour bytes and leaves the
// destination's fourth byte alone, except where a pixel is copied (Blt and
// BltNoEffects) and where Blt50 mixes two opaque pixels (all four bytes).
#ifndef VANTREL_RLE_RLE_PIXEL_OPS_H
#define VANTREL_RLE_RLE_PIXEL_OPS_H

#include <cstdint>
#include <cstring>

#include <vantrel/pixelformat.h>

#include "rle/rle_simd16.h"

namespace vtl {
namespace rleops {

// The 3-3-2 halving mask: clears the top bit of each field so two halves add
// without carrying into the next field.  The same mask as the 8-bit surface
// blits use, whatever display set HalfMask last.
constexpr uint8_t kHalf8 = VTL_HALFMASK_332 & 0xFF;

inline unsigned load16(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void store16(uint8_t* p, unsigned v)
{
    const auto w = static_cast<uint16_t>(v);
    std::memcpy(p, &w, 2);
}

// Fading a 16-bit pixel through the split tables, with the rows for one
// level picked once per run or call.
struct Fade16 {
    const uint16_t* lo;
    const uint16_t* hi;
    unsigned operator()(unsigned p) const { return lo[p & 0xFF] + hi[p >> 8]; }
};
inline Fade16 fade16(unsigned k) { return {FadeLo[k], FadeHi[k]}; }
inline Fade16 comp16(unsigned k) { return {FadeLoRev[k], FadeHiRev[k]}; }

inline unsigned halfMask16() { return HalfMask & 0xFFFF; }

// Opaque runs are short (a sprite row at most), so an inline 16-byte copy
// beats a call into the general memcpy (measured in bench/rle_blits.cpp).
inline void copyRun(uint8_t* d, const uint8_t* s, size_t bytes)
{
    if (simd16::copy(d, s, bytes) == bytes)
        return;
    // Below 16 bytes: two fixed-size moves that overlap in the middle.
    if (bytes >= 8) {
        uint64_t a, b;
        std::memcpy(&a, s, 8);
        std::memcpy(&b, s + bytes - 8, 8);
        std::memcpy(d, &a, 8);
        std::memcpy(d + bytes - 8, &b, 8);
    } else if (bytes >= 4) {
        uint32_t a, b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + bytes - 4, 4);
        std::memcpy(d, &a, 4);
        std::memcpy(d + bytes - 4, &b, 4);
    } else if (bytes >= 2) {
        uint16_t a, b;
        std::memcpy(&a, s, 2);
        std::memcpy(&b, s + bytes - 2, 2);
        std::memcpy(d, &a, 2);
        std::memcpy(d + bytes - 2, &b, 2);
    } else if (bytes == 1) {
        d[0] = s[0];
    }
}

// ---------------------------------------------------------------- plain copy
template <int B>
struct NoEffects {
    static constexpr int kBytes = B;
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
    void opaque(uint8_t* d, const uint8_t* s, int n) { copyRun(d, s, static_cast<size_t>(n) * B); }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned a = s[0];
            if constexpr (B == 1) {
                d[0] = static_cast<uint8_t>(s[1] + Fade8Rev[a][d[0]]);
            } else if constexpr (B == 2) {
                store16(d, load16(s + 1) + comp16(a)(load16(d)));
            } else {
                const uint8_t* rev = Scale8Rev[a];
                d[0] = static_cast<uint8_t>(s[1] + rev[d[0]]);
                d[1] = static_cast<uint8_t>(s[2] + rev[d[1]]);
                d[2] = static_cast<uint8_t>(s[3] + rev[d[2]]);
            }
        }
    }
};

// ------------------------------------------------------------------- Blt50
template <int B>
struct Half {
    static constexpr int kBytes = B;
    void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        if constexpr (B == 1) {
            for (int i = 0; i < n; ++i)
                d[i] = static_cast<uint8_t>(((s[i] >> 1) & kHalf8) + ((d[i] >> 1) & kHalf8));
        } else if constexpr (B == 2) {
            const unsigned m = halfMask16();
            const int done = simd16::halfMix(d, s, n, m);
            for (int i = done; i < n; ++i)
                store16(d + 2 * i, ((load16(s + 2 * i) >> 1) & m) + ((load16(d + 2 * i) >> 1) & m));
        } else {
            // Every byte, the fourth of a 32-bit pixel included.
            const int bytes = n * B;
            const int done = simd16::halfMixBytes(d, s, bytes);
            for (int i = done; i < bytes; ++i)
                d[i] = static_cast<uint8_t>((s[i] >> 1) + (d[i] >> 1));
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned a = s[0] >> 1;
            if constexpr (B == 1) {
                d[0] = static_cast<uint8_t>(((s[1] >> 1) & kHalf8) + Fade8Rev[a][d[0]]);
            } else if constexpr (B == 2) {
                store16(d, ((load16(s + 1) >> 1) & halfMask16()) + comp16(a)(load16(d)));
            } else {
                const uint8_t* rev = Scale8Rev[a];
                d[0] = static_cast<uint8_t>((s[1] >> 1) + rev[d[0]]);
                d[1] = static_cast<uint8_t>((s[2] >> 1) + rev[d[1]]);
                d[2] = static_cast<uint8_t>((s[3] >> 1) + rev[d[2]]);
            }
        }
    }
};

// --------------------------------------------------------------- ShadowBlt
template <int B>
struct Shadow {
    static constexpr int kBytes = B;
    void opaque(uint8_t* d, const uint8_t*, int n)
    {
        if constexpr (B == 1) {
            for (int i = 0; i < n; ++i)
                d[i] = static_cast<uint8_t>((d[i] >> 1) & kHalf8);
        } else if constexpr (B == 2) {
            const unsigned m = halfMask16();
            const int done = simd16::halve(d, n, m);
            for (int i = done; i < n; ++i)
                store16(d + 2 * i, (load16(d + 2 * i) >> 1) & m);
        } else {
            for (int i = 0; i < n; ++i, d += B) {
                d[0] = static_cast<uint8_t>(d[0] >> 1);
                d[1] = static_cast<uint8_t>(d[1] >> 1);
                d[2] = static_cast<uint8_t>(d[2] >> 1);
            }
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned a = s[0] >> 1;
            if constexpr (B == 1) {
                d[0] = Fade8Rev[a][d[0]];
            } else if constexpr (B == 2) {
                store16(d, comp16(a)(load16(d)));
            } else {
                const uint8_t* rev = Scale8Rev[a];
                d[0] = rev[d[0]];
                d[1] = rev[d[1]];
                d[2] = rev[d[2]];
            }
        }
    }
};

// ----------------------------------------------------------------- FadeBlt
template <int B>
struct Fade {
    static constexpr int kBytes = B;
    unsigned f;
    void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        if constexpr (B == 1) {
            const uint8_t* fade = Fade8[f];
            for (int i = 0; i < n; ++i)
                d[i] = fade[s[i]];
        } else if constexpr (B == 2) {
            const Fade16 fade = fade16(f);
            for (int i = 0; i < n; ++i)
                store16(d + 2 * i, fade(load16(s + 2 * i)));
        } else {
            const uint8_t* fade = Scale8[f];
            for (int i = 0; i < n; ++i, d += B, s += B) {
                d[0] = fade[s[0]];
                d[1] = fade[s[1]];
                d[2] = fade[s[2]];
            }
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        if constexpr (B == 1) {
            const uint8_t* fade = Fade8[f];
            const uint8_t* rev = Fade8Rev[f];
            for (int i = 0; i < n; ++i, d += 1, s += 2)
                d[0] = static_cast<uint8_t>(fade[s[1]] + rev[d[0]]);
        } else if constexpr (B == 2) {
            const Fade16 fade = fade16(f), rev = comp16(f);
            for (int i = 0; i < n; ++i, d += 2, s += 3)
                store16(d, fade(load16(s + 1)) + rev(load16(d)));
        } else {
            const uint8_t* fade = Scale8[f];
            const uint8_t* rev = Scale8Rev[f];
            for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
                d[0] = static_cast<uint8_t>(fade[s[1]] + rev[d[0]]);
                d[1] = static_cast<uint8_t>(fade[s[2]] + rev[d[1]]);
                d[2] = static_cast<uint8_t>(fade[s[3]] + rev[d[2]]);
            }
        }
    }
};

// ---------------------------------------------------------------- BlendBlt
template <int B>
struct Blend {
    static constexpr int kBytes = B;
    unsigned b;
    void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        if constexpr (B == 1) {
            const uint8_t* fade = Fade8[b];
            const uint8_t* rev = Fade8Rev[b];
            for (int i = 0; i < n; ++i)
                d[i] = static_cast<uint8_t>(fade[s[i]] + rev[d[i]]);
        } else if constexpr (B == 2) {
            const Fade16 fade = fade16(b), rev = comp16(b);
            for (int i = 0; i < n; ++i)
                store16(d + 2 * i, fade(load16(s + 2 * i)) + rev(load16(d + 2 * i)));
        } else {
            const uint8_t* fade = Scale8[b];
            const uint8_t* rev = Scale8Rev[b];
            for (int i = 0; i < n; ++i, d += B, s += B) {
                d[0] = static_cast<uint8_t>(fade[s[0]] + rev[d[0]]);
                d[1] = static_cast<uint8_t>(fade[s[1]] + rev[d[1]]);
                d[2] = static_cast<uint8_t>(fade[s[2]] + rev[d[2]]);
            }
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        if constexpr (B == 1) {
            // The 3-3-2 index has no room for a second level: the pixel's own
            // is ignored.
            const uint8_t* fade = Fade8[b];
            const uint8_t* rev = Fade8Rev[b];
            for (int i = 0; i < n; ++i, d += 1, s += 2)
                d[0] = static_cast<uint8_t>(fade[s[1]] + rev[d[0]]);
        } else if constexpr (B == 2) {
            const Fade16 fade = fade16(b);
            const uint8_t* product = Scale8[b];
            for (int i = 0; i < n; ++i, d += 2, s += 3)
                store16(d, fade(load16(s + 1)) + comp16(product[s[0]])(load16(d)));
        } else {
            const uint8_t* fade = Scale8[b];
            const uint8_t* product = Scale8[b];
            for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
                const uint8_t* rev = Scale8Rev[product[s[0]]];
                d[0] = static_cast<uint8_t>(fade[s[1]] + rev[d[0]]);
                d[1] = static_cast<uint8_t>(fade[s[2]] + rev[d[1]]);
                d[2] = static_cast<uint8_t>(fade[s[3]] + rev[d[2]]);
            }
        }
    }
};

// ---------------------------------------------------------------- ColorBlt
// The tint t = fade(colour, L) is worked out once per call.
template <int B>
struct Tint {
    static constexpr int kBytes = B;
    unsigned L;     // tint level
    uint8_t t[4];   // the faded tint, pixel bytes lowest first
    unsigned t16;   // the same as one 16-bit pixel

    Tint(unsigned long color, unsigned tintLevel) : L(tintLevel), t{}, t16(0)
    {
        if constexpr (B == 1) {
            t[0] = Fade8[L][color & 0xFF];
        } else if constexpr (B == 2) {
            t16 = fade16(L)(color & 0xFFFF) & 0xFFFF;
        } else {
            for (int j = 0; j < 3; ++j)
                t[j] = Scale8[L][(color >> (8 * j)) & 0xFF];
        }
    }
    void opaque(uint8_t* d, const uint8_t*, int n)
    {
        if constexpr (B == 1) {
            const uint8_t* rev = Fade8Rev[L];
            for (int i = 0; i < n; ++i)
                d[i] = static_cast<uint8_t>(t[0] + rev[d[i]]);
        } else if constexpr (B == 2) {
            const Fade16 rev = comp16(L);
            for (int i = 0; i < n; ++i)
                store16(d + 2 * i, t16 + rev(load16(d + 2 * i)));
        } else {
            const uint8_t* rev = Scale8Rev[L];
            for (int i = 0; i < n; ++i, d += B) {
                d[0] = static_cast<uint8_t>(t[0] + rev[d[0]]);
                d[1] = static_cast<uint8_t>(t[1] + rev[d[1]]);
                d[2] = static_cast<uint8_t>(t[2] + rev[d[2]]);
            }
        }
    }
    void level(uint8_t* d, const uint8_t* s, int n)
    {
        const uint8_t* product = Scale8[L];
        for (int i = 0; i < n; ++i, d += B, s += 1 + B) {
            const unsigned k = product[s[0]];
            if constexpr (B == 1) {
                d[0] = static_cast<uint8_t>(Fade8[k][t[0]] + Fade8Rev[k][d[0]]);
            } else if constexpr (B == 2) {
                store16(d, fade16(k)(t16) + comp16(k)(load16(d)));
            } else {
                const uint8_t* fade = Scale8[k];
                const uint8_t* rev = Scale8Rev[k];
                d[0] = static_cast<uint8_t>(fade[t[0]] + rev[d[0]]);
                d[1] = static_cast<uint8_t>(fade[t[1]] + rev[d[1]]);
                d[2] = static_cast<uint8_t>(fade[t[2]] + rev[d[2]]);
            }
        }
    }
};

} // namespace rleops
} // namespace vtl

#endif
