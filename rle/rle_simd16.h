// SSE2 bodies for opaque runs: the copy, and the halving effects eight
// 16-bit pixels (or sixteen bytes) at a time.  The fading effects stay on
// the lookup tables, which measure ahead of SDL's alpha blits already.  Each returns how many pixels it
// handled; the caller finishes the rest with the scalar code, so a build
// without SSE2 simply handles none here.
#ifndef VANTREL_RLE_RLE_SIMD16_H
#define VANTREL_RLE_RLE_SIMD16_H

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vtl {
namespace simd16 {

#if defined(__SSE2__)

inline __m128i loadu(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void storeu(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Copies whole 16-byte blocks and then the last 16 bytes of the range
// (overlapping what was copied), for ranges of at least 16 bytes.
inline size_t copy(uint8_t* d, const uint8_t* s, size_t bytes)
{
    if (bytes < 16)
        return 0;
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16)
        storeu(d + i, loadu(s + i));
    if (i < bytes)
        storeu(d + bytes - 16, loadu(s + bytes - 16));
    return bytes;
}

// d = ((s >> 1) & m) + ((d >> 1) & m) per 16-bit pixel.
inline int halfMix(uint8_t* d, const uint8_t* s, int n, unsigned m)
{
    const __m128i mask = _mm_set1_epi16(static_cast<short>(m));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i a = _mm_and_si128(_mm_srli_epi16(loadu(s + 2 * i), 1), mask);
        const __m128i b = _mm_and_si128(_mm_srli_epi16(loadu(d + 2 * i), 1), mask);
        storeu(d + 2 * i, _mm_add_epi16(a, b));
    }
    return i;
}

// d = (s >> 1) + (d >> 1) per byte.
inline int halfMixBytes(uint8_t* d, const uint8_t* s, int bytes)
{
    const __m128i mask = _mm_set1_epi8(0x7F);
    int i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i a = _mm_and_si128(_mm_srli_epi16(loadu(s + i), 1), mask);
        const __m128i b = _mm_and_si128(_mm_srli_epi16(loadu(d + i), 1), mask);
        storeu(d + i, _mm_add_epi8(a, b));
    }
    return i;
}

// d = (d >> 1) & m per 16-bit pixel.
inline int halve(uint8_t* d, int n, unsigned m)
{
    const __m128i mask = _mm_set1_epi16(static_cast<short>(m));
    int i = 0;
    for (; i + 8 <= n; i += 8)
        storeu(d + 2 * i, _mm_and_si128(_mm_srli_epi16(loadu(d + 2 * i), 1), mask));
    return i;
}

#else

inline size_t copy(uint8_t*, const uint8_t*, size_t) { return 0; }
inline int halfMix(uint8_t*, const uint8_t*, int, unsigned) { return 0; }
inline int halfMixBytes(uint8_t*, const uint8_t*, int) { return 0; }
inline int halve(uint8_t*, int, unsigned) { return 0; }

#endif

} // namespace simd16
} // namespace vtl

#endif
