// The vector RLE kernels, written once with the compiler's vector extensions
// and compiled for each instruction set by the file that includes this one
// (it defines VTL_VEC_BYTES and VTL_VEC_ISA first, as for the surface rows).
//
// Opaque runs of a plain blit are block copies.  Every other run is worked in
// lanes of 16 bits with the surface kernels' table-exact arithmetic
// (surface/pixel_vector.h): one pixel per lane for 16 bits, two per lane for
// the 8-bit opaque runs, one colour byte per lane for 24 and 32 bits.  What is
// left of a run after its whole vectors, and the level runs of 24- and 32-bit
// images, go through the plain operations (rle/rle_pixel_ops.h), which define
// the result.
#ifndef VTL_VEC_BYTES
#error "define VTL_VEC_BYTES and VTL_VEC_ISA before including this file"
#endif

#include "rle/rle_kernels.h"
#include "rle/rle_pixel_ops.h"
#include "surface/pixel_vector.h"

#include <type_traits>

#define VTL_RLE_WALK_FN static __attribute__((target(VTL_VEC_ISA)))
#include "rle/rle_walk_runs.h"

#define VTL_VEC_METHOD __attribute__((target(VTL_VEC_ISA), always_inline)) inline

namespace vtl {
namespace {

typedef uint8_t Bytes16 __attribute__((vector_size(16)));

// A run of `n` bytes copied without a loop up to four vectors, with moves
// that overlap in the middle (a sprite row's runs vary in length from row to
// row, so a loop's exit would be mispredicted often); longer runs copy whole
// vectors and one last vector that overlaps the one before it.  Shorter runs
// take two overlapping moves of the largest size that fits.
VTL_VEC_FN void copyBytes(uint8_t* d, const uint8_t* s, size_t n)
{
    constexpr size_t V = VTL_VEC_BYTES;
    if (n >= V) {
        if (n <= 2 * V) {
            const V16 a = loadV(s), b = loadV(s + n - V);
            storeV(d, a);
            storeV(d + n - V, b);
        } else if (n <= 4 * V) {
            const V16 a = loadV(s), b = loadV(s + V), c = loadV(s + n - 2 * V), e = loadV(s + n - V);
            storeV(d, a);
            storeV(d + V, b);
            storeV(d + n - 2 * V, c);
            storeV(d + n - V, e);
        } else {
            size_t i = 0;
            for (; i + V <= n; i += V)
                storeV(d + i, loadV(s + i));
            if (i < n)
                storeV(d + n - V, loadV(s + n - V));
        }
        return;
    }
#if VTL_VEC_BYTES > 16
    if (n >= 16) {
        Bytes16 a, b;
        __builtin_memcpy(&a, s, 16);
        __builtin_memcpy(&b, s + n - 16, 16);
        __builtin_memcpy(d, &a, 16);
        __builtin_memcpy(d + n - 16, &b, 16);
        return;
    }
#endif
    if (n >= 8) {
        uint64_t a, b;
        __builtin_memcpy(&a, s, 8);
        __builtin_memcpy(&b, s + n - 8, 8);
        __builtin_memcpy(d, &a, 8);
        __builtin_memcpy(d + n - 8, &b, 8);
    } else if (n >= 4) {
        uint32_t a, b;
        __builtin_memcpy(&a, s, 4);
        __builtin_memcpy(&b, s + n - 4, 4);
        __builtin_memcpy(d, &a, 4);
        __builtin_memcpy(d + n - 4, &b, 4);
    } else if (n >= 2) {
        uint16_t a, b;
        __builtin_memcpy(&a, s, 2);
        __builtin_memcpy(&b, s + n - 2, 2);
        __builtin_memcpy(d, &a, 2);
        __builtin_memcpy(d + n - 2, &b, 2);
    } else if (n == 1) {
        d[0] = s[0];
    }
}

// ------------------------------------------------------------ per-lane work
// Each operation, for one layout L, as what it makes of a lane: opaque(s, d,
// t) for an opaque pixel (or colour byte) s over d with the tint t, and
// level(a, p, d) for a level pixel p of level a.  kCopy marks the operations
// whose opaque runs are plain copies; kAllBytes the one that also works the
// fourth byte of a 32-bit pixel.

template <class L>
struct LaneOps {
    VTL_VEC_METHOD static V16 complement(V16 d, V16 k) { return L::fade(d, 255 - k); }
    VTL_VEC_METHOD V16 tint() const { return V16{}; } // only ColorBlt has one
};

// The halving mask of a layout's lanes.
template <class L>
unsigned halfMaskOf(const RleArgs& g)
{
    if constexpr (std::is_same_v<L, Layout332>)
        return rleops::kHalf8;
    else if constexpr (std::is_same_v<L, LayoutByte>)
        return 0xFF; // a byte shifted right has nothing to clear
    else
        return g.half & 0xFFFF;
}

template <class L>
struct VNoEffects : LaneOps<L> {
    static constexpr bool kCopy = true, kAllBytes = true;
    VTL_VEC_METHOD explicit VNoEffects(const RleArgs&) {}
    VTL_VEC_METHOD V16 opaque(V16 s, V16, V16) const { return s; }
    VTL_VEC_METHOD V16 level(V16, V16 p, V16) const { return p; }
};

template <class L>
struct VNormal : LaneOps<L> {
    static constexpr bool kCopy = true, kAllBytes = true;
    VTL_VEC_METHOD explicit VNormal(const RleArgs&) {}
    VTL_VEC_METHOD V16 opaque(V16 s, V16, V16) const { return s; }
    VTL_VEC_METHOD V16 level(V16 a, V16 p, V16 d) const { return p + LaneOps<L>::complement(d, a); }
};

template <class L>
struct VHalf : LaneOps<L> {
    static constexpr bool kCopy = false, kAllBytes = true;
    V16 m;
    VTL_VEC_METHOD explicit VHalf(const RleArgs& g) : m(splat(halfMaskOf<L>(g))) {}
    VTL_VEC_METHOD V16 opaque(V16 s, V16 d, V16) const { return ((s >> 1) & m) + ((d >> 1) & m); }
    VTL_VEC_METHOD V16 level(V16 a, V16 p, V16 d) const
    {
        return ((p >> 1) & m) + LaneOps<L>::complement(d, a >> 1);
    }
};

template <class L>
struct VShadow : LaneOps<L> {
    static constexpr bool kCopy = false, kAllBytes = false;
    V16 m;
    VTL_VEC_METHOD explicit VShadow(const RleArgs& g) : m(splat(halfMaskOf<L>(g))) {}
    VTL_VEC_METHOD V16 opaque(V16, V16 d, V16) const { return (d >> 1) & m; }
    VTL_VEC_METHOD V16 level(V16 a, V16, V16 d) const { return LaneOps<L>::complement(d, a >> 1); }
};

template <class L>
struct VFade : LaneOps<L> {
    static constexpr bool kCopy = false, kAllBytes = false;
    V16 f;
    VTL_VEC_METHOD explicit VFade(const RleArgs& g) : f(splat(g.level)) {}
    VTL_VEC_METHOD V16 opaque(V16 s, V16, V16) const { return L::fade(s, f); }
    VTL_VEC_METHOD V16 level(V16, V16 p, V16 d) const { return L::fade(p, f) + LaneOps<L>::complement(d, f); }
};

template <class L>
struct VBlend : LaneOps<L> {
    static constexpr bool kCopy = false, kAllBytes = false;
    V16 b;
    VTL_VEC_METHOD explicit VBlend(const RleArgs& g) : b(splat(g.level)) {}
    VTL_VEC_METHOD V16 opaque(V16 s, V16 d, V16) const { return L::fade(s, b) + LaneOps<L>::complement(d, b); }
    VTL_VEC_METHOD V16 level(V16 a, V16 p, V16 d) const
    {
        // An 8-bit level pixel blends at the call's level alone: the 3-3-2
        // index has no room for a second one.
        if constexpr (std::is_same_v<L, Layout332>)
            return L::fade(p, b) + LaneOps<L>::complement(d, b);
        else
            return L::fade(p, b) + LaneOps<L>::complement(d, div255(a * b));
    }
};

template <class L>
struct VTint : LaneOps<L> {
    static constexpr bool kCopy = false, kAllBytes = false;
    V16 level_, t;
    VTL_VEC_METHOD explicit VTint(const RleArgs& g) : level_(splat(g.colorLevel)), t(splat(tintOf(g))) {}
    // Only the 8- and 16-bit kernels use it; 24 and 32 bits lay the three
    // tint bytes out per lane themselves.
    static unsigned tintOf(const RleArgs& g)
    {
        if constexpr (std::is_same_v<L, Layout332>)
            return fade8(static_cast<uint8_t>(g.color), g.colorLevel);
        else
            return fade16(static_cast<uint16_t>(g.color), g.colorLevel);
    }
    VTL_VEC_METHOD V16 tint() const { return t; }
    VTL_VEC_METHOD V16 opaque(V16, V16 d, V16 tint) const { return tint + LaneOps<L>::complement(d, level_); }
    VTL_VEC_METHOD V16 level(V16 a, V16, V16 d) const
    {
        const V16 k = div255(a * level_);
        return L::fade(t, k) + LaneOps<L>::complement(d, k);
    }
};

// -------------------------------------------------------------- run drivers

// 8 bits: opaque runs two pixels to a lane (low and high byte), level runs
// one (level, pixel) pair to a lane.
template <template <class> class VOp, template <int> class SOp>
struct Runs8 {
    static constexpr int kBytes = 1;
    VOp<Layout332> v;
    SOp<1> tail;
    VTL_VEC_METHOD explicit Runs8(const RleArgs& g) : v(g), tail(g) {}
    VTL_VEC_METHOD void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        if (VOp<Layout332>::kCopy)
            return copyBytes(d, s, static_cast<size_t>(n));
        int i = 0;
        for (; i + 2 * static_cast<int>(kLanes) <= n; i += 2 * kLanes) {
            const V16 sv = loadV(s + i), dv = loadV(d + i);
            const V16 lo = v.opaque(sv & 0xFF, dv & 0xFF, v.tint());
            const V16 hi = v.opaque(sv >> 8, dv >> 8, v.tint());
            storeV(d + i, (lo & 0xFF) | (hi << 8));
        }
        tail.opaque(d + i, s + i, n - i);
    }
    VTL_VEC_METHOD void level(uint8_t* d, const uint8_t* s, int n)
    {
        int i = 0;
        for (; i + static_cast<int>(kLanes) <= n; i += kLanes) {
            const V16 pairs = loadV(s + 2 * i);
            A8 bytes;
            __builtin_memcpy(&bytes, d + i, sizeof bytes);
            const V16 r = v.level(pairs & 0xFF, pairs >> 8, __builtin_convertvector(bytes, V16)) & 0xFF;
            bytes = __builtin_convertvector(r, A8);
            __builtin_memcpy(d + i, &bytes, sizeof bytes);
        }
        tail.level(d + i, s + 2 * i, n - i);
    }
};

// 16 bits: one pixel to a lane.  A level run's (level, pixel) triples are
// gathered into a lane of levels and a lane of pixels.
template <class L, template <class> class VOp, template <int> class SOp>
struct Runs16 {
    static constexpr int kBytes = 2;
    VOp<L> v;
    SOp<2> tail;
    VTL_VEC_METHOD explicit Runs16(const RleArgs& g) : v(g), tail(g) {}
    VTL_VEC_METHOD void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        if (VOp<L>::kCopy)
            return copyBytes(d, s, static_cast<size_t>(n) * 2);
        int i = 0;
        for (; i + static_cast<int>(kLanes) <= n; i += kLanes)
            storeV(d + 2 * i, v.opaque(loadV(s + 2 * i), loadV(d + 2 * i), v.tint()));
        tail.opaque(d + 2 * i, s + 2 * i, n - i);
    }
    VTL_VEC_METHOD void level(uint8_t* d, const uint8_t* s, int n)
    {
        int i = 0;
        for (; i + static_cast<int>(kLanes) <= n; i += kLanes) {
            V16 a = {}, p = {};
            const uint8_t* q = s + 3 * i;
            for (unsigned j = 0; j < kLanes; ++j) {
                a[j] = q[3 * j];
                p[j] = static_cast<uint16_t>(q[3 * j + 1] | q[3 * j + 2] << 8);
            }
            storeV(d + 2 * i, v.level(a, p, loadV(d + 2 * i)));
        }
        tail.level(d + 2 * i, s + 3 * i, n - i);
    }
};

