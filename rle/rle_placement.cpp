// Where an RLE image lands on a surface and which part of it is visible.
#include "rle/rle_walk.h"

namespace vtl {

bool placeRleImage(const BITPLANEFX& surface, const RLEFX& image, POINT point, long left, long top,
                   long w, long h, int64_t rejectW, int64_t rejectH, int bytes, RlePlacement& out)
{
    if (!surface.pixels || !image.runs || image.width <= 0 || image.height <= 0 || bytes <= 0)
        return false;
    const int64_t ox = int64_t{point.x} - left;
    const int64_t oy = int64_t{point.y} - top;
    if (ox <= -rejectW || oy <= -rejectH || ox >= w || oy >= h)
        return false;

    // The visible rectangle, kept inside the surface as well.
    int64_t visLeft = left, visTop = top, visRight = int64_t{left} + w, visBottom = int64_t{top} + h;
    if (visLeft < 0)
        visLeft = 0;
    if (visTop < 0)
        visTop = 0;
    if (visRight > surface.width)
        visRight = surface.width;
    if (visBottom > surface.height)
        visBottom = surface.height;

    auto clampRange = [](int64_t lo, int64_t hi, int64_t size, int& first, int& end) {
        // lo/hi: the visible range in image coordinates.
        if (lo < 0)
            lo = 0;
        if (hi > size)
            hi = size;
        if (lo >= hi)
            return false;
        first = static_cast<int>(lo);
        end = static_cast<int>(hi);
        return true;
    };
    if (!clampRange(visLeft - point.x, visRight - point.x, image.width, out.firstCol, out.endCol) ||
        !clampRange(visTop - point.y, visBottom - point.y, image.height, out.firstRow, out.endRow))
        return false;

    out.runs = image.runs;
    out.pitch = static_cast<long>(surface.pitch);
    out.width = image.width;
    out.height = image.height;
    out.dst = surface.pixels + (int64_t{point.y} + out.firstRow) * out.pitch +
              (int64_t{point.x} + out.firstCol) * bytes;
    return true;
}

} // namespace vtl
