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
    const int64_t w = int64_t{r->right} - r->left;
    const int64_t h = int64_t{r->bottom} - r->top;
    if (w <= 0 || h <= 0)
        return;
    // This blit does not clip: an area that does not lie wholly inside the
    // destination is refused rather than written past the surface.
    if (p.x < 0 || p.y < 0 || p.x + w > width || p.y + h > height)
        return;

    // Each entry's colour faded by its own alpha, once per call; the
    // destination term is then two lookups in the complement tables.
    uint16_t colour[256];
    const uint16_t* lo[256];
    const uint16_t* hi[256];
    for (unsigned i = 0; i < 256; ++i) {
        const DWORD e = l->entries[i];
        const unsigned a = e >> 24;
        colour[i] = vtl::fade16(static_cast<uint16_t>(e), a);
        lo[i] = FadeLoRev[a];
        hi[i] = FadeHiRev[a];
    }
    const uint8_t* index = l->front + static_cast<size_t>(r->top) * l->pitch + static_cast<size_t>(r->left);
    uint8_t* dst = pixels + static_cast<size_t>(p.y) * pitch + static_cast<size_t>(p.x) * 2;
    for (int64_t y = 0; y < h; ++y, index += l->pitch, dst += pitch)
        for (int64_t x = 0; x < w; ++x) {
            const unsigned i = index[x];
            const uint16_t d = vtl::load16(dst + x * 2);
            vtl::store16(dst + x * 2, static_cast<uint16_t>(colour[i] + lo[i][d & 0xFF] + hi[i][d >> 8]));
        }
}
