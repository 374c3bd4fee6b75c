// Surface-to-surface blits: clip once, then one row kernel per row.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>

#include "surface/blit_clip.h"
#include "surface/blit_pixel.h"
#include "surface/blit_rows.h"

namespace {

using vtl::BlitArea;
using vtl::BlitOp;
using vtl::RowArgs;

LONG clipLimit(LONG clip, LONG size) { return clip < size ? clip : size; }

// Steps common to every member: refuse what cannot be drawn, then clamp and
// clip the source rectangle in place.
bool clipBlit(BITPLANEFX* d, BITPLANEFX* s, tagPOINT p, tagRECT* rect, bool needsAlpha, BlitArea* area)
{
    if (!d->pixels || !s || !s->pixels || (needsAlpha && !s->alpha))
        return false;
    if (s->bytesPerPixel != d->bytesPerPixel) // rows of another size would be read past their end
        return false;
    rect = vtl::clampSourceRect(rect, s->width, s->height);
    return vtl::clipToClipSize(rect, p.x, p.y, clipLimit(d->clipWidth, d->width),
                               clipLimit(d->clipHeight, d->height), area);
}

RowArgs argsFor(const BITPLANEFX* d, const BITPLANEFX* s, unsigned level)
{
    RowArgs g{};
    const bool wide = d->bitsPerPixel == 16;
    g.key = wide ? s->colorKey : static_cast<uint16_t>(s->colorKey & 0xFF);
    g.half = wide ? HalfMask : VTL_HALFMASK_332;
    g.level = static_cast<uint16_t>(level);
    g.levelBar = static_cast<uint16_t>(wide ? vtl::complementLevel(level) : 255u - level);
    g.alphaBase = wide ? 256 : 255;
    return g;
}

void runRows(BITPLANEFX* d, const BITPLANEFX* s, const BlitArea& a, BlitOp op, const RowArgs& g)
{
    const vtl::RowFn row = vtl::rowKernel(op, d->bitsPerPixel, d->format);
    if (!row)
        return;
    const unsigned bpp = d->bytesPerPixel;
    uint8_t* dst = d->pixels + static_cast<size_t>(a.dstY) * d->pitch + static_cast<size_t>(a.dstX) * bpp;
    const uint8_t* src = s->pixels + static_cast<size_t>(a.srcY) * s->pitch + static_cast<size_t>(a.srcX) * bpp;
    const uint8_t* alpha =
        s->alpha ? s->alpha + static_cast<size_t>(a.srcY) * static_cast<size_t>(s->width) + a.srcX : nullptr;
    const auto n = static_cast<unsigned>(a.width);
    for (LONG y = 0; y < a.height; ++y) {
        row(dst, src, alpha, n, g);
        dst += d->pitch;
        src += s->pitch;
        if (alpha)
            alpha += s->width;
    }
}

void blit(BITPLANEFX* d, BITPLANEFX* s, tagPOINT p, tagRECT* rect, BlitOp op, unsigned level = 255)
{
    const bool needsAlpha = op == vtl::OP_ALPHA || op == vtl::OP_ALPHA_SRC;
    BlitArea area;
    if (clipBlit(d, s, p, rect, needsAlpha, &area))
        runRows(d, s, area, op, argsFor(d, s, level));
}

// The colour blends fade their colour once per call; which weight it gets
// differs between the keyed and unkeyed 8-bit members.
void colorBlit(BITPLANEFX* d, BITPLANEFX* s, tagPOINT p, tagRECT* rect, BlitOp op, unsigned level,
               unsigned short color, bool reverse8)
{
    BlitArea area;
    if (!clipBlit(d, s, p, rect, false, &area))
        return;
    RowArgs g = argsFor(d, s, level);
    if (d->bitsPerPixel == 16)
        g.color = vtl::fade16(color, vtl::complementLevel(level));
    else
        g.color = vtl::fade8(static_cast<uint8_t>(color), reverse8 ? 255u - level : vtl::complementLevel(level));
    runRows(d, s, area, op, g);
}

} // namespace

void BITPLANEFX::Blt(BITPLANEFX* s, tagPOINT p, tagRECT* rect)
{
    BlitArea a;
    if (!clipBlit(this, s, p, rect, false, &a))
        return;
    const unsigned bpp = bytesPerPixel;
    uint8_t* dst = pixels + static_cast<size_t>(a.dstY) * pitch + static_cast<size_t>(a.dstX) * bpp;
    const uint8_t* src = s->pixels + static_cast<size_t>(a.srcY) * s->pitch + static_cast<size_t>(a.srcX) * bpp;
    const unsigned rowBytes = static_cast<unsigned>(a.width) * bpp;
    for (LONG y = 0; y < a.height; ++y) {
        mmxmemcpy(dst, src, rowBytes);
        dst += pitch;
        src += s->pitch;
    }
}

void BITPLANEFX::TransBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r) { blit(this, s, p, r, vtl::OP_TRANS); }
void BITPLANEFX::Blt50(BITPLANEFX* s, tagPOINT p, tagRECT* r) { blit(this, s, p, r, vtl::OP_HALF); }
void BITPLANEFX::TransBlt50(BITPLANEFX* s, tagPOINT p, tagRECT* r) { blit(this, s, p, r, vtl::OP_TRANS_HALF); }
void BITPLANEFX::ShadowBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r) { blit(this, s, p, r, vtl::OP_SHADOW); }

void BITPLANEFX::FadeBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned char level)
{
    blit(this, s, p, r, vtl::OP_FADE, level);
}

void BITPLANEFX::FadeTransBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned char level)
{
    blit(this, s, p, r, vtl::OP_FADE_TRANS, level);
}

void BITPLANEFX::BlendBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned char level)
{
    blit(this, s, p, r, vtl::OP_BLEND, level);
}

void BITPLANEFX::BlendTransBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned char level)
{
    blit(this, s, p, r, vtl::OP_BLEND_TRANS, level);
}

void BITPLANEFX::AlphaBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r) { blit(this, s, p, r, vtl::OP_ALPHA); }
void BITPLANEFX::AlphaSrcBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r) { blit(this, s, p, r, vtl::OP_ALPHA_SRC); }

void BITPLANEFX::ColorBlendBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned char level, unsigned short color)
{
    colorBlit(this, s, p, r, vtl::OP_COLOR_BLEND, level, color, false);
}

void BITPLANEFX::ColorTransBlendBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned char level,
                                    unsigned short color)
{
    colorBlit(this, s, p, r, vtl::OP_COLOR_TRANS_BLEND, level, color, true);
}
