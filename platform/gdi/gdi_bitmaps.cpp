// Bitmaps: the monochrome bitmap every memory context starts with, device
// bitmaps in the display's layout, DIB sections in the layout their header
// gives, their colour tables, and GetObject for every kind of object.
#include "platform/gdi/gdi_objects.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/gdi_brushes.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace vtl {
namespace {

// Rows of a device bitmap are whole 16-bit words, a DIB's whole 32-bit
// words.
DWORD wordRow(int width, int bits) { return static_cast<DWORD>((static_cast<int64_t>(width) * bits + 15) / 16 * 2); }
DWORD dwordRow(int width, int bits) { return static_cast<DWORD>((static_cast<int64_t>(width) * bits + 31) / 32 * 4); }

// No bitmap may need more than 1 GiB: a size beyond that is a mistake, and
// refusing it keeps every offset inside an int.
constexpr int64_t kMaxBitmapBytes = int64_t(1) << 30;

bool sizeAllowed(int width, int height, DWORD pitch)
{
    return width > 0 && height > 0 && static_cast<int64_t>(pitch) * height <= kMaxBitmapBytes;
}

void setMasks(PixelSpace& s, DWORD red, DWORD green, DWORD blue)
{
    s.masks[0] = red;
    s.masks[1] = green;
    s.masks[2] = blue;
}


} // namespace