// 24 and 32 bits: opaque runs one colour byte to a lane.  The tint's bytes
// repeat every B bytes; for 24 bits a vector starts at one of three places
// in that pattern, so three lane patterns are kept.
template <int B, template <class> class VOp, template <int> class SOp>
struct RunsBytes {
    static constexpr int kBytes = B;
    VOp<LayoutByte> v;
    SOp<B> tail;
    V16 tLo[3], tHi[3];
    V16 keep; // the fourth byte of each 32-bit pixel
    VTL_VEC_METHOD explicit RunsBytes(const RleArgs& g) : v(g), tail(g)
    {
        uint8_t t[4] = {};
        for (int j = 0; j < 3; ++j)
            t[j] = scaleByte(static_cast<uint8_t>(g.color >> (8 * j)), g.colorLevel);
        for (unsigned phase = 0; phase < 3; ++phase)
            for (unsigned j = 0; j < kLanes; ++j) {
                tLo[phase][j] = t[(phase + 2 * j) % B];
                tHi[phase][j] = t[(phase + 2 * j + 1) % B];
            }
        for (unsigned j = 0; j < kLanes; ++j)
            keep[j] = B == 4 && !VOp<LayoutByte>::kAllBytes && j % 2 ? 0xFF00 : 0;
    }
    VTL_VEC_METHOD void opaque(uint8_t* d, const uint8_t* s, int n)
    {
        const size_t bytes = static_cast<size_t>(n) * B;
        if (VOp<LayoutByte>::kCopy)
            return copyBytes(d, s, bytes);
        size_t i = 0;
        // Whole vectors up to a pixel boundary, so that the tail starts on a
        // pixel: three vectors hold whole 24-bit pixels, one whole 32-bit ones.
        constexpr size_t kStep = B == 3 ? 3 * VTL_VEC_BYTES : VTL_VEC_BYTES;
        const size_t whole = bytes - bytes % kStep;
        for (; i < whole; i += VTL_VEC_BYTES) {
            const unsigned phase = B == 3 ? static_cast<unsigned>(i % 3) : 0;
            const V16 sv = loadV(s + i), dv = loadV(d + i);
            const V16 lo = v.opaque(sv & 0xFF, dv & 0xFF, tLo[phase]);
            const V16 hi = v.opaque(sv >> 8, dv >> 8, tHi[phase]);
            storeV(d + i, select(keep, dv, (lo & 0xFF) | (hi << 8)));
        }
        tail.opaque(d + i, s + i, static_cast<int>((bytes - i) / B));
    }
    VTL_VEC_METHOD void level(uint8_t* d, const uint8_t* s, int n) { tail.level(d, s, n); }
};

