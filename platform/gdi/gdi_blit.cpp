// Block transfers: BitBlt, StretchBlt and PatBlt with every raster
// operation, between contexts of any two layouts, and single pixels.
//
// A raster operation combines bits: the source is first converted to the
// destination's layout and the brush is the destination's value of its
// colour, then the operation's truth table is applied to the three values
// bit by bit, as the hardware of the era did.  Converting from a
// monochrome bitmap gives the destination's text colour for 0 and its
// background colour for 1; converting to one gives 1 where the source has
// its context's background colour.  Stretching picks the nearest source
// pixel in every mode (see SetStretchBltMode in docs/porting.md).
#include "platform/gdi/raster.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/gdi_brushes.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vtl {
namespace {

uint32_t applyRop(unsigned rop3, uint32_t p, uint32_t s, uint32_t d)
{
    switch (rop3) {
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFFu;
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x55: return ~d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x44: return s & ~d;
    case 0x33: return ~s;
    case 0x11: return ~(s | d);
    case 0xC0: return p & s;
    case 0xBB: return ~s | d;
    case 0x5A: return p ^ d;
    case 0xFB: return p | ~s | d;
    default: {
        // Bit n of the operation is the result for pattern, source and
        // destination bits (n >> 2 & 1, n >> 1 & 1, n & 1).
        uint32_t result = 0;
        for (unsigned n = 0; n < 8; ++n) {
            if (!(rop3 & (1u << n)))
                continue;
            result |= ((n & 4) ? p : ~p) & ((n & 2) ? s : ~s) & ((n & 1) ? d : ~d);
        }
        return result;
    }
    }
}

// Source values turned into destination values, remembering recent answers:
// a picture has few distinct colours next to each other, and finding the
// nearest entry of a colour table is slow.
class Converter {
public:
    Converter(const DeviceContext& source, const DeviceContext& dest)
        : from_(source.space), to_(dest.space), same_(from_.sameLayout(to_))
    {
        if (from_.monochrome && !to_.monochrome) {
            fromMono_ = true;
            zero_ = to_.pack(resolveColor(dest, dest.textColor));
            one_ = to_.pack(resolveColor(dest, dest.bkColor));
        } else if (!from_.monochrome && to_.monochrome) {
            toMono_ = true;
            sourceBackground_ = from_.pack(resolveColor(source, source.bkColor));
        }
        std::memset(cacheValid_, 0, sizeof cacheValid_);
    }

    bool identity() const { return same_; }

    uint32_t operator()(uint32_t v)
    {
        if (same_)
            return v;
        if (fromMono_)
            return (v & 1) ? one_ : zero_;
        if (toMono_)
            return v == sourceBackground_ ? 1 : 0;
        const unsigned slot = (v ^ (v >> 9) ^ (v >> 17)) & (kCache - 1);
        if (cacheValid_[slot] && cacheKey_[slot] == v)
            return cacheValue_[slot];
        const uint32_t answer = to_.pack(from_.unpack(v));
        cacheValid_[slot] = true;
        cacheKey_[slot] = v;
        cacheValue_[slot] = answer;
        return answer;
    }

private:
    static constexpr unsigned kCache = 1024;
    const PixelSpace& from_;
    const PixelSpace& to_;
    bool same_;
    bool fromMono_ = false, toMono_ = false;
    uint32_t zero_ = 0, one_ = 0, sourceBackground_ = 0;
    bool cacheValid_[kCache];
    uint32_t cacheKey_[kCache];
    uint32_t cacheValue_[kCache];
};

// A negative size counts back from the given column or row, which is
// inside: x = 3, width = -2 covers columns 2 and 3.
void normalize(int* x, int* width)
{
    if (*width < 0) {
        *x += *width + 1;
        *width = -*width;
    }
}

} // namespace

bool brushColor(const DeviceContext& dc, const GdiObject* brush, COLORREF* color)
{
    const Brush* b = static_cast<const Brush*>(brush);
    if (!b || b->hollow)
        return false;
    *color = resolveColor(dc, b->color);
    return true;
}

