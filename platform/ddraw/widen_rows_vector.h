// The vector kernels of widen_rows.h, written once with the compiler's vector
// extensions and compiled for each instruction set by the file that includes
// this one: it defines VTL_VEC_BYTES (16 or 32) and VTL_VEC_ISA (a target
// string such as "avx2") first.  Everything here has internal linkage, so
// code built for one instruction set never stands in for another's.
//
// Each field is widened in a 16-bit lane, as the table does it: a 5-bit
// field v becomes v << 3 | v >> 2, a 6-bit one v << 2 | v >> 4.  Green and
// the low-order field make the low half of each output pixel, the high-order
// field the high half; interleaving the two vectors of halves gives the
// pixels.  The last pixels of a row (fewer than a vector) use the same
// arithmetic one at a time.
#ifndef VTL_VEC_BYTES
#error "define VTL_VEC_BYTES and VTL_VEC_ISA before including this file"
#endif

#include "platform/ddraw/widen_rows.h"

namespace vtl {
namespace {

#define VTL_WIDEN_FN static inline __attribute__((target(VTL_VEC_ISA), always_inline))

typedef uint16_t V16 __attribute__((vector_size(VTL_VEC_BYTES)));
constexpr unsigned kLanes = VTL_VEC_BYTES / 2;

// Field positions of one layout: the high-order field at bit 11 (5-6-5) or
// 10 (5-5-5), green above the low-order field at bit 0.  Bgr: the high-order
// field is blue, so it goes to the low byte of the output.
template <unsigned GreenBits, bool Bgr>
struct Layout16 {
    static constexpr unsigned kHighShift = 5 + GreenBits;
    static constexpr uint16_t kGreenMax = (1u << GreenBits) - 1;

    template <class T>
    VTL_WIDEN_FN T five(T v)
    {
        return (v << 3) | (v >> 2);
    }
    template <class T>
    VTL_WIDEN_FN T green(T v)
    {
        return GreenBits == 6 ? (v << 2) | (v >> 4) : (v << 3) | (v >> 2);
    }

    // One pixel's two halves: lo = green << 8 | the byte-0 colour, hi = the
    // byte-2 colour.
    template <class T>
    VTL_WIDEN_FN void halves(T p, T& lo, T& hi)
    {
        const T high = five<T>((p >> kHighShift) & 0x1F);
        const T g = green<T>((p >> 5) & kGreenMax);
        const T low = five<T>(p & 0x1F);
        lo = (g << 8) | (Bgr ? high : low);
        hi = Bgr ? low : high;
    }
};

template <class L>
__attribute__((target(VTL_VEC_ISA))) void widenRow(uint32_t* dst, const uint8_t* src, unsigned n)
{
    unsigned i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        V16 p;
        __builtin_memcpy(&p, src + 2 * i, sizeof p);
        V16 lo, hi;
        L::template halves<V16>(p, lo, hi);
#if VTL_VEC_BYTES == 16
        const V16 first = __builtin_shufflevector(lo, hi, 0, 8, 1, 9, 2, 10, 3, 11);
        const V16 second = __builtin_shufflevector(lo, hi, 4, 12, 5, 13, 6, 14, 7, 15);
#else
        const V16 first = __builtin_shufflevector(lo, hi, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
        const V16 second =
            __builtin_shufflevector(lo, hi, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
#endif
        __builtin_memcpy(dst + i, &first, sizeof first);
        __builtin_memcpy(dst + i + kLanes / 2, &second, sizeof second);
    }
    for (; i < n; ++i) {
        uint32_t lo, hi;
        L::template halves<uint32_t>(static_cast<uint32_t>(src[2 * i] | src[2 * i + 1] << 8), lo, hi);
        dst[i] = hi << 16 | lo;
    }
}

WidenKernels makeWidenKernels()
{
    return WidenKernels{widenRow<Layout16<6, false>>, widenRow<Layout16<6, true>>, widenRow<Layout16<5, false>>,
                        widenRow<Layout16<5, true>>};
}

#undef VTL_WIDEN_FN

} // namespace
} // namespace vtl
