// The plain RLE path: the run walk with the table-driven operations.
#include "rle/rle_kernels.h"
#include "rle/rle_pixel_ops.h"

#define VTL_RLE_WALK_FN static
#include "rle/rle_walk_runs.h"

namespace vtl {
namespace {

template <int B>
void fill(RleDrawFn (&t)[RLE_OP_COUNT])
{
    t[RLE_NO_EFFECTS] = drawRuns<rleops::NoEffects<B>>;
    t[RLE_NORMAL] = drawRuns<rleops::Normal<B>>;
    t[RLE_HALF] = drawRuns<rleops::Half<B>>;
    t[RLE_SHADOW] = drawRuns<rleops::Shadow<B>>;
    t[RLE_FADE] = drawRuns<rleops::Fade<B>>;
    t[RLE_BLEND] = drawRuns<rleops::Blend<B>>;
    t[RLE_COLOR] = drawRuns<rleops::Tint<B>>;
}

RleKernels makeScalar()
{
    RleKernels k{};
    fill<1>(k.bits8);
    fill<2>(k.rgb555);
    fill<2>(k.rgb565);
    fill<3>(k.bits24);
    fill<4>(k.bits32);
    return k;
}

} // namespace

const RleKernels& rleScalarKernels()
{
    static const RleKernels kernels = makeScalar();
    return kernels;
}

} // namespace vtl
