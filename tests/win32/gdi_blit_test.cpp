// Block transfers as games use them: the raster operations on raw pixel
// values, conversions between layouts, the monochrome mask trick for
// sprites with a transparent colour, stretching and mirroring, and copies
// that overlap or leave the bitmap.
#include <windows.h>

#include "gdi_test_bitmaps.h"

#include <gtest/gtest.h>

namespace {

// 8-bit DIB sections on the grey table, so that an index reads back as its
// own grey level and a raster operation can be checked on the indexes.
BYTE index(const DibCanvas& c, int x, int y, int width, int height)
{
    return c.bits[(height - 1 - y) * ((width + 3) & ~3) + x];
}

} // namespace

TEST(Blit, RasterOperationsCombineTheValuesBitByBit)
{
    const BYTE s = 0xC5, d = 0x3A, p = 0x96;
    struct Case {
        DWORD rop;
        BYTE expected;
    } cases[] = {
        {SRCCOPY, s},          {SRCAND, s & d},           {SRCPAINT, s | d},
        {SRCINVERT, s ^ d},    {SRCERASE, BYTE(s & ~d)},  {NOTSRCCOPY, BYTE(~s)},
        {NOTSRCERASE, BYTE(~(s | d))}, {MERGECOPY, BYTE(p & s)}, {MERGEPAINT, BYTE(~s | d)},
        {PATCOPY, p},          {PATINVERT, BYTE(p ^ d)},  {DSTINVERT, BYTE(~d)},
        {BLACKNESS, 0},        {WHITENESS, 0xFF},         {0x00E20746 /* DSPDxax */, BYTE((d & ~s) | (p & s))},
    };
    DibInfo info(4, 4, 8);
    info.grey();
    DibCanvas source(info), dest(info);
    HBRUSH brush = CreateSolidBrush(RGB(p, p, p));
    HGDIOBJ previous = SelectObject(dest.dc, brush);
    for (const Case& c : cases) {
        for (int i = 0; i < 16; ++i) {
            source.bits[i] = s;
            dest.bits[i] = d;
        }
        EXPECT_TRUE(BitBlt(dest.dc, 1, 1, 2, 2, source.dc, 0, 0, c.rop));
        GdiFlush();
        EXPECT_EQ(index(dest, 1, 1, 4, 4), c.expected) << std::hex << "rop " << c.rop;
        EXPECT_EQ(index(dest, 2, 2, 4, 4), c.expected) << std::hex << "rop " << c.rop;
        EXPECT_EQ(index(dest, 0, 0, 4, 4), d) << "outside the block";
        EXPECT_EQ(index(dest, 3, 3, 4, 4), d) << "outside the block";
    }
    // PatBlt takes the operations without a source.
    EXPECT_TRUE(PatBlt(dest.dc, 0, 0, 1, 1, PATINVERT));
    GdiFlush();
    EXPECT_EQ(index(dest, 0, 0, 4, 4), BYTE(p ^ d));
    SelectObject(dest.dc, previous);
    DeleteObject(brush);
}

TEST(Blit, AnOperationThatReadsASourceNeedsOne)
{
    DibCanvas dest(DibInfo(2, 2, 32));
    EXPECT_FALSE(BitBlt(dest.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dest.dc, 0, 0, 2, 2, nullptr, 0, 0, WHITENESS));
    EXPECT_EQ(GetPixel(dest.dc, 1, 1), RGB(255, 255, 255));
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(BitBlt(dest.dc, 0, 0, 2, 2, gone, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(gone, 0, 0, 2, 2, dest.dc, 0, 0, SRCCOPY));
}

TEST(Blit, ColoursSurviveTheTripThroughEveryDepth)
{
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255), RGB(0, 0, 0)};
    DibCanvas start(DibInfo(5, 1, 32));
    for (int x = 0; x < 5; ++x)
        SetPixel(start.dc, x, 0, colours[x]);
    DibInfo palettized(5, 1, 8);
    palettized.colors[0] = {0, 0, 0, 0};
    palettized.colors[1] = {0, 0, 255, 0};
    palettized.colors[2] = {0, 255, 0, 0};
    palettized.colors[3] = {255, 0, 0, 0};
    palettized.colors[4] = {255, 255, 255, 0};
    DibInfo bgr565(5, -1, 16);
    bgr565.masks(0xF800, 0x07E0, 0x001F);
    DibCanvas through16(bgr565), through24(DibInfo(5, 1, 24)), through8(palettized), back(DibInfo(5, 1, 32));
    BitBlt(through16.dc, 0, 0, 5, 1, start.dc, 0, 0, SRCCOPY);
    BitBlt(through24.dc, 0, 0, 5, 1, through16.dc, 0, 0, SRCCOPY);
    BitBlt(through8.dc, 0, 0, 5, 1, through24.dc, 0, 0, SRCCOPY);
    BitBlt(back.dc, 0, 0, 5, 1, through8.dc, 0, 0, SRCCOPY);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(GetPixel(back.dc, x, 0), colours[x]) << "pixel " << x;
    GdiFlush();
    EXPECT_EQ(through8.bits[0], 1) << "red is the table's second entry";
}

