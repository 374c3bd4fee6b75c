// Memory contexts and the objects selected into them, as a game of the era
// sets up its off-screen drawing: the defaults a new context has, what
// SelectObject hands back, and GetObject's records.
#include <windows.h>

#include "gdi_test_bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

BITMAP describe(HGDIOBJ bitmap)
{
    BITMAP b;
    std::memset(&b, 0xCD, sizeof b);
    EXPECT_EQ(GetObject(bitmap, sizeof b, &b), static_cast<int>(sizeof b));
    return b;
}

} // namespace

TEST(MemoryDC, StartsWithAMonochromeBitmapThatItsCompatibleBitmapsCopy)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));

    HGDIOBJ initial = GetCurrentObject(memory, OBJ_BITMAP);
    BITMAP b = describe(initial);
    EXPECT_EQ(b.bmWidth, 1);
    EXPECT_EQ(b.bmHeight, 1);
    EXPECT_EQ(b.bmBitsPixel, 1);
    EXPECT_EQ(b.bmWidthBytes, 2);
    EXPECT_EQ(b.bmBits, nullptr);

    // The classic mistake: a bitmap compatible with a new memory context is
    // monochrome; one compatible with the screen has the screen's depth.
    HBITMAP mono = CreateCompatibleBitmap(memory, 10, 4);
    HBITMAP colour = CreateCompatibleBitmap(screen, 10, 4);
    EXPECT_EQ(describe(mono).bmBitsPixel, 1);
    b = describe(colour);
    EXPECT_EQ(b.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    EXPECT_EQ(b.bmWidth, 10);
    EXPECT_EQ(b.bmWidthBytes % 2, 0);
    EXPECT_GE(b.bmWidthBytes, 10 * b.bmBitsPixel / 8);

    // An empty size gives a 1 x 1 monochrome bitmap.
    HBITMAP empty = CreateCompatibleBitmap(screen, 0, 5);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(describe(empty).bmBitsPixel, 1);
    EXPECT_EQ(describe(empty).bmWidth, 1);

    EXPECT_EQ(SelectObject(memory, colour), initial);
    EXPECT_EQ(SelectObject(memory, mono), colour);
    EXPECT_EQ(SelectObject(memory, initial), mono);
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_TRUE(DeleteObject(colour));
    EXPECT_TRUE(DeleteDC(memory));
    ReleaseDC(nullptr, screen);
}

TEST(MemoryDC, ABitmapLivesInOneContextAtATime)
{
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    HGDIOBJ initial = SelectObject(first, bitmap);
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    SelectObject(first, initial);
    HGDIOBJ again = SelectObject(second, bitmap);
    EXPECT_NE(again, nullptr);
    SelectObject(second, again);
    DeleteObject(bitmap);
    DeleteDC(first);
    DeleteDC(second);
}

TEST(MemoryDC, GetObjectFillsEachKindsRecord)
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    LOGBRUSH lb;
    EXPECT_EQ(GetObject(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));

    struct {
        LOGPALETTE head;
        PALETTEENTRY more[2];
    } lp = {{0x300, 3, {{1, 2, 3, 0}}}, {{4, 5, 6, 0}, {7, 8, 9, 0}}};
    HPALETTE palette = CreatePalette(&lp.head);
    WORD count = 0;
    EXPECT_EQ(GetObject(palette, sizeof count, &count), static_cast<int>(sizeof count));
    EXPECT_EQ(count, 3);

    LOGFONT wanted = {};
    wanted.lfHeight = -13;
    wanted.lfWeight = FW_BOLD;
    std::strcpy(wanted.lfFaceName, "Arial");
    HFONT font = CreateFontIndirect(&wanted);
    LOGFONT got;
    EXPECT_EQ(GetObject(font, sizeof got, &got), static_cast<int>(sizeof got));
    EXPECT_EQ(got.lfHeight, -13);
    EXPECT_EQ(got.lfWeight, FW_BOLD);
    EXPECT_STREQ(got.lfFaceName, "Arial");

    // A bitmap's record is whole or nothing; a DIB section's is a DIBSECTION
    // when there is room, though the size asked without a buffer is
    // BITMAP's.
    HBITMAP ddb = CreateBitmap(4, 4, 1, 1, nullptr);
    EXPECT_EQ(GetObject(ddb, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    BITMAP short_;
    EXPECT_EQ(GetObject(ddb, sizeof short_ - 1, &short_), 0);
    DibCanvas dib(DibInfo(3, 2, 24));
    EXPECT_EQ(GetObject(dib.bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    DIBSECTION ds;
    EXPECT_EQ(GetObject(dib.bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12) << "DIB rows are whole 32-bit words";
    EXPECT_EQ(ds.dsBm.bmBits, dib.bits);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    EXPECT_EQ(GetObject(dib.bitmap, sizeof(BITMAP), &ds), static_cast<int>(sizeof(BITMAP)));

    // A context is no object GetObject describes; a deleted object is gone.
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetObject(memory, sizeof ds, &ds), 0);
    DeleteDC(memory);
    EXPECT_FALSE(DeleteDC(memory));
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(palette), static_cast<HGDIOBJ>(font),
                      static_cast<HGDIOBJ>(ddb)}) {
        EXPECT_TRUE(DeleteObject(o));
        EXPECT_EQ(GetObject(o, sizeof ds, &ds), 0);
        EXPECT_EQ(GetObjectType(o), 0u);
    }
}

TEST(MemoryDC, SolidBrushesAndSystemColoursFill)
{
    DibCanvas canvas(DibInfo(8, 8, 32));
    RECT box = {2, 2, 5, 6};
    HBRUSH brush = CreateSolidBrush(RGB(200, 100, 50));
    EXPECT_NE(FillRect(canvas.dc, &box, brush), 0);
    EXPECT_EQ(GetPixel(canvas.dc, 2, 2), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(canvas.dc, 4, 5), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(0, 0, 0)) << "the right and bottom edges stay outside";
    EXPECT_EQ(GetPixel(canvas.dc, 4, 6), RGB(0, 0, 0));

    // A system colour index plus one is that colour's brush.
    EXPECT_NE(FillRect(canvas.dc, &box, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), 0);
    EXPECT_EQ(GetPixel(canvas.dc, 3, 3), GetSysColor(COLOR_BTNFACE));

    LOGBRUSH hollow = {BS_NULL, 0, 0};
    HBRUSH none = CreateBrushIndirect(&hollow);
    ASSERT_NE(none, nullptr);
    EXPECT_NE(FillRect(canvas.dc, &box, none), 0);
    EXPECT_EQ(GetPixel(canvas.dc, 3, 3), GetSysColor(COLOR_BTNFACE)) << "the null brush paints nothing";
    DeleteObject(none);
    DeleteObject(brush);
}
