// The plain path: every pixel through the effect tables.  The unkeyed 50 %
// mix, which needs no table, takes a 32-bit word (two or four pixels) at a
// time.
#include "surface/blit_ops.h"

namespace vtl {
namespace {

template <class P, BlitOp Op>
void row(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, unsigned n, const RowArgs& g)
{
    blitPixels<P, Op>(dst, src, alpha, n, g);
}

template <class P>
void rowHalf(uint8_t* dst, const uint8_t* src, const uint8_t*, unsigned n, const RowArgs& g)
{
    const unsigned perWord = 4 / P::bytes;
    unsigned i = 0;
    for (; i + perWord <= n; i += perWord)
        store32(dst + i * P::bytes, halfSum(load32(src + i * P::bytes), load32(dst + i * P::bytes), g.half));
    blitPixels<P, OP_HALF>(dst + i * P::bytes, src + i * P::bytes, nullptr, n - i, g);
}

template <class P>
void fill(RowFn (&t)[OP_COUNT])
{
    t[OP_TRANS] = row<P, OP_TRANS>;
    t[OP_HALF] = rowHalf<P>;
    t[OP_TRANS_HALF] = row<P, OP_TRANS_HALF>;
    t[OP_SHADOW] = row<P, OP_SHADOW>;
    t[OP_FADE] = row<P, OP_FADE>;
    t[OP_FADE_TRANS] = row<P, OP_FADE_TRANS>;
    t[OP_BLEND] = row<P, OP_BLEND>;
    t[OP_BLEND_TRANS] = row<P, OP_BLEND_TRANS>;
    t[OP_ALPHA] = row<P, OP_ALPHA>;
    t[OP_ALPHA_SRC] = row<P, OP_ALPHA_SRC>;
    t[OP_COLOR_BLEND] = row<P, OP_COLOR_BLEND>;
    t[OP_COLOR_TRANS_BLEND] = row<P, OP_COLOR_TRANS_BLEND>;
}

RowKernels makeScalar()
{
    RowKernels k{};
    fill<Pixel8>(k.bits8);
    fill<Pixel16>(k.rgb555);
    fill<Pixel16>(k.rgb565);
    k.lut555 = lutPixels;
    k.lut565 = lutPixels;
    k.quadrant8 = quadrantPixels<Pixel8>;
    k.quadrant555 = quadrantPixels<Pixel16>;
    k.quadrant565 = quadrantPixels<Pixel16>;
    k.quadrant24 = quadrantPixels24;
    return k;
}

} // namespace

const RowKernels& scalarKernels()
{
    static const RowKernels kernels = makeScalar();
    return kernels;
}

} // namespace vtl
