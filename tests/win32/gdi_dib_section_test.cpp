// DIB sections: the bits pointer a game writes through directly, in each
// depth and both row orders, their colour tables, and the headers refused.
#include <windows.h>

#include "gdi_test_bitmaps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Layout {
    int bits;
    bool bottomUp;
};

std::string layoutName(const testing::TestParamInfo<Layout>& info)
{
    return std::to_string(info.param.bits) + (info.param.bottomUp ? "_bottom_up" : "_top_down");
}

class DibLayout : public testing::TestWithParam<Layout> {};

// A pixel's bytes, least significant first.
unsigned long rawAt(const unsigned char* p, int bytes)
{
    unsigned long v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<unsigned long>(p[i]) << (8 * i);
    return v;
}

} // namespace

TEST_P(DibLayout, PixelsSitWhereTheRowOrderAndPitchPutThem)
{
    const Layout l = GetParam();
    const int width = 5, height = 3;
    DibInfo info(width, l.bottomUp ? height : -height, l.bits);
    info.grey();
    DibCanvas canvas(info);
    ASSERT_NE(canvas.bitmap, nullptr);
    ASSERT_NE(canvas.bits, nullptr);
    const int bytes = l.bits / 8;
    const int pitch = (width * bytes + 3) & ~3;
    auto pixel = [&](int x, int y) {
        const int row = l.bottomUp ? height - 1 - y : y;
        return canvas.bits + row * pitch + x * bytes;
    };

    // Drawn through GDI, read through the bits.
    const COLORREF colour = l.bits == 8 ? RGB(77, 77, 77) : RGB(0, 0, 255);
    EXPECT_NE(SetPixel(canvas.dc, 4, 0, colour), CLR_INVALID);
    GdiFlush();
    const unsigned long expected = l.bits == 8 ? 77 : l.bits == 16 ? 0x001F : 0x0000FF;
    EXPECT_EQ(rawAt(pixel(4, 0), bytes), expected);
    EXPECT_EQ(rawAt(pixel(3, 0), bytes), 0u);
    EXPECT_EQ(rawAt(pixel(4, 1), bytes), 0u);

    // Written through the bits, read through GDI.
    const unsigned long red = l.bits == 8 ? 200 : l.bits == 16 ? 0x7C00 : 0xFF0000;
    for (int i = 0; i < bytes; ++i)
        pixel(1, 2)[i] = static_cast<unsigned char>(red >> (8 * i));
    EXPECT_EQ(GetPixel(canvas.dc, 1, 2), l.bits == 8 ? RGB(200, 200, 200) : RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 1, 1), RGB(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Depths, DibLayout,
                         testing::Values(Layout{8, true}, Layout{8, false}, Layout{16, true}, Layout{16, false},
                                         Layout{24, true}, Layout{24, false}, Layout{32, true}, Layout{32, false}),
                         layoutName);

TEST(DibSection, BitfieldsGiveTheMasks)
{
    DibInfo info(2, 2, 16);
    info.masks(0xF800, 0x07E0, 0x001F);
    DibCanvas canvas(info);
    ASSERT_NE(canvas.bitmap, nullptr);
    DIBSECTION ds;
    ASSERT_EQ(GetObject(canvas.bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBitfields[0], 0xF800u);
    EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
    EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
    SetPixel(canvas.dc, 0, 0, RGB(0, 255, 0));
    GdiFlush();
    EXPECT_EQ(canvas.bits[4] | canvas.bits[5] << 8, 0x07E0) << "bottom-up: (0, 0) is in the second row";
}

TEST(DibSection, TheColourTableIsReadAndChangedThroughTheContext)
{
    DibInfo info(4, 1, 8);
    info.grey();
    DibCanvas canvas(info);
    canvas.bits[0] = 10;
    EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(10, 10, 10));

    RGBQUAD entries[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    EXPECT_EQ(SetDIBColorTable(canvas.dc, 9, 3, entries), 3u);
    EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(6, 5, 4)) << "the pixel keeps its index, the index a new colour";
    RGBQUAD back[4] = {};
    EXPECT_EQ(GetDIBColorTable(canvas.dc, 10, 4, back), 4u);
    EXPECT_EQ(back[0].rgbRed, 6);
    EXPECT_EQ(back[1].rgbBlue, 7);
    EXPECT_EQ(back[2].rgbRed, 12);
    // Counts are cut at the table's end; a start past it does nothing.
    EXPECT_EQ(SetDIBColorTable(canvas.dc, 254, 3, entries), 2u);
    EXPECT_EQ(SetDIBColorTable(canvas.dc, 256, 1, entries), 0u);

    DibCanvas trueColour(DibInfo(4, 1, 32));
    EXPECT_EQ(SetDIBColorTable(trueColour.dc, 0, 1, entries), 0u);
    EXPECT_EQ(GetDIBColorTable(trueColour.dc, 0, 1, back), 0u);
}

TEST(DibSection, MalformedHeadersAreRefused)
{
    auto refused = [](const DibInfo& info) {
        void* bits = reinterpret_cast<void*>(1);
        HBITMAP b = CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
        if (b)
            DeleteObject(b);
        return b == nullptr && bits == nullptr;
    };
    DibInfo zeroWidth(0, 4, 32), zeroHeight(4, 0, 32), oddDepth(4, 4, 7), twoPlanes(4, 4, 32);
    twoPlanes.header.biPlanes = 2;
    EXPECT_TRUE(refused(zeroWidth));
    EXPECT_TRUE(refused(zeroHeight));
    EXPECT_TRUE(refused(oddDepth));
    EXPECT_TRUE(refused(twoPlanes));
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}
