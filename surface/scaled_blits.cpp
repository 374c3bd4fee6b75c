// Scaled blits: nearest-neighbour sampling with integer accumulators, 16-bit
// surfaces only, clipped to the whole destination surface.
//
// The source columns a destination row samples are the same on every row, so
// they are walked once per call; each distinct source row is gathered once
// into a row of W pixels, which the same row kernels as the unscaled blits
// then combine with the destination.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>

#include <vector>

#include "surface/blit_clip.h"
#include "surface/blit_pixel.h"
#include "surface/blit_rows.h"

namespace {

struct ScaledArea {
    const uint8_t* src; // first source pixel
    uint8_t* dst;       // first destination pixel
    DWORD sw, sh;       // source area
    DWORD w, h;         // destination area
};

bool clipScaled(BITPLANEFX* d, BITPLANEFX* s, tagPOINT p, tagRECT* rect, unsigned long width,
                unsigned long height, ScaledArea* out)
{
    auto W = static_cast<DWORD>(width);
    auto H = static_cast<DWORD>(height);
    if (!d->pixels || !s || !s->pixels || W < 2 || H < 2 || d->bitsPerPixel != 16 || s->bytesPerPixel != 2)
        return false;
    tagRECT* r = vtl::clampSourceRect(rect, s->width, s->height);
    if (r->right <= r->left || r->bottom <= r->top)
        return false;
    // 64-bit products: a huge destination size cannot wrap a division result
    // back inside the rectangle.
    uint64_t sw = static_cast<uint64_t>(int64_t{r->right} - r->left);
    uint64_t sh = static_cast<uint64_t>(int64_t{r->bottom} - r->top);
    int64_t x = p.x;
    int64_t y = p.y;
    if (x < 0) {
        if (static_cast<uint64_t>(-x) >= W)
            return false;
        r->left += static_cast<LONG>(static_cast<uint64_t>(-x) * sw / W);
        W = static_cast<DWORD>(W + x);
        sw = static_cast<uint64_t>(int64_t{r->right} - r->left);
        x = 0;
    } else if (x >= d->width) {
        return false;
    }
    if (y < 0) {
        if (static_cast<uint64_t>(-y) >= H)
            return false;
        r->top += static_cast<LONG>(static_cast<uint64_t>(-y) * sh / H);
        H = static_cast<DWORD>(H + y);
        sh = static_cast<uint64_t>(int64_t{r->bottom} - r->top);
        y = 0;
    } else if (y >= d->height) {
        return false;
    }
    if (x + W > d->width) {
        r->right -= static_cast<LONG>(static_cast<uint64_t>(x + W - d->width) * sw / W);
        W = static_cast<DWORD>(d->width - x);
        sw = static_cast<uint64_t>(int64_t{r->right} - r->left);
    }
    if (y + H > d->height) {
        r->bottom -= static_cast<LONG>(static_cast<uint64_t>(y + H - d->height) * sh / H);
        H = static_cast<DWORD>(d->height - y);
        sh = static_cast<uint64_t>(int64_t{r->bottom} - r->top);
    }
    out->src = s->pixels + static_cast<size_t>(r->top) * s->pitch + static_cast<size_t>(r->left) * 2;
    out->dst = d->pixels + static_cast<size_t>(y) * d->pitch + static_cast<size_t>(x) * 2;
    out->sw = static_cast<DWORD>(sw);
    out->sh = static_cast<DWORD>(sh);
    out->w = W;
    out->h = H;
    return true;
}

// Draws the area with `row` applied to each destination row and its gathered
// source row.
void scaledRows(BITPLANEFX* d, BITPLANEFX* s, const ScaledArea& a, vtl::RowFn row, const vtl::RowArgs& g)
{
    std::vector<DWORD> column(a.w);
    DWORD acc = 0, offset = 0;
    for (DWORD j = 0; j < a.w; ++j) {
        column[j] = offset;
        for (acc += a.sw; acc >= a.w; acc -= a.w)
            offset += 2;
    }
    std::vector<uint8_t> gathered(static_cast<size_t>(a.w) * 2);
    const uint8_t* srcRow = a.src;
    const uint8_t* gatheredFrom = nullptr;
    uint8_t* dst = a.dst;
    DWORD rowAcc = 0;
    for (DWORD i = 0; i < a.h; ++i) {
        if (srcRow != gatheredFrom) {
            for (DWORD j = 0; j < a.w; ++j)
                std::memcpy(&gathered[j * 2], srcRow + column[j], 2);
            gatheredFrom = srcRow;
        }
        row(dst, gathered.data(), nullptr, a.w, g);
        for (rowAcc += a.sh; rowAcc >= a.h; rowAcc -= a.h)
            srcRow += s->pitch;
        dst += d->pitch;
    }
}

void copyRow(uint8_t* dst, const uint8_t* src, const uint8_t*, unsigned n, const vtl::RowArgs&)
{
    std::memcpy(dst, src, static_cast<size_t>(n) * 2);
}

void scaled(BITPLANEFX* d, BITPLANEFX* s, tagPOINT p, tagRECT* rect, unsigned long w, unsigned long h,
            vtl::BlitOp op, unsigned level)
{
    ScaledArea a;
    if (!clipScaled(d, s, p, rect, w, h, &a))
        return;
    vtl::RowArgs g{};
    g.half = HalfMask;
    g.level = static_cast<uint16_t>(level);
    g.levelBar = static_cast<uint16_t>(255 - level); // unlike the unscaled blend: the weights add up to 255
    g.alphaBase = 256;
    scaledRows(d, s, a, vtl::rowKernel(op, 16, d->format), g);
}

} // namespace

void BITPLANEFX::Blt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned long w, unsigned long h)
{
    ScaledArea a;
    if (clipScaled(this, s, p, r, w, h, &a))
        scaledRows(this, s, a, copyRow, vtl::RowArgs{});
}

void BITPLANEFX::Blt50(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned long w, unsigned long h)
{
    scaled(this, s, p, r, w, h, vtl::OP_HALF, 255);
}

void BITPLANEFX::ShadowBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned long w, unsigned long h)
{
    // Halves the whole area: the source only decides where the area lies.
    ScaledArea a;
    if (!clipScaled(this, s, p, r, w, h, &a))
        return;
    const uint32_t mask = HalfMask;
    uint8_t* dst = a.dst;
    for (DWORD i = 0; i < a.h; ++i, dst += pitch) {
        DWORD j = 0;
        for (; j + 2 <= a.w; j += 2)
            vtl::store32(dst + j * 2, (vtl::load32(dst + j * 2) >> 1) & mask);
        if (j < a.w)
            vtl::store16(dst + j * 2, static_cast<uint16_t>((vtl::load16(dst + j * 2) >> 1) & mask));
    }
}

void BITPLANEFX::FadeBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned long w, unsigned long h,
                         unsigned char level)
{
    scaled(this, s, p, r, w, h, vtl::OP_FADE, level);
}

void BITPLANEFX::BlendBlt(BITPLANEFX* s, tagPOINT p, tagRECT* r, unsigned long w, unsigned long h,
                          unsigned char level)
{
    scaled(this, s, p, r, w, h, vtl::OP_BLEND, level);
}
