// The vector row kernels, written once with the compiler's vector extensions
// and compiled for each instruction set by the file that includes this one:
// it defines VTL_VEC_BYTES (16 or 32) and VTL_VEC_ISA (a target string such
// as "avx2") first.  Everything here has internal linkage, so code built for
// one instruction set never stands in for another's.
#ifndef VTL_VEC_BYTES
#error "define VTL_VEC_BYTES and VTL_VEC_ISA before including this file"
#endif

#include "surface/blit_ops.h"
#include "surface/pixel_vector.h"

#include <type_traits>

namespace vtl {
namespace {

struct Consts {
    V16 key, half, level, levelBar, alphaBase, color;
};

VTL_VEC_FN Consts makeConsts(const RowArgs& g, unsigned valueMask)
{
    return Consts{splat(g.key & valueMask), splat(g.half & valueMask), splat(g.level),
                  splat(g.levelBar),        splat(g.alphaBase),        splat(g.color)};
}

template <class L, BlitOp Op>
VTL_VEC_FN V16 blitVector(V16 s, V16 d, V16 a, const Consts& c)
{
    const V16 opaque = (V16)(s != c.key);
    switch (Op) {
    case OP_TRANS:
        return select(opaque, s, d);
    case OP_HALF:
        return ((s >> 1) & c.half) + ((d >> 1) & c.half);
    case OP_TRANS_HALF:
        return select(opaque, ((s >> 1) & c.half) + ((d >> 1) & c.half), d);
    case OP_SHADOW:
        return select(opaque, (d >> 1) & c.half, d);
    case OP_FADE:
        return L::fade(s, c.level);
    case OP_FADE_TRANS:
        return select(opaque, L::fade(s, c.level), d);
    case OP_BLEND:
        return L::fade(s, c.level) + L::fade(d, c.levelBar);
    case OP_BLEND_TRANS:
        return select(opaque, L::fade(s, c.level) + L::fade(d, c.levelBar), d);
    case OP_ALPHA:
        return select((V16)(a != 0), L::fade(s, a) + L::fade(d, c.alphaBase - a), d);
    case OP_ALPHA_SRC:
        return select((V16)(a != 0) & opaque, L::fade(s, a) + L::fade(d, c.alphaBase - a), d);
    case OP_COLOR_BLEND:
        return L::fade(s, c.level) + c.color;
    case OP_COLOR_TRANS_BLEND:
        return select(opaque, L::fade(s, c.level) + c.color, d);
    default:
        return d;
    }
}

constexpr bool usesAlpha(BlitOp op) { return op == OP_ALPHA || op == OP_ALPHA_SRC; }

template <class L, BlitOp Op>
__attribute__((target(VTL_VEC_ISA))) void row16(uint8_t* dst, const uint8_t* src, const uint8_t* alpha,
                                                 unsigned n, const RowArgs& g)
{
    const Consts c = makeConsts(g, 0xFFFF);
    unsigned i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        V16 a = {};
        if (usesAlpha(Op)) {
            A8 bytes;
            __builtin_memcpy(&bytes, alpha + i, sizeof bytes);
            a = __builtin_convertvector(bytes, V16);
        }
        storeV(dst + 2 * i, blitVector<L, Op>(loadV(src + 2 * i), loadV(dst + 2 * i), a, c));
    }
    blitPixels<Pixel16, Op>(dst + 2 * i, src + 2 * i, usesAlpha(Op) ? alpha + i : nullptr, n - i, g);
}

// 8-bit pixels: each 16-bit lane holds two, worked on as its low and high
// byte; every result fits its byte, so the halves recombine without carries.
template <BlitOp Op>
__attribute__((target(VTL_VEC_ISA))) void row8(uint8_t* dst, const uint8_t* src, const uint8_t* alpha,
                                                unsigned n, const RowArgs& g)
{
    const Consts c = makeConsts(g, 0xFF);
    unsigned i = 0;
    for (; i + 2 * kLanes <= n; i += 2 * kLanes) {
        const V16 s = loadV(src + i);
        const V16 d = loadV(dst + i);
        const V16 a = usesAlpha(Op) ? loadV(alpha + i) : V16{};
        const V16 lo = blitVector<Layout332, Op>(s & 0xFF, d & 0xFF, a & 0xFF, c);
        const V16 hi = blitVector<Layout332, Op>(s >> 8, d >> 8, a >> 8, c);
        storeV(dst + i, lo | (hi << 8));
    }
    blitPixels<Pixel8, Op>(dst + i, src + i, usesAlpha(Op) ? alpha + i : nullptr, n - i, g);
}

VTL_VEC_FN bool allZero(V16 v)
{
    typedef uint64_t U64 __attribute__((vector_size(VTL_VEC_BYTES)));
    const U64 x = (U64)v;
    uint64_t any = 0;
    for (unsigned i = 0; i < VTL_VEC_BYTES / 8; ++i)
        any |= x[i];
    return any == 0;
}

// Lookup-image rows, a batch of pixels at a time: a plain loop first looks
// up each pixel's faded colour and alpha into two small arrays (vector lanes
// have no gather), then whole vectors fade the destination by the alphas'
// complements.  Gathering a batch ahead keeps the vector loads clear of the
// stores that just filled the arrays.
template <class L>
__attribute__((target(VTL_VEC_ISA))) void lutRow(uint8_t* dst, const uint8_t* index, unsigned n, const LutTable& t)
{
    constexpr unsigned kBatch = 128;
    alignas(VTL_VEC_BYTES) uint16_t colour[kBatch], alpha[kBatch];
    unsigned i = 0;
    while (n - i >= kLanes) {
        const unsigned m = (n - i < kBatch ? n - i : kBatch) / kLanes * kLanes;
        for (unsigned j = 0; j < m; ++j) {
            const unsigned e = index[i + j];
            colour[j] = t.colour[e];
            alpha[j] = t.alpha[e];
        }
        for (unsigned j = 0; j < m; j += kLanes) {
            const V16 a = loadV(reinterpret_cast<const uint8_t*>(alpha + j));
            // Where every entry is transparent a 5-6-5 destination keeps its
            // pixels exactly (5-5-5 ones lose their unused top bit, so they
            // are worked): lights are mostly transparent around the glow.
            if (std::is_same_v<L, Layout565> && allZero(a))
                continue;
            const V16 c = loadV(reinterpret_cast<const uint8_t*>(colour + j));
            storeV(dst + 2 * (i + j), c + L::fade(loadV(dst + 2 * (i + j)), 255 - a));
        }
        i += m;
    }
    lutPixels(dst + 2 * i, index + i, n - i, t);
}

// The weights of a quadrant row, read from the map forwards or backwards.
VTL_VEC_FN V16 mapLanes(const uint8_t* map, int step)
{
    V16 k = {};
    for (unsigned j = 0; j < kLanes; ++j)
        k[j] = map[static_cast<int>(j) * step];
    return k;
}

template <class L>
__attribute__((target(VTL_VEC_ISA))) void quadrantRow16(uint8_t* dst, const uint8_t* a, const uint8_t* b,
                                                         const uint8_t* map, int step, unsigned n)
{
    unsigned i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        const V16 k = mapLanes(map + static_cast<int>(i) * step, step);
        storeV(dst + 2 * i, L::fade(loadV(b + 2 * i), k) + L::fade(loadV(a + 2 * i), 255 - k));
    }
    quadrantPixels<Pixel16>(dst + 2 * i, a + 2 * i, b + 2 * i, map + static_cast<int>(i) * step, step, n - i);
}

