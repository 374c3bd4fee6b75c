#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include <vantrel/seam/window_backend.h>
#include "support/formats.h"

namespace {

VTLPixelFormat formatFor(const DisplayFormat& f)
{
    VTLPixelFormat out;
    EXPECT_TRUE(VTLBuildEffectTables(f.bits, f.red, f.green, f.blue, &out));
    return out;
}

// A surface of one format with guard bytes around it, so that drawing
// outside the rows is caught.
struct Canvas {
    static constexpr int kGuard = 64;
    int width, height;
    DWORD pitch;
    VTLPixelFormat format;
    std::vector<unsigned char> memory;
    HDC dc = nullptr;

    Canvas(const VTLPixelFormat& f, int w, int h, unsigned long fill)
        : width(w), height(h), pitch(static_cast<DWORD>(w * f.bytesPerPixel + 3) & ~3u), format(f),
          memory(static_cast<size_t>(pitch) * h + 2 * kGuard, 0xA5)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, fill);
        dc = vtl::createMemoryDC(pixels(), pitch, w, h, f);
    }
    ~Canvas() { vtl::destroyMemoryDC(dc); }

    unsigned char* pixels() { return memory.data() + kGuard; }
    unsigned char* at(int x, int y) { return pixels() + static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * format.bytesPerPixel; }
    unsigned long get(int x, int y)
    {
        unsigned long v = 0;
        for (int i = 0; i < format.bytesPerPixel; ++i)
            v |= static_cast<unsigned long>(at(x, y)[i]) << (8 * i);
        return v;
    }
    void set(int x, int y, unsigned long v)
    {
        for (int i = 0; i < format.bytesPerPixel; ++i)
            at(x, y)[i] = static_cast<unsigned char>(v >> (8 * i));
    }
    bool guardsIntact() const
    {
        for (int i = 0; i < kGuard; ++i) {
            if (memory[i] != 0xA5 || memory[memory.size() - 1 - i] != 0xA5)
                return false;
        }
        return true;
    }
};

class TextInFormat : public testing::TestWithParam<DisplayFormat> {};

} // namespace

TEST_P(TextInFormat, DrawsAntiAliasedTextOfTheRightColourInsideItsExtent)
{
    VTLPixelFormat f = formatFor(GetParam());
    unsigned long black = VTLPackColor(f.bitsPerPixel, f.formatCode, 0, 0, 0);
    unsigned long red = VTLPackColor(f.bitsPerPixel, f.formatCode, 255, 0, 0);
    Canvas canvas(f, 160, 48, black);
    ASSERT_NE(canvas.dc, nullptr);
    HFONT font = CreateFontA(24, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                             "DejaVu Sans");
    ASSERT_NE(font, nullptr);
    SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, "Hello", 5, &extent));
    EXPECT_EQ(extent.cy, 24);
    EXPECT_GT(extent.cx, 30);
    EXPECT_LT(extent.cx, 90);
    ASSERT_TRUE(TextOutA(canvas.dc, 10, 8, "Hello", 5));

    int minX = 1000, minY = 1000, maxX = -1, maxY = -1, full = 0, partial = 0;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            unsigned long p = canvas.get(x, y);
            if (p == black)
                continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            unsigned char r, g, b;
            ASSERT_TRUE(VTLUnpackColor(f.bitsPerPixel, f.formatCode, p, &r, &g, &b));
            EXPECT_EQ(g, 0);
            EXPECT_EQ(b, 0);
            if (p == red)
                ++full;
            else
                ++partial;
        }
    }
    ASSERT_GE(maxX, 0) << "nothing drawn";
    EXPECT_GE(minX, 10);
    EXPECT_LT(maxX, 10 + extent.cx);
    EXPECT_GE(minY, 8);
    EXPECT_LT(maxY, 8 + extent.cy);
    EXPECT_LE(minY, 8 + 8); // the capital H reaches near the top of the cell
    EXPECT_GT(full, 20);
    EXPECT_GT(partial, 5); // anti-aliased edges
    EXPECT_TRUE(canvas.guardsIntact());
    DeleteObject(font);
}

TEST_P(TextInFormat, OpaqueBackgroundFillsTheExtentAndClippingStaysInside)
{
    VTLPixelFormat f = formatFor(GetParam());
    unsigned long black = VTLPackColor(f.bitsPerPixel, f.formatCode, 0, 0, 0);
    unsigned long blue = VTLPackColor(f.bitsPerPixel, f.formatCode, 0, 0, 255);
    Canvas canvas(f, 64, 20, black);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, "i", 1, &extent));
    ASSERT_TRUE(TextOutA(canvas.dc, 2, 1, "i", 1));
    EXPECT_EQ(canvas.get(2, 1), blue);
    EXPECT_EQ(canvas.get(0, 0), black);
    EXPECT_EQ(canvas.get(2 + extent.cx, 1), black);
    // Text hanging off every edge.
    EXPECT_TRUE(TextOutA(canvas.dc, -30, -10, "Clipped text", 12));
    EXPECT_TRUE(TextOutA(canvas.dc, 50, 12, "Clipped text", 12));
    EXPECT_TRUE(canvas.guardsIntact());
}