bool transfer(DeviceContext& dest, int x, int y, int width, int height, DeviceContext* source, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight, DWORD rop)
{
    const unsigned rop3 = (rop >> 16) & 0xFF;
    const bool usesSource = (((rop3 >> 2) ^ rop3) & 0x33) != 0;
    const bool usesPattern = (((rop3 >> 4) ^ rop3) & 0x0F) != 0;
    const bool usesDest = (((rop3 >> 1) ^ rop3) & 0x55) != 0;
    if (usesSource && !source)
        return false;
    if (!dest.space.drawable())
        return true; // a context with nothing of ours to draw on
    if (usesSource && !source->space.drawable()) {
        VTL_UNSUPPORTED("reading the desktop's or a window's pixels where the backend keeps none",
                        "the destination is left as it was");
        return true;
    }
    COLORREF patternColor = 0;
    if (usesPattern && !brushColor(dest, dest.brush, &patternColor))
        return true; // the null brush paints nothing
    const bool mirrorX = usesSource && ((width < 0) != (sourceWidth < 0));
    const bool mirrorY = usesSource && ((height < 0) != (sourceHeight < 0));
    normalize(&x, &width);
    normalize(&y, &height);
    normalize(&sourceX, &sourceWidth);
    normalize(&sourceY, &sourceHeight);
    if (width == 0 || height == 0 || (usesSource && (sourceWidth == 0 || sourceHeight == 0)))
        return true;

    PixelSpace& to = dest.space;
    const int left = std::max(x, 0), right = std::min(x + width, to.width);
    const int top = std::max(y, 0), bottom = std::min(y + height, to.height);
    if (left >= right || top >= bottom)
        return true;
    const uint32_t mask = to.valueMask();
    const uint32_t pattern = to.pack(patternColor);

    auto sourceColumn = [&](int X) {
        int64_t u = X - x;
        if (mirrorX)
            u = width - 1 - u;
        return sourceX + static_cast<int>((2 * u + 1) * sourceWidth / (2 * static_cast<int64_t>(width)));
    };
    auto sourceRow = [&](int Y) {
        int64_t v = Y - y;
        if (mirrorY)
            v = height - 1 - v;
        return sourceY + static_cast<int>((2 * v + 1) * sourceHeight / (2 * static_cast<int64_t>(height)));
    };

    if (!usesSource) {
        for (int Y = top; Y < bottom; ++Y)
            for (int X = left; X < right; ++X)
                to.write(X, Y, applyRop(rop3, pattern, 0, usesDest ? to.read(X, Y) : 0) & mask);
        return true;
    }

    const PixelSpace& from = source->space;
    Converter convert(*source, dest);
    const bool plain = width == sourceWidth && height == sourceHeight && !mirrorX && !mirrorY;
    // A straight copy between the same layouts moves whole rows.
    if (rop3 == 0xCC && plain && convert.identity() && to.bits >= 8) {
        const int shiftX = sourceX - x, shiftY = sourceY - y;
        const int l = std::max(left, -shiftX), r = std::min(right, from.width - shiftX);
        const int t = std::max(top, -shiftY), b = std::min(bottom, from.height - shiftY);
        if (l >= r || t >= b)
            return true;
        const size_t bytes = static_cast<size_t>(r - l) * static_cast<size_t>(to.bits / 8);
        const bool upward = from.top == to.top && shiftY < 0; // overlapping rows: copy from the bottom
        for (int i = 0; i < b - t; ++i) {
            const int Y = upward ? b - 1 - i : t + i;
            unsigned char* d =
                to.top + static_cast<ptrdiff_t>(Y) * to.stride + static_cast<ptrdiff_t>(l) * (to.bits / 8);
            const unsigned char* s = from.top + static_cast<ptrdiff_t>(Y + shiftY) * from.stride +
                                     static_cast<ptrdiff_t>(l + shiftX) * (to.bits / 8);
            std::memmove(d, s, bytes);
        }
        return true;
    }

    if (from.top != to.top) {
        for (int Y = top; Y < bottom; ++Y) {
            const int sy = sourceRow(Y);
            if (sy < 0 || sy >= from.height)
                continue; // beyond the source's edge the destination keeps its pixels
            for (int X = left; X < right; ++X) {
                const int sx = sourceColumn(X);
                if (sx < 0 || sx >= from.width)
                    continue;
                const uint32_t value = convert(from.read(sx, sy));
                to.write(X, Y, applyRop(rop3, pattern, value, usesDest ? to.read(X, Y) : 0) & mask);
            }
        }
        return true;
    }
    // Within one bitmap the source values are read first, as the block may
    // overlap itself.
    const size_t columns = static_cast<size_t>(right - left);
    std::vector<uint32_t> values(columns * static_cast<size_t>(bottom - top));
    std::vector<bool> inside(values.size());
    for (int Y = top; Y < bottom; ++Y) {
        const int sy = sourceRow(Y);
        for (int X = left; X < right; ++X) {
            const int sx = sourceColumn(X);
            const size_t i = static_cast<size_t>(Y - top) * columns + static_cast<size_t>(X - left);
            inside[i] = sx >= 0 && sy >= 0 && sx < from.width && sy < from.height;
            if (inside[i])
                values[i] = convert(from.read(sx, sy));
        }
    }
    for (int Y = top; Y < bottom; ++Y) {
        for (int X = left; X < right; ++X) {
            const size_t i = static_cast<size_t>(Y - top) * columns + static_cast<size_t>(X - left);
            if (!inside[i])
                continue; // beyond the source's edge the destination keeps its pixels
            to.write(X, Y, applyRop(rop3, pattern, values[i], usesDest ? to.read(X, Y) : 0) & mask);
        }
    }
    return true;
}

} // namespace vtl