// 8 bits: one index to a lane.
__attribute__((target(VTL_VEC_ISA))) void quadrantRow8(uint8_t* dst, const uint8_t* a, const uint8_t* b,
                                                        const uint8_t* map, int step, unsigned n)
{
    unsigned i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        const V16 k = mapLanes(map + static_cast<int>(i) * step, step);
        A8 av, bv;
        __builtin_memcpy(&av, a + i, sizeof av);
        __builtin_memcpy(&bv, b + i, sizeof bv);
        const V16 r = Layout332::fade(__builtin_convertvector(bv, V16), k) +
                      Layout332::fade(__builtin_convertvector(av, V16), 255 - k);
        const A8 out = __builtin_convertvector(r & 0xFF, A8);
        __builtin_memcpy(dst + i, &out, sizeof out);
    }
    quadrantPixels<Pixel8>(dst + i, a + i, b + i, map + static_cast<int>(i) * step, step, n - i);
}

template <BlitOp Op>
void fillOp(RowKernels& k)
{
    k.bits8[Op] = row8<Op>;
    k.rgb555[Op] = row16<Layout555, Op>;
    k.rgb565[Op] = row16<Layout565, Op>;
}

RowKernels makeVectorKernels()
{
    RowKernels k{};
    fillOp<OP_TRANS>(k);
    fillOp<OP_HALF>(k);
    fillOp<OP_TRANS_HALF>(k);
    fillOp<OP_SHADOW>(k);
    fillOp<OP_FADE>(k);
    fillOp<OP_FADE_TRANS>(k);
    fillOp<OP_BLEND>(k);
    fillOp<OP_BLEND_TRANS>(k);
    fillOp<OP_ALPHA>(k);
    fillOp<OP_ALPHA_SRC>(k);
    fillOp<OP_COLOR_BLEND>(k);
    fillOp<OP_COLOR_TRANS_BLEND>(k);
    k.lut555 = lutRow<Layout555>;
    k.lut565 = lutRow<Layout565>;
    k.quadrant8 = quadrantRow8;
    k.quadrant555 = quadrantRow16<Layout555>;
    k.quadrant565 = quadrantRow16<Layout565>;
    return k;
}

} // namespace
} // namespace vtl