INSTANTIATE_TEST_SUITE_P(AllFormats, TextInFormat, testing::ValuesIn(kDisplayFormats), formatName);

TEST(Text, ExtentsAddUpAndBoldIsWider)
{
    HDC screen = GetDC(nullptr);
    HFONT regular = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
    HFONT bold = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
    SIZE a, b, ab, thin, wide, empty, heavy;
    SelectObject(screen, regular);
    GetTextExtentPointA(screen, "a", 1, &a);
    GetTextExtentPointA(screen, "b", 1, &b);
    GetTextExtentPointA(screen, "ab", 2, &ab);
    GetTextExtentPointA(screen, "iiii", 4, &thin);
    GetTextExtentPointA(screen, "WWWW", 4, &wide);
    GetTextExtentPointA(screen, "", 0, &empty);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_LT(thin.cx * 2, wide.cx);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, a.cy);
    // -16 asks for a 16-pixel em, so the cell is taller than 16.
    EXPECT_GT(a.cy, 16);
    EXPECT_EQ(SelectObject(screen, bold), static_cast<HGDIOBJ>(regular));
    GetTextExtentPointA(screen, "WWWW", 4, &heavy);
    EXPECT_GT(heavy.cx, wide.cx);
    EXPECT_FALSE(GetTextExtentPointA(screen, nullptr, 3, &a));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(DeleteObject(regular));
    EXPECT_TRUE(DeleteObject(bold)); // was still selected when its context went
    EXPECT_FALSE(DeleteObject(bold));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    // An unknown face still gives a font.
    HFONT fallback = CreateFontA(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "No Such Face At All");
    EXPECT_NE(fallback, nullptr);
    DeleteObject(fallback);
}

TEST(Text, MemoryContextsRefuseWhatTheyCanNotDrawOn)
{
    unsigned char pixels[16];
    VTLPixelFormat odd = {PF_RGB24, 24, 4, 0xFF0000, 0xFF00, 0xFF};
    EXPECT_EQ(vtl::createMemoryDC(pixels, 4, 1, 1, odd), nullptr);
    VTLPixelFormat ok = {PF_RGB32, 32, 4, 0xFF0000, 0xFF00, 0xFF};
    EXPECT_EQ(vtl::createMemoryDC(nullptr, 4, 1, 1, ok), nullptr);
    EXPECT_EQ(vtl::createMemoryDC(pixels, 2, 1, 1, ok), nullptr); // pitch shorter than a row
    HDC dc = vtl::createMemoryDC(pixels, 8, 2, 2, ok);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    vtl::destroyMemoryDC(dc);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0); // gone
}

TEST(Text, HeightsTallerThanAnyScreenGiveTheTallestFontThatFits)
{
    HDC screen = GetDC(nullptr);
    const auto cellOf = [&](int height) {
        HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
        EXPECT_NE(font, nullptr) << height;
        HGDIOBJ before = SelectObject(screen, font);
        SIZE size = {-1, -1};
        EXPECT_TRUE(GetTextExtentPointA(screen, "W", 1, &size)) << height;
        SelectObject(screen, before);
        DeleteObject(font);
        return size.cy;
    };
    // Either sign, up to the extremes of an int, ends at a 2048-pixel cell.
    for (int height : {INT_MIN, -30000, -2048, 2049, 30000, INT_MAX})
        EXPECT_EQ(cellOf(height), 2048) << height;
    // Below it, heights are kept: a cell as asked, an em under a taller cell.
    EXPECT_EQ(cellOf(2048), 2048);
    EXPECT_EQ(cellOf(1000), 1000);
    EXPECT_GT(cellOf(-1000), 1000);
    EXPECT_LT(cellOf(-1000), 2048);
    ReleaseDC(nullptr, screen);

    // The largest font draws its first text without rasterising a glyph
    // of tens of thousands of pixels.
    unsigned char pixels[64 * 64 * 4] = {};
    VTLPixelFormat format = {PF_RGB32, 32, 4, 0xFF0000, 0xFF00, 0xFF};
    HDC dc = vtl::createMemoryDC(pixels, 64 * 4, 64, 64, format);
    ASSERT_NE(dc, nullptr);
    HFONT huge = CreateFontA(-30000, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
    HGDIOBJ before = SelectObject(dc, huge);
    SIZE size = {};
    EXPECT_TRUE(TextOutA(dc, -100, -300, "Hi", 2));
    EXPECT_TRUE(GetTextExtentPointA(dc, "Hi", 2, &size));
    EXPECT_EQ(size.cy, 2048);
    EXPECT_LT(size.cx, 4 * 2048);
    SelectObject(dc, before);
    vtl::destroyMemoryDC(dc);
    DeleteObject(huge);
}
