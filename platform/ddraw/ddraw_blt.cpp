// Surface blits: colour fill, (stretched) copies clipped to the window a
// clipper is bound to, and BltFast's unclipped copies; either copy may leave
// out the source's key colour or keep to the destination's.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstring>
#include <vector>

using vtl::testing::ddraw::Op;

namespace {

bool inverted(const RECT& r) { return r.left > r.right || r.top > r.bottom; }
bool empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }
bool inside(const RECT& r, LONG w, LONG h) { return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h; }

RECT intersect(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (empty(r))
        r = RECT{0, 0, 0, 0};
    return r;
}

void storePixel(unsigned char* p, DWORD bytes, DWORD value)
{
    for (DWORD i = 0; i < bytes; ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * i));
}

DWORD loadPixel(const unsigned char* p, DWORD bytes)
{
    DWORD value = 0;
    for (DWORD i = 0; i < bytes; ++i)
        value |= DWORD{p[i]} << (8 * i);
    return value;
}

// A key compares with a pixel's own bits only.
DWORD pixelBits(DWORD value, DWORD bits) { return bits >= 32 ? value : value & ((DWORD{1} << bits) - 1); }

} // namespace

// The keys a copy honours, as pixel values of the surfaces' layout.
struct vtl::DDSurface::Keying {
    bool source = false;
    DWORD sourceKey = 0;
    bool dest = false;
    DWORD destKey = 0;
};

HRESULT vtl::DDSurface::Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                            LPDDBLTFX fx)
{
    VTL_TRACE(frame, "IDirectDrawSurface::Blt", this, vtl::trace::Rect{destRect}, source, vtl::trace::Rect{sourceRect},
              flags, fx);
    if (HRESULT r = testing::ddraw::intercept(Op::Blt, flags))
        return vtlTraceCall_.result(r);
    if (lost())
        return vtlTraceCall_.result(DDERR_SURFACELOST);
    if (busy())
        return vtlTraceCall_.result(DDERR_SURFACEBUSY);
    const RECT dest = destRect ? *destRect : RECT{0, 0, width_, height_};
    if (inverted(dest))
        return vtlTraceCall_.result(DDERR_INVALIDRECT);

    // With a clipper what falls outside the surface or the window is simply
    // not drawn; without one the rectangle must lie on the surface.
    RECT visible = dest;
    if (clipper_) {
        visible = intersect(dest, RECT{0, 0, width_, height_});
        RECT client{};
        if (windowClip(&client))
            visible = intersect(visible, client);
    } else if (empty(dest) || !inside(dest, width_, height_)) {
        return vtlTraceCall_.result(DDERR_INVALIDRECT);
    }

    if (flags & DDBLT_COLORFILL) {
        if (!fx || fx->dwSize != sizeof(DDBLTFX))
            return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
        if (HRESULT r = fill(visible, fx->dwFillColor))
            return vtlTraceCall_.result(r);
        ++uniqueness_;
        present();
        return vtlTraceCall_.result(DD_OK);
    }

    if (!source)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    DDSurface& from = *static_cast<DDSurface*>(source);
    // A keyed blit needs the key it names: the surface's own, or fx's.
    Keying keying;
    if (flags & (DDBLT_KEYSRCOVERRIDE | DDBLT_KEYDESTOVERRIDE)) {
        if (!fx || fx->dwSize != sizeof(DDBLTFX))
            return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    }
    if (flags & DDBLT_KEYSRCOVERRIDE) {
        keying.source = true;
        keying.sourceKey = fx->ddckSrcColorkey.dwColorSpaceLowValue;
    } else if (flags & DDBLT_KEYSRC) {
        if (!from.keys_.set[ColorKeys::SrcBlt])
            return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
        keying.source = true;
        keying.sourceKey = from.keys_.key[ColorKeys::SrcBlt].dwColorSpaceLowValue;
    }
    if (flags & DDBLT_KEYDESTOVERRIDE) {
        keying.dest = true;
        keying.destKey = fx->ddckDestColorkey.dwColorSpaceLowValue;
    } else if (flags & DDBLT_KEYDEST) {
        if (!keys_.set[ColorKeys::DestBlt])
            return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
        keying.dest = true;
        keying.destKey = keys_.key[ColorKeys::DestBlt].dwColorSpaceLowValue;
    }
    if (from.lost())
        return vtlTraceCall_.result(DDERR_SURFACELOST);
    if (&from != this && from.busy())
        return vtlTraceCall_.result(DDERR_SURFACEBUSY);
    if (from.layout_ != layout_)
        return vtlTraceCall_.result(DDERR_INVALIDPIXELFORMAT);
    const RECT sourceArea = sourceRect ? *sourceRect : RECT{0, 0, from.width_, from.height_};
    if (empty(sourceArea) || !inside(sourceArea, from.width_, from.height_))
        return vtlTraceCall_.result(DDERR_INVALIDRECT);
    if (!empty(visible)) {
        if (HRESULT r = copyFrom(from, sourceArea, dest, visible, keying))
            return vtlTraceCall_.result(r);
    }
    ++uniqueness_;
    present();
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, LPRECT sourceRect, DWORD trans)
{
    VTL_TRACE(frame, "IDirectDrawSurface::BltFast", this, static_cast<int>(x), static_cast<int>(y), source,
              vtl::trace::Rect{sourceRect}, trans);
    if (!source)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    // BltFast does not clip: a surface with a clipper takes Blt.
    if (clipper_)
        return vtlTraceCall_.result(DDERR_BLTFASTCANTCLIP);
    DDSurface& from = *static_cast<DDSurface*>(source);
    if (lost() || from.lost())
        return vtlTraceCall_.result(DDERR_SURFACELOST);
    if (busy() || (&from != this && from.busy()))
        return vtlTraceCall_.result(DDERR_SURFACEBUSY);
    if (from.layout_ != layout_)
        return vtlTraceCall_.result(DDERR_INVALIDPIXELFORMAT);
    // Both rectangles must lie on their surfaces: nothing is cut to fit.
    const RECT sourceArea = sourceRect ? *sourceRect : RECT{0, 0, from.width_, from.height_};
    if (empty(sourceArea) || !inside(sourceArea, from.width_, from.height_))
        return vtlTraceCall_.result(DDERR_INVALIDRECT);
    const LONG w = sourceArea.right - sourceArea.left;
    const LONG h = sourceArea.bottom - sourceArea.top;
    if (uint64_t{x} + static_cast<uint64_t>(w) > static_cast<uint64_t>(width_) ||
        uint64_t{y} + static_cast<uint64_t>(h) > static_cast<uint64_t>(height_))
        return vtlTraceCall_.result(DDERR_INVALIDRECT);
    // A key the surface does not have leaves that side unkeyed.
    Keying keying;
    if ((trans & DDBLTFAST_SRCCOLORKEY) && from.keys_.set[ColorKeys::SrcBlt]) {
        keying.source = true;
        keying.sourceKey = from.keys_.key[ColorKeys::SrcBlt].dwColorSpaceLowValue;
    }
    if ((trans & DDBLTFAST_DESTCOLORKEY) && keys_.set[ColorKeys::DestBlt]) {
        keying.dest = true;
        keying.destKey = keys_.key[ColorKeys::DestBlt].dwColorSpaceLowValue;
    }
    const RECT dest{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x) + w, static_cast<LONG>(y) + h};
    if (HRESULT r = copyFrom(from, sourceArea, dest, dest, keying))
        return vtlTraceCall_.result(r);
    ++uniqueness_;
    present();
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::fill(const RECT& area, DWORD color)
{
    if (empty(area))
        return DD_OK;
    const DWORD bytes = layout_.bytes();
    const size_t rowBytes = static_cast<size_t>(area.right - area.left) * bytes;
    unsigned char* first = pixels_.get() + static_cast<size_t>(area.top) * pitch_ + area.left * bytes;
    for (LONG x = 0; x < area.right - area.left; ++x)
        storePixel(first + x * bytes, bytes, color);
    for (LONG y = area.top + 1; y < area.bottom; ++y)
        std::memcpy(first + static_cast<size_t>(y - area.top) * pitch_, first, rowBytes);
    return DD_OK;
}

