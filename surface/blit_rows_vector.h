// The vector row kernels, written once with the compiler's vector extensions
// and compiled for each instruction set by the file that includes this one:
// it defines VTL_VEC_BYTES (16 or 32) and VTL_VEC_ISA (a target string such
// as "avx2") first.  Everything here has internal linkage, so code built for
// one instruction set never stands in for another's.
//
// The effect tables hold, per colour field, floor(field x level / 255) with
// the field scaled in place.  A field is split at the byte boundary exactly
// as the tables split it (green of a 16-bit pixel is faded as two parts), and
// each part is computed as div255(part x level) in a 16-bit lane, so the
// results are the tables' results bit for bit.
#ifndef VTL_VEC_BYTES
#error "define VTL_VEC_BYTES and VTL_VEC_ISA before including this file"
#endif

#include "surface/blit_ops.h"

#define VTL_VEC_FN static inline __attribute__((target(VTL_VEC_ISA), always_inline))

namespace vtl {
namespace {

typedef uint16_t V16 __attribute__((vector_size(VTL_VEC_BYTES)));
typedef uint8_t A8 __attribute__((vector_size(VTL_VEC_BYTES / 2)));
constexpr unsigned kLanes = VTL_VEC_BYTES / 2;

VTL_VEC_FN V16 loadV(const uint8_t* p)
{
    V16 v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

VTL_VEC_FN void storeV(uint8_t* p, V16 v) { __builtin_memcpy(p, &v, sizeof v); }

VTL_VEC_FN V16 splat(unsigned x)
{
    V16 v;
    for (unsigned i = 0; i < kLanes; ++i)
        v[i] = static_cast<uint16_t>(x);
    return v;
}

VTL_VEC_FN V16 select(V16 mask, V16 yes, V16 no) { return (yes & mask) | (no & ~mask); }

// floor(x / 255), exact for every x below 65535.
VTL_VEC_FN V16 div255(V16 x) { return (x + 1 + (x >> 8)) >> 8; }

// One part of a field: the bits of Mask, with the field's lowest bit at Shift.
template <uint16_t Mask, int Shift>
VTL_VEC_FN V16 fadePart(V16 p, V16 k)
{
    return div255(((p & Mask) >> Shift) * k) << Shift;
}

// Red and blue swap places between the two channel orders but the parts do
// not move, so one layout serves both orders.
struct Layout565 {
    VTL_VEC_FN V16 fade(V16 p, V16 k)
    {
        return fadePart<0x001F, 0>(p, k) + fadePart<0x00E0, 5>(p, k) + fadePart<0x0700, 5>(p, k) +
               fadePart<0xF800, 11>(p, k);
    }
};

struct Layout555 {
    VTL_VEC_FN V16 fade(V16 p, V16 k)
    {
        return fadePart<0x001F, 0>(p, k) + fadePart<0x00E0, 5>(p, k) + fadePart<0x0300, 5>(p, k) +
               fadePart<0x7C00, 10>(p, k);
    }
};

// A 3-3-2 index held in the low byte of a lane.
struct Layout332 {
    VTL_VEC_FN V16 fade(V16 p, V16 k)
    {
        return fadePart<0x03, 0>(p, k) + fadePart<0x1C, 2>(p, k) + fadePart<0xE0, 5>(p, k);
    }
};

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
    return k;
}

} // namespace
} // namespace vtl

#undef VTL_VEC_FN
