// Fonts from a LOGFONT, their metrics, and ExtTextOut's rectangle: the
// opaque fill games use to clear a box and the clip that keeps text in it.
#include <windows.h>

#include "gdi_test_bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

HFONT fontOfEm(int em)
{
    LOGFONT lf = {};
    lf.lfHeight = -em;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    std::strcpy(lf.lfFaceName, "Arial");
    return CreateFontIndirect(&lf);
}

bool anyPixelOf(HDC dc, const RECT& area, COLORREF colour)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(dc, x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST(Fonts, MetricsAgreeWithTheRequestAndTheExtent)
{
    DibCanvas canvas(DibInfo(64, 64, 32));
    HFONT font = fontOfEm(20);
    ASSERT_NE(font, nullptr);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 20, 1) << "a negative height asks for the em";
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32(canvas.dc, "Wg", 2, &extent));
    EXPECT_EQ(extent.cy, tm.tmHeight);
    SelectObject(canvas.dc, previous);
    DeleteObject(font);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
}

TEST(Fonts, ExtTextOutFillsItsRectangleAndClipsToIt)
{
    DibCanvas canvas(DibInfo(80, 40, 32));
    HFONT font = fontOfEm(30);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    SetBkColor(canvas.dc, RGB(0, 0, 200));
    SetTextColor(canvas.dc, RGB(255, 255, 0));

    // No text at all: the rectangle filled with the background colour.
    RECT box = {10, 5, 30, 15};
    EXPECT_TRUE(ExtTextOut(canvas.dc, 0, 0, ETO_OPAQUE, &box, "", 0, nullptr));
    EXPECT_EQ(GetPixel(canvas.dc, 10, 5), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(canvas.dc, 29, 14), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(canvas.dc, 30, 14), RGB(0, 0, 0));

    // Large letters clipped to a small box leave everything else alone.
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT clip = {40, 10, 60, 20};
    EXPECT_TRUE(ExtTextOut(canvas.dc, 40, 0, ETO_CLIPPED, &clip, "MMM", 3, nullptr));
    EXPECT_TRUE(anyPixelOf(canvas.dc, clip, RGB(255, 255, 0)));
    RECT right = {60, 0, 80, 40}, below = {40, 20, 60, 40};
    EXPECT_FALSE(anyPixelOf(canvas.dc, right, RGB(255, 255, 0)));
    EXPECT_FALSE(anyPixelOf(canvas.dc, below, RGB(255, 255, 0)));

    // Spacing of our own places the second letter.
    DibCanvas spaced(DibInfo(80, 40, 32));
    SelectObject(spaced.dc, font);
    SetTextColor(spaced.dc, RGB(255, 255, 255));
    SetBkMode(spaced.dc, TRANSPARENT);
    const INT dx[2] = {60, 10};
    EXPECT_TRUE(ExtTextOut(spaced.dc, 0, 0, 0, nullptr, "II", 2, dx));
    RECT gap = {25, 0, 55, 40}, second = {60, 0, 80, 40};
    EXPECT_FALSE(anyPixelOf(spaced.dc, gap, RGB(255, 255, 255)));
    EXPECT_TRUE(anyPixelOf(spaced.dc, second, RGB(255, 255, 255)));
    SelectObject(spaced.dc, GetStockObject(SYSTEM_FONT));

    SelectObject(canvas.dc, previous);
    DeleteObject(font);
}