TEST(Blit, AMonochromeMaskCutsASpriteOutOfItsKeyColour)
{
    // The sprite: magenta (the key) around a green square.
    const COLORREF key = RGB(255, 0, 255), green = RGB(0, 200, 0), sky = RGB(40, 60, 200);
    DibCanvas sprite(DibInfo(4, 4, 32)), scene(DibInfo(4, 4, 32));
    RECT all = {0, 0, 4, 4}, inner = {1, 1, 3, 3};
    HBRUSH keyBrush = CreateSolidBrush(key), greenBrush = CreateSolidBrush(green), skyBrush = CreateSolidBrush(sky);
    FillRect(sprite.dc, &all, keyBrush);
    FillRect(sprite.dc, &inner, greenBrush);
    FillRect(scene.dc, &all, skyBrush);

    // Colour to monochrome: the source's background colour becomes 1.
    HDC maskDC = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(4, 4, 1, 1, nullptr);
    HGDIOBJ previous = SelectObject(maskDC, mask);
    SetBkColor(sprite.dc, key);
    BitBlt(maskDC, 0, 0, 4, 4, sprite.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(maskDC, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(maskDC, 1, 1), RGB(0, 0, 0));

    // Monochrome to colour: 1 takes the destination's background colour,
    // 0 its text colour.
    SetBkColor(scene.dc, RGB(255, 255, 255));
    SetTextColor(scene.dc, RGB(0, 0, 0));
    BitBlt(scene.dc, 0, 0, 4, 4, maskDC, 0, 0, SRCAND);
    // The sprite's key turned black (1 gives black, 0 white), then ORed in.
    SetBkColor(sprite.dc, RGB(0, 0, 0));
    SetTextColor(sprite.dc, RGB(255, 255, 255));
    BitBlt(sprite.dc, 0, 0, 4, 4, maskDC, 0, 0, SRCAND);
    BitBlt(scene.dc, 0, 0, 4, 4, sprite.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(GetPixel(scene.dc, 0, 0), sky);
    EXPECT_EQ(GetPixel(scene.dc, 3, 2), sky);
    EXPECT_EQ(GetPixel(scene.dc, 1, 1), green);
    EXPECT_EQ(GetPixel(scene.dc, 2, 2), green);

    SelectObject(maskDC, previous);
    DeleteObject(mask);
    DeleteDC(maskDC);
    DeleteObject(keyBrush);
    DeleteObject(greenBrush);
    DeleteObject(skyBrush);
}

TEST(Blit, StretchingRepeatsPixelsAndANegativeSizeMirrors)
{
    DibCanvas small(DibInfo(2, 1, 32)), big(DibInfo(4, 2, 32));
    SetPixel(small.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(small.dc, 1, 0, RGB(0, 0, 255));
    EXPECT_EQ(SetStretchBltMode(big.dc, COLORONCOLOR), BLACKONWHITE) << "a new context's mode";
    EXPECT_EQ(GetStretchBltMode(big.dc), COLORONCOLOR);
    EXPECT_TRUE(StretchBlt(big.dc, 0, 0, 4, 2, small.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(big.dc, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(big.dc, 2, 0), RGB(0, 0, 255));

    // Mirrored: a negative width counts back from the given column, which
    // is inside.
    EXPECT_TRUE(StretchBlt(big.dc, 3, 0, -2, 1, small.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(big.dc, 3, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(big.dc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(big.dc, 1, 0), RGB(255, 0, 0)) << "outside the block";
    EXPECT_EQ(GetPixel(big.dc, 0, 1), RGB(255, 0, 0)) << "outside the block";
}

TEST(Blit, OverlappingCopiesAndCopiesOverTheEdgeKeepTheirPixels)
{
    DibCanvas canvas(DibInfo(6, 6, 32));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            SetPixel(canvas.dc, x, y, RGB(x * 40, y * 40, 0));
    // Scrolling down and right by one within the same bitmap.
    EXPECT_TRUE(BitBlt(canvas.dc, 1, 1, 5, 5, canvas.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(160, 160, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 0, 3), RGB(0, 120, 0)) << "outside the block";
    // Scrolling back up and left.
    EXPECT_TRUE(BitBlt(canvas.dc, 0, 0, 5, 5, canvas.dc, 1, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(canvas.dc, 4, 4), RGB(160, 160, 0));

    // A block hanging off the destination's edges is cut to them.
    DibCanvas other(DibInfo(3, 3, 32));
    EXPECT_TRUE(BitBlt(other.dc, -2, 1, 6, 6, canvas.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(other.dc, 0, 1), GetPixel(canvas.dc, 2, 0));
    EXPECT_EQ(GetPixel(other.dc, 0, 0), RGB(0, 0, 0));
}
