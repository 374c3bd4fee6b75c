// A plain RLE walker written straight from the run rules, pixel by pixel with
// a column counter, against which the library's blitters are compared; and
// helpers that make surfaces and random images.
#ifndef VANTREL_TESTS_RLE_REFERENCE_H
#define VANTREL_TESTS_RLE_REFERENCE_H

#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace rletest {

enum class Op { NoEffects, Normal, Half, Shadow, Fade, Blend, Color };

inline const Op kAllOps[] = {Op::NoEffects, Op::Normal, Op::Half, Op::Shadow, Op::Fade, Op::Blend, Op::Color};

inline uint32_t getPx(const uint8_t* p, int B)
{
    uint32_t v = 0;
    for (int i = 0; i < B; ++i)
        v |= uint32_t{p[i]} << (8 * i);
    return v;
}
inline void putPx(uint8_t* p, int B, uint32_t v)
{
    for (int i = 0; i < B; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint32_t lane(uint32_t v, int i) { return (v >> (8 * i)) & 0xFF; }

// The colour arithmetic, one whole pixel value at a time.  For 24 and 32
// bits only the three colour bytes are produced (the fourth is 0).
inline uint32_t fadeRef(int B, uint32_t p, unsigned k)
{
    if (B == 1)
        return Fade8[k][p];
    if (B == 2)
        return (FadeLo[k][p & 0xFF] + FadeHi[k][p >> 8]) & 0xFFFF;
    uint32_t r = 0;
    for (int i = 0; i < 3; ++i)
        r |= uint32_t{Scale8[k][lane(p, i)]} << (8 * i);
    return r;
}
inline uint32_t compRef(int B, uint32_t d, unsigned k)
{
    if (B == 1)
        return Fade8Rev[k][d];
    if (B == 2)
        return (FadeLoRev[k][d & 0xFF] + FadeHiRev[k][d >> 8]) & 0xFFFF;
    uint32_t r = 0;
    for (int i = 0; i < 3; ++i)
        r |= uint32_t{Scale8Rev[k][lane(d, i)]} << (8 * i);
    return r;
}
inline uint32_t halfRef(int B, uint32_t p, int lanes = 3)
{
    if (B == 1)
        return (p >> 1) & 0x6D;
    if (B == 2)
        return (p >> 1) & (HalfMask & 0xFFFF);
    uint32_t r = 0;
    for (int i = 0; i < lanes; ++i)
        r |= (lane(p, i) >> 1) << (8 * i);
    return r;
}
inline uint32_t addRef(int B, uint32_t x, uint32_t y, int lanes = 3)
{
    if (B == 1)
        return (x + y) & 0xFF;
    if (B == 2)
        return (x + y) & 0xFFFF;
    uint32_t r = 0;
    for (int i = 0; i < lanes; ++i)
        r |= ((lane(x, i) + lane(y, i)) & 0xFF) << (8 * i);
    return r;
}

struct OpArgs {
    unsigned level = 0;       // fade / blend level
    unsigned long color = 0;  // tint colour
    unsigned colorLevel = 0;  // tint level
};

// The new destination pixel.
inline uint32_t applyRef(Op op, const OpArgs& args, int B, bool isLevel, unsigned a, uint32_t p, uint32_t d)
{
    // 24/32-bit arithmetic gives three bytes; a 32-bit destination keeps its
    // fourth byte.
    auto keep4 = [&](uint32_t v) { return B == 4 ? (v & 0xFFFFFF) | (d & 0xFF000000u) : v; };
    const uint32_t cmask = B == 1 ? 0xFF : B == 2 ? 0xFFFF : 0xFFFFFF;
    switch (op) {
    case Op::NoEffects: return p;
    case Op::Normal: return isLevel ? keep4(addRef(B, p, compRef(B, d, a))) : p;
    case Op::Half:
        if (!isLevel)
            return addRef(B, halfRef(B, p, 4), halfRef(B, d, 4), 4);
        return keep4(addRef(B, halfRef(B, p), compRef(B, d, a >> 1)));
    case Op::Shadow: return keep4(isLevel ? compRef(B, d, a >> 1) : halfRef(B, d));
    case Op::Fade:
        return keep4(isLevel ? addRef(B, fadeRef(B, p, args.level), compRef(B, d, args.level))
                             : fadeRef(B, p, args.level));
    case Op::Blend: {
        const unsigned k = (isLevel && B != 1) ? Scale8[args.level][a] : args.level;
        return keep4(addRef(B, fadeRef(B, p, args.level), compRef(B, d, k)));
    }
    case Op::Color: {
        const uint32_t t = fadeRef(B, static_cast<uint32_t>(args.color) & cmask, args.colorLevel);
        if (!isLevel)
            return keep4(addRef(B, t, compRef(B, d, args.colorLevel)));
        const unsigned k = Scale8[args.colorLevel][a];
        return keep4(addRef(B, fadeRef(B, t, k), compRef(B, d, k)));
    }
    }
    return d;
}

// Draws like the run walk describes: visible area [left, left + w) x
// [top, top + h); rejection by (rejectW, rejectH).
inline void drawRef(BITPLANEFX& s, const RLEFX& img, long x, long y, long left, long top, long w, long h,
                    long long rejectW, long long rejectH, int B, Op op, const OpArgs& args)
{
    if (!s.pixels || !img.runs)
        return;
    const long long ox = x - left, oy = y - top;
    if (ox <= -rejectW || oy <= -rejectH || ox >= w || oy >= h)
        return;
    const long long firstCol = ox < 0 ? -ox : 0, endCol = std::min<long long>(img.width, w - ox);
    const long long firstRow = oy < 0 ? -oy : 0, endRow = std::min<long long>(img.height, h - oy);
    const uint8_t* src = img.runs;
    for (long long r = 0; r < endRow; ++r) {
        long long col = 0;
        for (;;) {
            const unsigned word = src[0] | (src[1] << 8);
            src += 2;
            if (word == 0)
                break;
            const unsigned n = word & 0x3FFF;
            const bool isLevel = (word & 0x4000) != 0;
            const bool skip = !isLevel && (word & 0x8000);
            for (unsigned i = 0; i < n; ++i, ++col) {
                unsigned a = 0;
                if (isLevel)
                    a = *src++;
                const uint8_t* pixel = src;
                if (!skip)
                    src += B;
                if (r < firstRow || skip || col < firstCol || col >= endCol)
                    continue;
                uint8_t* dst = s.pixels + (y + r) * static_cast<long long>(s.pitch) + (x + col) * B;
                putPx(dst, B, applyRef(op, args, B, isLevel, a, getPx(pixel, B), getPx(dst, B)));
            }
        }
    }
}

inline void drawRefInClip(BITPLANEFX& s, const RLEFX& img, POINT pt, int B, Op op, const OpArgs& args)
{
    drawRef(s, img, pt.x, pt.y, s.clipX, s.clipY, s.clipWidth, s.clipHeight, img.width, img.height, B, op, args);
}

// The library call for an operation.
inline void drawLib(BITPLANEFX& s, RLEFX* img, POINT pt, Op op, const OpArgs& args)
{
    switch (op) {
    case Op::NoEffects: s.BltNoEffects(img, pt); break;
    case Op::Normal: s.Blt(img, pt); break;
    case Op::Half: s.Blt50(img, pt); break;
    case Op::Shadow: s.ShadowBlt(img, pt); break;
    case Op::Fade: s.FadeBlt(img, pt, static_cast<unsigned char>(args.level)); break;
    case Op::Blend: s.BlendBlt(img, pt, static_cast<unsigned char>(args.level)); break;
    case Op::Color: s.ColorBlt(img, pt, args.color, static_cast<unsigned char>(args.colorLevel)); break;
    }
}

// A zero-filled surface of the given depth and size.
struct Surface {
    BITPLANEFX s{};
    Surface(int bits, unsigned char format, int w, int h)
    {
        s.bitsPerPixel = static_cast<unsigned char>(bits);
        s.bytesPerPixel = static_cast<unsigned char>(bits / 8);
        s.format = format;
        s.create(w, h, false);
    }
    ~Surface() { s.release(); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    size_t bytes() const { return size_t{s.pitch} * static_cast<size_t>(s.height); }
    std::vector<uint8_t> snapshot() const { return {s.pixels, s.pixels + bytes()}; }
    void restore(const std::vector<uint8_t>& v) { std::memcpy(s.pixels, v.data(), v.size()); }
    uint32_t at(int x, int y) const { return getPx(s.pixels + y * s.pitch + x * s.bytesPerPixel, s.bytesPerPixel); }
};

// An image whose runs are given as bytes.
struct Image {
    RLEFX img{};
    explicit Image(const std::vector<uint8_t>& runs, int w, int h)
    {
        img.create(w, h, static_cast<unsigned long>(runs.size() + 2));
        if (!runs.empty())
            std::memcpy(img.runs, runs.data(), runs.size());
    }
    Image() = default;
    ~Image() { img.release(); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
};

inline void putWord(std::vector<uint8_t>& v, unsigned w)
{
    v.push_back(static_cast<uint8_t>(w));
    v.push_back(static_cast<uint8_t>(w >> 8));
}

// Random runs for pixels of B bytes: short and long runs of every kind,
// rows that end early, and now and then a word with both kind bits (a level
// run to the blitters).
inline std::vector<uint8_t> randomRuns(std::mt19937& rng, int B, int w, int h)
{
    std::vector<uint8_t> v;
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int r = 0; r < h; ++r) {
        int col = 0;
        const int end = pick(0, 5) == 0 ? pick(0, w) : w;
        while (col < end) {
            int n = pick(0, 3) == 0 ? pick(1, end - col) : pick(1, std::min(20, end - col));
            const int kind = pick(0, 2);
            if (kind == 0) {
                putWord(v, 0x8000u | n);
            } else if (kind == 1) {
                putWord(v, (pick(0, 15) == 0 ? 0xC000u : 0x4000u) | n);
                for (int i = 0; i < n; ++i) {
                    const int pickLevel = pick(0, 3);
                    v.push_back(static_cast<uint8_t>(pickLevel == 0 ? 0 : pickLevel == 1 ? 255 : pick(0, 255)));
                    for (int b = 0; b < B; ++b)
                        v.push_back(static_cast<uint8_t>(pick(0, 255)));
                }
            } else {
                putWord(v, static_cast<unsigned>(n));
                for (int i = 0; i < n * B; ++i)
                    v.push_back(static_cast<uint8_t>(pick(0, 255)));
            }
            col += n;
        }
        putWord(v, 0);
    }
    return v;
}

inline void fillRandom(std::mt19937& rng, std::vector<uint8_t>& v)
{
    for (auto& b : v)
        b = static_cast<uint8_t>(rng());
}

} // namespace rletest

#endif