using namespace vtl;

BOOL BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
            DWORD rop)
{
    VTL_TRACE(gdi, "BitBlt", destHandle, x, y, width, height, sourceHandle, sourceX, sourceY, rop);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dest = liveDC(destHandle);
    DeviceContext* source = sourceHandle ? liveDC(sourceHandle) : nullptr;
    if (!dest || (sourceHandle && !source)) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (!transfer(*dest, x, y, width, height, source, sourceX, sourceY, width, height, rop))
        return vtlTraceCall_.result(FALSE);
    windowDrawn(*dest);
    return vtlTraceCall_.result(TRUE);
}

BOOL StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    VTL_TRACE(gdi, "StretchBlt", destHandle, x, y, width, height, sourceHandle, sourceX, sourceY, sourceWidth,
              sourceHeight, rop);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dest = liveDC(destHandle);
    DeviceContext* source = sourceHandle ? liveDC(sourceHandle) : nullptr;
    if (!dest || (sourceHandle && !source)) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (dest->stretchMode == HALFTONE || dest->stretchMode == BLACKONWHITE || dest->stretchMode == WHITEONBLACK) {
        if (width != sourceWidth || height != sourceHeight)
            VTL_UNSUPPORTED("StretchBlt's HALFTONE, BLACKONWHITE and WHITEONBLACK modes",
                            "every mode keeps the nearest source pixel, as COLORONCOLOR does");
    }
    if (!transfer(*dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop))
        return vtlTraceCall_.result(FALSE);
    windowDrawn(*dest);
    return vtlTraceCall_.result(TRUE);
}

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop)
{
    VTL_TRACE(gdi, "PatBlt", handle, x, y, width, height, rop);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (!transfer(*dc, x, y, width, height, nullptr, 0, 0, 0, 0, rop))
        return vtlTraceCall_.result(FALSE); // the operation reads a source
    return vtlTraceCall_.result(TRUE);
}

COLORREF GetPixel(HDC handle, int x, int y)
{
    VTL_TRACE(gdi, "GetPixel", handle, x, y);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc || !dc->space.drawable() || x < 0 || y < 0 || x >= dc->space.width || y >= dc->space.height)
        return vtlTraceCall_.result(CLR_INVALID);
    return vtlTraceCall_.result(dc->space.unpack(dc->space.read(x, y)));
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color)
{
    VTL_TRACE(gdi, "SetPixel", handle, x, y, color);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    if (!dc || !dc->space.drawable() || x < 0 || y < 0 || x >= dc->space.width || y >= dc->space.height)
        return vtlTraceCall_.result(CLR_INVALID);
    const uint32_t value = dc->space.pack(resolveColor(*dc, color));
    dc->space.write(x, y, value);
    return vtlTraceCall_.result(dc->space.unpack(value));
}

BOOL GdiFlush(void)
{
    return TRUE;
}