Bitmap* newBitmap(int width, int height, int bits, DWORD pitch, bool bottomUp)
{
    if (!sizeAllowed(width, height, pitch)) {
        setError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* b = new (std::nothrow) Bitmap;
    if (b)
        b->bits.reset(new (std::nothrow) unsigned char[static_cast<size_t>(pitch) * height]());
    if (!b || !b->bits) {
        delete b;
        setError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    b->pitch = pitch;
    PixelSpace& s = b->space;
    s.width = width;
    s.height = height;
    s.bits = bits;
    s.stride = bottomUp ? -static_cast<ptrdiff_t>(pitch) : static_cast<ptrdiff_t>(pitch);
    s.top = b->bits.get() + (bottomUp ? static_cast<ptrdiff_t>(pitch) * (height - 1) : 0);
    s.monochrome = bits == 1;
    return b;
}

Bitmap* newDisplayBitmap(int width, int height)
{
    const VTLPixelFormat f = desktop().format;
    Bitmap* b = newBitmap(width, height, f.bitsPerPixel, wordRow(width, f.bitsPerPixel), false);
    if (b && f.bitsPerPixel > 8)
        setMasks(b->space, f.redMask, f.greenMask, f.blueMask);
    return b;
}

Bitmap* defaultBitmap()
{
    static Bitmap* bitmap = [] {
        Bitmap* b = newBitmap(1, 1, 1, 2, false);
        b->stock = true;
        registerObject(b);
        return b;
    }();
    return bitmap;
}

void selectBitmap(DeviceContext& dc, Bitmap* bitmap)
{
    if (Bitmap* old = dc.bitmap) {
        if (old->selectedInto == &dc)
            old->selectedInto = nullptr;
        dc.bitmap = nullptr;
        releaseSelection(old);
    }
    dc.space = PixelSpace{};
    if (!bitmap)
        return;
    if (!bitmap->stock)
        bitmap->selectedInto = &dc;
    holdSelection(bitmap);
    dc.bitmap = bitmap;
    dc.space = bitmap->space;
}

} // namespace vtl

using namespace vtl;

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height)
{
    VTL_TRACE(gdi, "CreateCompatibleBitmap", handle, width, height);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    if (width < 0 || height < 0) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    // An empty size gets the 1 x 1 monochrome stock bitmap.
    if (width == 0 || height == 0)
        return vtlTraceCall_.result(static_cast<HBITMAP>(handleOf(defaultBitmap())));
    Bitmap* b = nullptr;
    const Bitmap* model = dc->bitmap;
    if (model && model->space.monochrome) {
        // A new memory context holds a monochrome bitmap, so its compatible
        // bitmaps are monochrome too.
        b = newBitmap(width, height, 1, wordRow(width, 1), false);
    } else if (model && model->dibSection) {
        const bool bottomUp = model->space.stride < 0;
        b = newBitmap(width, height, model->space.bits, dwordRow(width, model->space.bits), bottomUp);
        if (b) {
            b->dibSection = true;
            b->header = model->header;
            b->header.biWidth = width;
            b->header.biHeight = bottomUp ? height : -height;
            b->header.biSizeImage = b->pitch * static_cast<DWORD>(height);
            std::memcpy(b->space.masks, model->space.masks, sizeof b->space.masks);
            std::memcpy(b->colors, model->colors, sizeof b->colors);
            b->space.colorCount = model->space.colorCount;
            b->space.monochrome = false;
        }
    } else if (dc->dcKind == DCKind::kSurface && dc->space.drawable()) {
        b = newBitmap(width, height, dc->space.bits, wordRow(width, dc->space.bits), false);
        if (b) {
            std::memcpy(b->space.masks, dc->space.masks, sizeof b->space.masks);
            if (dc->space.colors) {
                std::memcpy(b->colors, dc->space.colors, sizeof b->colors);
                b->space.colorCount = 256;
            }
        }
    } else {
        b = newDisplayBitmap(width, height);
    }
    if (!b)
        return vtlTraceCall_.result(nullptr);
    if (b->space.colorCount)
        b->space.colors = b->colors;
    registerObject(b);
    return vtlTraceCall_.result(static_cast<HBITMAP>(handleOf(b)));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const VOID* bits)
{
    VTL_TRACE(gdi, "CreateBitmap", width, height, planes, bitsPerPixel, bits);
    std::lock_guard<std::mutex> lock(gdiMutex());
    const UINT depth = planes * bitsPerPixel;
    if (width < 0 || height < 0 || planes != 1 ||
        (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    if (width == 0 || height == 0)
        return vtlTraceCall_.result(static_cast<HBITMAP>(handleOf(defaultBitmap())));
    Bitmap* b;
    const VTLPixelFormat display = desktop().format;
    if (depth == 1) {
        b = newBitmap(width, height, 1, wordRow(width, 1), false);
    } else if (depth == display.bitsPerPixel) {
        b = newDisplayBitmap(width, height);
    } else {
        // Another depth keeps its own layout: 4 bits as the 16 colours of
        // VGA, 8 as 3-3-2, 16 as 5-5-5, 24 and 32 as 8-8-8.
        b = newBitmap(width, height, static_cast<int>(depth), wordRow(width, static_cast<int>(depth)), false);
        if (b && depth == 4) {
            static const RGBQUAD vga[16] = {
                {0, 0, 0, 0},     {0, 0, 128, 0},     {0, 128, 0, 0},   {0, 128, 128, 0},
                {128, 0, 0, 0},   {128, 0, 128, 0},   {128, 128, 0, 0}, {192, 192, 192, 0},
                {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
                {255, 0, 0, 0},   {255, 0, 255, 0},   {255, 255, 0, 0}, {255, 255, 255, 0},
            };
            std::memcpy(b->colors, vga, sizeof vga);
            b->space.colors = b->colors;
            b->space.colorCount = 16;
        } else if (b && depth == 16) {
            setMasks(b->space, 0x7C00, 0x03E0, 0x001F);
        } else if (b && depth > 16) {
            setMasks(b->space, 0xFF0000, 0xFF00, 0xFF);
        }
    }
    if (!b)
        return vtlTraceCall_.result(nullptr);
    if (bits)
        std::memcpy(b->bits.get(), bits, static_cast<size_t>(wordRow(width, b->space.bits)) * height);
    registerObject(b);
    return vtlTraceCall_.result(static_cast<HBITMAP>(handleOf(b)));
}

HBITMAP CreateDIBSection(HDC handle, const BITMAPINFO* info, UINT usage, VOID** bitsOut, HANDLE section,
                         DWORD)
{
    VTL_TRACE(gdi, "CreateDIBSection", handle, info, usage, bitsOut, section);
    if (bitsOut)
        *bitsOut = nullptr;
    std::lock_guard<std::mutex> lock(gdiMutex());
    if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bits = h.biBitCount;
    const bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool knownCompression =
        h.biCompression == BI_RGB || (h.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32));
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1 || !knownDepth ||
        !knownCompression) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    DeviceContext* dc = handle ? liveDC(handle) : nullptr;
    if (usage == DIB_PAL_COLORS && !dc) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    if (section)
        VTL_UNSUPPORTED("CreateDIBSection over a file mapping", "the bits are the bitmap's own memory");
    const int width = h.biWidth;
    const bool bottomUp = h.biHeight > 0;
    const int height = bottomUp ? h.biHeight : -h.biHeight;
    Bitmap* b = newBitmap(width, height, bits, dwordRow(width, bits), bottomUp);
    if (!b)
        return vtlTraceCall_.result(nullptr);
    b->dibSection = true;
    b->space.monochrome = false;
    b->header = h;
    b->header.biSize = sizeof(BITMAPINFOHEADER);
    b->header.biSizeImage = b->pitch * static_cast<DWORD>(height);
    const unsigned char* after = reinterpret_cast<const unsigned char*>(info) + h.biSize;
    if (bits <= 8) {
        const DWORD count = h.biClrUsed && h.biClrUsed < (1u << bits) ? h.biClrUsed : 1u << bits;
        const Palette* palette = dc && dc->palette ? dc->palette : defaultPalette();
        for (DWORD i = 0; i < count; ++i) {
            if (usage == DIB_RGB_COLORS) {
                std::memcpy(&b->colors[i], after + i * sizeof(RGBQUAD), sizeof(RGBQUAD));
                b->colors[i].rgbReserved = 0;
            } else {
                WORD index;
                std::memcpy(&index, after + i * sizeof(WORD), sizeof index);
                const PALETTEENTRY e = index < palette->entries.size() ? palette->entries[index] : PALETTEENTRY{};
                b->colors[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
            }
        }
        b->space.colors = b->colors;
        b->space.colorCount = static_cast<int>(1u << bits);
    } else if (h.biCompression == BI_BITFIELDS) {
        // The masks follow a plain header, or are a larger header's own
        // fields: at the same offset either way.
        DWORD masks[3];
        std::memcpy(masks, reinterpret_cast<const unsigned char*>(info) + sizeof(BITMAPINFOHEADER), sizeof masks);
        setMasks(b->space, masks[0], masks[1], masks[2]);
    } else if (bits == 16) {
        setMasks(b->space, 0x7C00, 0x03E0, 0x001F);
    } else {
        setMasks(b->space, 0xFF0000, 0x00FF00, 0x0000FF);
    }
    registerObject(b);
    if (bitsOut)
        *bitsOut = b->bits.get();
    return vtlTraceCall_.result(static_cast<HBITMAP>(handleOf(b)));
}

namespace {

// The DIB section of 8 bits or fewer selected into a context (gdiMutex
// held).
Bitmap* tableBitmap(HDC handle)
{
    DeviceContext* dc = liveDC(handle);
    if (!dc || !dc->bitmap || !dc->bitmap->dibSection || dc->bitmap->space.bits > 8)
        return nullptr;
    return dc->bitmap;
}

} // namespace

UINT GetDIBColorTable(HDC handle, UINT start, UINT count, RGBQUAD* colors)
{
    VTL_TRACE(gdi, "GetDIBColorTable", handle, start, count, colors);
    std::lock_guard<std::mutex> lock(gdiMutex());
    Bitmap* b = tableBitmap(handle);
    const UINT size = b ? static_cast<UINT>(b->space.colorCount) : 0;
    if (!b || !colors || start >= size)
        return vtlTraceCall_.result(0);
    count = std::min(count, size - start);
    std::memcpy(colors, b->colors + start, count * sizeof(RGBQUAD));
    return vtlTraceCall_.result(count);
}

UINT SetDIBColorTable(HDC handle, UINT start, UINT count, const RGBQUAD* colors)
{
    VTL_TRACE(gdi, "SetDIBColorTable", handle, start, count, colors);
    std::lock_guard<std::mutex> lock(gdiMutex());
    Bitmap* b = tableBitmap(handle);
    const UINT size = b ? static_cast<UINT>(b->space.colorCount) : 0;
    if (!b || !colors || start >= size)
        return vtlTraceCall_.result(0);
    count = std::min(count, size - start);
    for (UINT i = 0; i < count; ++i) {
        b->colors[start + i] = colors[i];
        b->colors[start + i].rgbReserved = 0;
    }
    return vtlTraceCall_.result(count);
}

int GetObjectA(HANDLE handle, int size, LPVOID buffer)
{
    VTL_TRACE(gdi, "GetObjectA", handle, size, buffer);
    std::lock_guard<std::mutex> lock(gdiMutex());
    GdiObject* o = objectOf(handle);
    if (!o || o->kind == GdiKind::kDC) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(0);
    }
    // Brushes, palettes and fonts copy as much of their record as fits.
    auto copyOut = [&](const void* record, int recordSize) {
        if (!buffer)
            return recordSize;
        const int n = std::max(0, std::min(size, recordSize));
        std::memcpy(buffer, record, static_cast<size_t>(n));
        return n;
    };
    switch (o->kind) {
    case GdiKind::kBrush: {
        const Brush* brush = static_cast<Brush*>(o);
        const LOGBRUSH record{static_cast<UINT>(brush->hollow ? BS_NULL : BS_SOLID), brush->hollow ? 0 : brush->color,
                              0};
        return vtlTraceCall_.result(copyOut(&record, sizeof record));
    }
    case GdiKind::kPalette: {
        const WORD count = static_cast<WORD>(static_cast<Palette*>(o)->entries.size());
        return vtlTraceCall_.result(copyOut(&count, sizeof count));
    }
    case GdiKind::kFont:
        return vtlTraceCall_.result(copyOut(&static_cast<Font*>(o)->description, sizeof(LOGFONTA)));
    case GdiKind::kBitmap: {
        const Bitmap* b = static_cast<Bitmap*>(o);
        // Without a buffer every bitmap, DIB sections too, answers BITMAP's size.
        if (!buffer)
            return vtlTraceCall_.result(static_cast<int>(sizeof(BITMAP)));
        if (size < static_cast<int>(sizeof(BITMAP)))
            return vtlTraceCall_.result(0);
        DIBSECTION record = {};
        record.dsBm.bmWidth = b->space.width;
        record.dsBm.bmHeight = b->space.height;
        record.dsBm.bmWidthBytes = static_cast<LONG>(b->pitch);
        record.dsBm.bmPlanes = 1;
        record.dsBm.bmBitsPixel = static_cast<WORD>(b->space.bits);
        record.dsBm.bmBits = b->dibSection ? b->bits.get() : nullptr;
        if (!b->dibSection || size < static_cast<int>(sizeof(DIBSECTION))) {
            std::memcpy(buffer, &record.dsBm, sizeof(BITMAP));
            return vtlTraceCall_.result(static_cast<int>(sizeof(BITMAP)));
        }
        record.dsBmih = b->header;
        if (b->space.bits > 8)
            std::memcpy(record.dsBitfields, b->space.masks, sizeof record.dsBitfields);
        std::memcpy(buffer, &record, sizeof record);
        return vtlTraceCall_.result(static_cast<int>(sizeof record));
    }
    default: return vtlTraceCall_.result(0);
    }
}

DWORD GetObjectType(HGDIOBJ handle)
{
    VTL_TRACE(gdi, "GetObjectType", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    GdiObject* o = objectOf(handle);
    if (!o) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(0);
    }
    switch (o->kind) {
    case GdiKind::kFont: return vtlTraceCall_.result(OBJ_FONT);
    case GdiKind::kBrush: return vtlTraceCall_.result(OBJ_BRUSH);
    case GdiKind::kBitmap: return vtlTraceCall_.result(OBJ_BITMAP);
    case GdiKind::kPalette: return vtlTraceCall_.result(OBJ_PAL);
    case GdiKind::kDC:
        return vtlTraceCall_.result(static_cast<DeviceContext*>(o)->dcKind == DCKind::kWindow ? OBJ_DC : OBJ_MEMDC);
    }
    return vtlTraceCall_.result(0);
}
