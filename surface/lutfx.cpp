// LUTFX: two index images and a colour table with per-entry alpha, and the
// blit that draws the front image through the table.
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/lutfx.h>
#include <vantrel/vtlhnd.h>

#include <cstring>
#include <utility>

#include "core/buffer_limit.h"
#include "surface/blit_clip.h"
#include "surface/blit_pixel.h"
#include "surface/blit_rows.h"

bool LUTFX::create(unsigned short w, unsigned short h)
{
    release();
    const DWORD size = DWORD{w} * h;
    // Two images too large together for a 32-bit process are refused as a
    // failed allocation.
    auto* f = vtl::withinBufferLimit(size, 2) ? static_cast<unsigned char*>(MemAlloc(size)) : nullptr;
    auto* b = f ? static_cast<unsigned char*>(MemAlloc(size)) : nullptr;
    auto* e = b ? static_cast<DWORD*>(MemAlloc(256 * sizeof(DWORD))) : nullptr;
    if (!e) {
        Msg("LUTFX::create() - MemAlloc().");
        MemFree(f);
        MemFree(b);
        return false;
    }
    // The allocator hands out zeroed blocks: both images are index 0 and
    // every table entry is transparent black.
    front = f;
    back = b;
    entries = e;
    width = w;
    height = h;
    pitch = w;
    return true;
}

bool LUTFX::release()
{
    MemFree(front);
    MemFree(back);
    MemFree(entries);
    front = nullptr;
    back = nullptr;
    entries = nullptr;
    pitch = 0;
    width = 0;
    height = 0;
    return true;
}

void LUTFX::SetEntry(unsigned char index, unsigned char a, unsigned char red, unsigned char green,
                     unsigned char blue)
{
    if (!entries || !owner)
        return;
    entries[index] = static_cast<DWORD>(owner->packColor(red, green, blue)) | DWORD{a} << 24;
}

void LUTFX::Flip() { std::swap(front, back); }

void BITPLANEFX::Blt(LUTFX* l, tagPOINT p, tagRECT* rect)
{
    if (!pixels || !l || !l->front || !l->entries || bitsPerPixel != 16)
        return;
    tagRECT* r = vtl::clampSourceRect(rect, l->width, l->height);
    // The area is clipped to the surface (the clip rectangle plays no part,
    // as for the scaled blits), so a light reaching the screen's edge shows
    // its visible part.  Every pixel drawn gets exactly what the unclipped
    // blit would give it; the caller's rectangle keeps the clamped area.
    int64_t left = r->left, top = r->top, x = p.x, y = p.y;
    int64_t w = int64_t{r->right} - left, h = int64_t{r->bottom} - top;
    if (x < 0) {
        left -= x;
        w += x;
        x = 0;
    }
    if (y < 0) {
        top -= y;
        h += y;
        y = 0;
    }
    if (x + w > width)
        w = width - x;
    if (y + h > height)
        h = height - y;
    if (w <= 0 || h <= 0)
        return;

    // Each entry's colour faded by its own alpha, once per call.
    vtl::LutTable table;
    for (unsigned i = 0; i < 256; ++i) {
        const DWORD e = l->entries[i];
        table.alpha[i] = static_cast<uint16_t>(e >> 24);
        table.colour[i] = vtl::fade16(static_cast<uint16_t>(e), e >> 24);
    }
    const vtl::LutRowFn row = vtl::lutRowKernel(format);
    const uint8_t* index = l->front + static_cast<size_t>(top) * l->pitch + static_cast<size_t>(left);
    uint8_t* dst = pixels + static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * 2;
    for (int64_t i = 0; i < h; ++i, index += l->pitch, dst += pitch)
        row(dst, index, static_cast<unsigned>(w), table);
}