template <template <class> class VOp, template <int> class SOp>
void fillOp(RleKernels& k, RleOp op)
{
    k.bits8[op] = drawRuns<Runs8<VOp, SOp>>;
    k.rgb555[op] = drawRuns<Runs16<Layout555, VOp, SOp>>;
    k.rgb565[op] = drawRuns<Runs16<Layout565, VOp, SOp>>;
    k.bits24[op] = drawRuns<RunsBytes<3, VOp, SOp>>;
    k.bits32[op] = drawRuns<RunsBytes<4, VOp, SOp>>;
}

RleKernels makeRleVectorKernels()
{
    RleKernels k{};
    fillOp<VNoEffects, rleops::NoEffects>(k, RLE_NO_EFFECTS);
    fillOp<VNormal, rleops::Normal>(k, RLE_NORMAL);
    fillOp<VHalf, rleops::Half>(k, RLE_HALF);
    fillOp<VShadow, rleops::Shadow>(k, RLE_SHADOW);
    fillOp<VFade, rleops::Fade>(k, RLE_FADE);
    fillOp<VBlend, rleops::Blend>(k, RLE_BLEND);
    fillOp<VTint, rleops::Tint>(k, RLE_COLOR);
    return k;
}

} // namespace
} // namespace vtl

#undef VTL_VEC_METHOD