HRESULT vtl::DDSurface::copyFrom(DDSurface& source, const RECT& from, const RECT& to, const RECT& visible,
                                 const Keying& keying)
{
    const DWORD bytes = layout_.bytes();
    const LONG fromW = from.right - from.left, fromH = from.bottom - from.top;
    const LONG toW = to.right - to.left, toH = to.bottom - to.top;

    // A blit within one surface reads a copy, so overlapping areas come out
    // as if copied in one step.
    const unsigned char* srcBase = source.pixels_.get();
    LONG srcPitch = source.pitch_;
    std::vector<unsigned char> copy;
    if (&source == this) {
        try {
            copy.assign(srcBase, srcBase + static_cast<size_t>(pitch_) * height_);
        } catch (...) {
            return DDERR_OUTOFMEMORY;
        }
        srcBase = copy.data();
    }

    const size_t rowBytes = static_cast<size_t>(visible.right - visible.left) * bytes;
    const bool keyed = keying.source || keying.dest;
    const DWORD sourceKey = pixelBits(keying.sourceKey, layout_.bits);
    const DWORD destKey = pixelBits(keying.destKey, layout_.bits);
    for (LONG y = visible.top; y < visible.bottom; ++y) {
        const LONG sy = from.top + static_cast<LONG>(int64_t{y - to.top} * fromH / toH);
        const unsigned char* srcRow = srcBase + static_cast<size_t>(sy) * srcPitch;
        unsigned char* dst = pixels_.get() + static_cast<size_t>(y) * pitch_ + visible.left * bytes;
        if (keyed) {
            for (LONG x = visible.left; x < visible.right; ++x, dst += bytes) {
                const LONG sx = from.left + static_cast<LONG>(int64_t{x - to.left} * fromW / toW);
                const unsigned char* src = srcRow + sx * bytes;
                if (keying.source && loadPixel(src, bytes) == sourceKey)
                    continue;
                if (keying.dest && loadPixel(dst, bytes) != destKey)
                    continue;
                std::memcpy(dst, src, bytes);
            }
            continue;
        }
        if (fromW == toW) {
            std::memcpy(dst, srcRow + (from.left + visible.left - to.left) * bytes, rowBytes);
            continue;
        }
        for (LONG x = visible.left; x < visible.right; ++x, dst += bytes) {
            const LONG sx = from.left + static_cast<LONG>(int64_t{x - to.left} * fromW / toW);
            std::memcpy(dst, srcRow + sx * bytes, bytes);
        }
    }
    return DD_OK;
}
