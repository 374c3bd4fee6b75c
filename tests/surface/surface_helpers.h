// Surfaces of a given display format for the drawing tests.
#ifndef VANTREL_TESTS_SURFACE_HELPERS_H
#define VANTREL_TESTS_SURFACE_HELPERS_H

#include <vantrel/bitplanefx.h>
#include <vantrel/pixelformat.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/formats.h"

// Builds the effect tables for a display format and returns it.
inline VTLPixelFormat useFormat(const DisplayFormat& f)
{
    VTLPixelFormat pf{};
    EXPECT_TRUE(VTLBuildEffectTables(f.bits, f.red, f.green, f.blue, &pf));
    return pf;
}

inline VTLPixelFormat useFormat(const char* name)
{
    for (const DisplayFormat& f : kDisplayFormats)
        if (std::strcmp(f.name, name) == 0)
            return useFormat(f);
    ADD_FAILURE() << "no format " << name;
    return {};
}

// A BITPLANEFX set up the way the registry sets one up, released at the end.
struct Surface : BITPLANEFX {
    Surface(const VTLPixelFormat& f, int w, int h, bool withAlpha = false)
    {
        std::memset(static_cast<BITPLANEFX*>(this), 0, sizeof(BITPLANEFX));
        format = f.formatCode;
        bitsPerPixel = f.bitsPerPixel;
        bytesPerPixel = f.bytesPerPixel;
        EXPECT_TRUE(create(w, h, withAlpha));
    }
    Surface(const Surface&) = delete;
    ~Surface() { release(); }

    uint8_t* at(int x, int y) const { return pixels + y * pitch + x * bytesPerPixel; }

    uint32_t get(int x, int y) const
    {
        uint32_t v = 0;
        std::memcpy(&v, at(x, y), bytesPerPixel);
        return v;
    }

    void set(int x, int y, uint32_t v) { std::memcpy(at(x, y), &v, bytesPerPixel); }

    void fill(uint32_t v)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                set(x, y, v);
    }

    // Each pixel (x, y) set to x | y << 8, so a copied pixel tells where it
    // came from.
    void markPositions()
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                set(x, y, static_cast<uint32_t>(x | y << 8));
    }

    void randomize(std::mt19937& rng)
    {
        for (DWORD i = 0; i < pitch * static_cast<DWORD>(height); ++i)
            pixels[i] = static_cast<uint8_t>(rng());
        if (alpha)
            for (int i = 0; i < width * height; ++i)
                alpha[i] = static_cast<uint8_t>(rng());
    }
};

// Tests on 5-6-5 surfaces, with the tables built for them.
class Rgb565Test : public ::testing::Test {
protected:
    VTLPixelFormat f = useFormat("rgb565");
};

inline tagRECT rectOf(LONG l, LONG t, LONG r, LONG b) { return tagRECT{l, t, r, b}; }

inline bool sameRect(const tagRECT& a, const tagRECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& os, const tagRECT& r)
{
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

#endif
