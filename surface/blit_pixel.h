// Per-pixel effect formulas read straight from the effect tables.  Every blit
// path (plain C and vector) ends a row with these, and the plain path uses
// nothing else, so they are the single definition of what a pixel becomes.
#ifndef VANTREL_SURFACE_BLIT_PIXEL_H
#define VANTREL_SURFACE_BLIT_PIXEL_H

#include <vantrel/pixelformat.h>

#include <cstdint>
#include <cstring>

namespace vtl {

// 16-bit pixel p faded to level k (0 black, 255 unchanged).
inline uint16_t fade16(uint16_t p, unsigned k)
{
    return static_cast<uint16_t>(FadeLo[k][p & 0xFF] + FadeHi[k][p >> 8]);
}

// The same pixel faded to level 255 - k, from the complement tables.
inline uint16_t complement16(uint16_t p, unsigned k)
{
    return static_cast<uint16_t>(FadeLoRev[k][p & 0xFF] + FadeHiRev[k][p >> 8]);
}

// 8-bit 3-3-2 index (or any byte of a deeper pixel) faded to level k, and to
// level 255 - k.
inline uint8_t fade8(uint8_t c, unsigned k) { return Fade8[k][c]; }
inline uint8_t complement8(uint8_t c, unsigned k) { return Fade8Rev[k][c]; }

// A colour byte of a 24- or 32-bit pixel scaled by k / 255, and by
// (255 - k) / 255, rounded down.
inline uint8_t scaleByte(uint8_t v, unsigned k) { return Scale8[k][v]; }
inline uint8_t complementByte(uint8_t v, unsigned k) { return Scale8Rev[k][v]; }

// Average of two pixels field by field, each rounded down before the add, so
// no field carries into the next.  `mask` already has the top bit of each
// field cleared; a 32-bit word may hold two 16-bit or four 8-bit pixels.
inline uint32_t halfSum(uint32_t a, uint32_t b, uint32_t mask) { return ((a >> 1) & mask) + ((b >> 1) & mask); }

// The second weight of the 16-bit blends: the two weights add up to 256, and
// level 0 keeps the second operand whole.
inline unsigned complementLevel(unsigned k) { return k == 0 ? 255u : 256u - k; }

inline uint16_t load16(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline void store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

inline uint32_t load32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

} // namespace vtl

#endif
