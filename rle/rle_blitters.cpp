// The RLE blitters: BITPLANEFX members that draw an RLEFX image.
#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>

#include "surface/effects_switch.h"
#include "rle/rle_pixel_ops.h"
#include "rle/rle_walk.h"

namespace {

using namespace vtl::rleops;

// Runs the operation over the placed image with pixels of `bytes` bytes.
template <template <int> class Op, class... Args>
void walkAs(int bytes, const vtl::RlePlacement& place, Args... args)
{
    auto run = [&](auto op) { vtl::walkRuns(place, op); };
    switch (bytes) {
    case 1: run(Op<1>{args...}); break;
    case 2: run(Op<2>{args...}); break;
    case 3: run(Op<3>{args...}); break;
    case 4: run(Op<4>{args...}); break;
    default: break;
    }
}

// Places the image in the clip rectangle and runs the operation for the
// surface's pixel size.
template <template <int> class Op, class... Args>
void drawRle(BITPLANEFX& surface, RLEFX* image, POINT point, Args... args)
{
    vtl::RlePlacement place;
    // Runs coded for another pixel size would be walked past their end (an
    // image that records no size, built by hand, is taken as it is).
    if (image && (!image->bytesPerPixel || image->bytesPerPixel == vtl::pixelBytes(surface)) &&
        vtl::placeInClip(surface, *image, point, place))
        walkAs<Op>(vtl::pixelBytes(surface), place, args...);
}

} // namespace

void BITPLANEFX::BltNoEffects(RLEFX* image, POINT point) { drawRle<NoEffects>(*this, image, point); }

void BITPLANEFX::Blt(RLEFX* image, POINT point)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle<Normal>(*this, image, point);
}

void BITPLANEFX::Blt50(RLEFX* image, POINT point)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle<Half>(*this, image, point);
}

void BITPLANEFX::ShadowBlt(RLEFX* image, POINT point)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle<Shadow>(*this, image, point);
}

void BITPLANEFX::FadeBlt(RLEFX* image, POINT point, unsigned char level)
{
    if (!vtl::effectsEnabled() || level == 255)
        return BltNoEffects(image, point);
    drawRle<Fade>(*this, image, point, unsigned{level});
}

void BITPLANEFX::BlendBlt(RLEFX* image, POINT point, unsigned char level)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    if (level == 0)
        return;
    if (level == 255)
        return drawRle<Normal>(*this, image, point);
    drawRle<Blend>(*this, image, point, unsigned{level});
}

void BITPLANEFX::ColorBlt(RLEFX* image, POINT point, unsigned long color, unsigned char level)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle<Tint>(*this, image, point, color, unsigned{level});
}

void BITPLANEFX::BltMode(RLEFX* image, POINT point, BLITMODE* mode)
{
    if (!mode)
        return;
    switch (mode->mode) {
    case BLITMODE_NORMAL: return Blt(image, point);
    case BLITMODE_HALF: return Blt50(image, point);
    case BLITMODE_SHADOW: return ShadowBlt(image, point);
    case BLITMODE_FADE: return FadeBlt(image, point, mode->level);
    case BLITMODE_BLEND: return BlendBlt(image, point, mode->level);
    case BLITMODE_COLOR: return ColorBlt(image, point, mode->color, mode->colorLevel);
    default: return; // 1 and 7 upwards name no operation
    }
}

void BITPLANEFX::Blt(RLEFX* image, POINT point, unsigned long w, unsigned long h)
{
    // The whole surface is the visible area; the two sizes (taken as the
    // signed 32-bit values a caller passed) only decide whether the image is
    // wholly outside it.  The image is drawn at its own size, with the
    // surface's pixel size, so it also draws correctly beyond 16 bits.
    vtl::RlePlacement place;
    const int bytes = vtl::pixelBytes(*this);
    if (!image || (image->bytesPerPixel && image->bytesPerPixel != bytes) ||
        !vtl::placeRleImage(*this, *image, point, 0, 0, width, height,
                            static_cast<int32_t>(static_cast<uint32_t>(w)),
                            static_cast<int32_t>(static_cast<uint32_t>(h)), bytes, place))
        return;
    walkAs<NoEffects>(bytes, place);
}
