// The vector pixel vocabulary shared by every vector blitter (surface rows,
// RLE runs, lookup images, quadrant blends): lanes of 16 bits, loads and
// stores at any alignment, and the fade of each pixel layout.  Included by a
// file compiled for one instruction set, after it has defined VTL_VEC_BYTES
// (16 or 32) and VTL_VEC_ISA (a target string such as "avx2"); everything
// here has internal linkage, so code built for one instruction set never
// stands in for another's.
//
// The effect tables hold, per colour field, floor(field x level / 255) with
// the field scaled in place.  A field is split at the byte boundary exactly
// as the tables split it (green of a 16-bit pixel is faded as two parts), and
// each part is computed as div255(part x level) in a 16-bit lane, so the
// results are the tables' results bit for bit.  The bytes of 24- and 32-bit
// pixels are faded the same way, one byte per lane.
#ifndef VTL_VEC_BYTES
#error "define VTL_VEC_BYTES and VTL_VEC_ISA before including this file"
#endif

#ifndef VANTREL_SURFACE_PIXEL_VECTOR_H
#define VANTREL_SURFACE_PIXEL_VECTOR_H

#include <cstdint>

#ifndef VTL_VEC_FN
#define VTL_VEC_FN static inline __attribute__((target(VTL_VEC_ISA), always_inline))
#endif

namespace vtl {
namespace {

typedef uint16_t V16 __attribute__((vector_size(VTL_VEC_BYTES)));
typedef uint8_t A8 __attribute__((vector_size(VTL_VEC_BYTES / 2)));
constexpr unsigned kLanes = VTL_VEC_BYTES / 2;

VTL_VEC_FN V16 loadV(const uint8_t* p)
{
    V16 v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

VTL_VEC_FN void storeV(uint8_t* p, V16 v) { __builtin_memcpy(p, &v, sizeof v); }

VTL_VEC_FN V16 splat(unsigned x)
{
    V16 v;
    for (unsigned i = 0; i < kLanes; ++i)
        v[i] = static_cast<uint16_t>(x);
    return v;
}

VTL_VEC_FN V16 select(V16 mask, V16 yes, V16 no) { return (yes & mask) | (no & ~mask); }

// floor(x / 255), exact for every x below 65535.
VTL_VEC_FN V16 div255(V16 x) { return (x + 1 + (x >> 8)) >> 8; }

// One part of a field: the bits of Mask, with the field's lowest bit at Shift.
template <uint16_t Mask, int Shift>
VTL_VEC_FN V16 fadePart(V16 p, V16 k)
{
    return div255(((p & Mask) >> Shift) * k) << Shift;
}

// Red and blue swap places between the two channel orders but the parts do
// not move, so one layout serves both orders.
struct Layout565 {
    VTL_VEC_FN V16 fade(V16 p, V16 k)
    {
        return fadePart<0x001F, 0>(p, k) + fadePart<0x00E0, 5>(p, k) + fadePart<0x0700, 5>(p, k) +
               fadePart<0xF800, 11>(p, k);
    }
};

struct Layout555 {
    VTL_VEC_FN V16 fade(V16 p, V16 k)
    {
        return fadePart<0x001F, 0>(p, k) + fadePart<0x00E0, 5>(p, k) + fadePart<0x0300, 5>(p, k) +
               fadePart<0x7C00, 10>(p, k);
    }
};

// A 3-3-2 index held in the low byte of a lane.
struct Layout332 {
    VTL_VEC_FN V16 fade(V16 p, V16 k)
    {
        return fadePart<0x03, 0>(p, k) + fadePart<0x1C, 2>(p, k) + fadePart<0xE0, 5>(p, k);
    }
};

// A byte of a 24- or 32-bit pixel (one per lane) faded to level k.
struct LayoutByte {
    VTL_VEC_FN V16 fade(V16 p, V16 k) { return div255(p * k); }
};

} // namespace
} // namespace vtl

#endif
