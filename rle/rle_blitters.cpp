// The RLE blitters: BITPLANEFX members that draw an RLEFX image.
#include <vantrel/bitplanefx.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include "surface/effects_switch.h"
#include "rle/rle_kernels.h"
#include "rle/rle_walk.h"

namespace {

using vtl::RleArgs;
using vtl::RleOp;

// Runs the active path's kernel for the operation over the placed image.
void drawPlaced(const BITPLANEFX& surface, const vtl::RlePlacement& place, RleOp op, const RleArgs& args)
{
    if (const vtl::RleDrawFn draw = vtl::rleKernel(op, surface.bitsPerPixel, surface.format))
        draw(place, args);
}

// Places the image in the clip rectangle and draws it.
void drawRle(BITPLANEFX& surface, RLEFX* image, POINT point, RleOp op, RleArgs args = {})
{
    vtl::RlePlacement place;
    // Runs coded for another pixel size would be walked past their end (an
    // image that records no size, built by hand, is taken as it is).
    if (!image || (image->bytesPerPixel && image->bytesPerPixel != vtl::pixelBytes(surface)) ||
        !vtl::placeInClip(surface, *image, point, place))
        return;
    args.half = HalfMask;
    drawPlaced(surface, place, op, args);
}

RleArgs withLevel(unsigned level)
{
    RleArgs a;
    a.level = level;
    return a;
}

} // namespace

void BITPLANEFX::BltNoEffects(RLEFX* image, POINT point) { drawRle(*this, image, point, vtl::RLE_NO_EFFECTS); }

void BITPLANEFX::Blt(RLEFX* image, POINT point)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle(*this, image, point, vtl::RLE_NORMAL);
}

void BITPLANEFX::Blt50(RLEFX* image, POINT point)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle(*this, image, point, vtl::RLE_HALF);
}

void BITPLANEFX::ShadowBlt(RLEFX* image, POINT point)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    drawRle(*this, image, point, vtl::RLE_SHADOW);
}

void BITPLANEFX::FadeBlt(RLEFX* image, POINT point, unsigned char level)
{
    if (!vtl::effectsEnabled() || level == 255)
        return BltNoEffects(image, point);
    drawRle(*this, image, point, vtl::RLE_FADE, withLevel(level));
}

void BITPLANEFX::BlendBlt(RLEFX* image, POINT point, unsigned char level)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    if (level == 0)
        return;
    if (level == 255)
        return drawRle(*this, image, point, vtl::RLE_NORMAL);
    drawRle(*this, image, point, vtl::RLE_BLEND, withLevel(level));
}

void BITPLANEFX::ColorBlt(RLEFX* image, POINT point, unsigned long color, unsigned char level)
{
    if (!vtl::effectsEnabled())
        return BltNoEffects(image, point);
    RleArgs tint;
    tint.color = color;
    tint.colorLevel = level;
    drawRle(*this, image, point, vtl::RLE_COLOR, tint);
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
    drawPlaced(*this, place, vtl::RLE_NO_EFFECTS, RleArgs{});
}
