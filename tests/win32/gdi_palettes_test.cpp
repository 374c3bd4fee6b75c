// Logical palettes and what a game asks of the system palette on a display
// of more than 8 bits, where there is none.
#include <windows.h>

#include "gdi_test_bitmaps.h"
#include "support/wine.h"

#include <gtest/gtest.h>

namespace {

struct FourColours {
    LOGPALETTE head;
    PALETTEENTRY more[3];
};

HPALETTE fourColours()
{
    FourColours lp = {{0x300, 4, {{255, 0, 0, 0}}}, {{0, 255, 0, 0}, {0, 0, 255, 0}, {250, 250, 250, PC_NOCOLLAPSE}}};
    return CreatePalette(&lp.head);
}

} // namespace

TEST(Palettes, EntriesAreReadAndWrittenWithinThePalette)
{
    HPALETTE palette = fourColours();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 4u) << "no buffer: the palette's size";
    PALETTEENTRY e[6] = {};
    EXPECT_EQ(GetPaletteEntries(palette, 2, 6, e), 2u);
    EXPECT_EQ(e[0].peBlue, 255);
    EXPECT_EQ(e[1].peFlags, PC_NOCOLLAPSE);
    EXPECT_EQ(GetPaletteEntries(palette, 4, 1, e), 0u);

    const PALETTEENTRY grey = {128, 128, 128, 0};
    EXPECT_EQ(SetPaletteEntries(palette, 3, 2, &grey), 1u);
    EXPECT_EQ(SetPaletteEntries(palette, 9, 1, &grey), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(140, 120, 130)), 3u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(0, 0, 200)), 2u);
    EXPECT_TRUE(DeleteObject(palette));
    if (!runningUnderWine()) { // Wine answers 0 where Windows documents CLR_INVALID
        EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(0, 0, 0)), CLR_INVALID);
    }
}

TEST(Palettes, SelectPaletteSwapsAndAMemoryContextRealizesNothing)
{
    HPALETTE palette = fourColours();
    HDC memory = CreateCompatibleDC(nullptr);
    HPALETTE initial = SelectPalette(memory, palette, FALSE);
    EXPECT_EQ(initial, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(GetCurrentObject(memory, OBJ_PAL), palette);
    EXPECT_EQ(RealizePalette(memory), 0u);
    EXPECT_EQ(SelectPalette(memory, initial, FALSE), palette);
    if (!runningUnderWine()) { // Wine answers 0 where Windows answers GDI_ERROR
        EXPECT_EQ(RealizePalette(nullptr), GDI_ERROR);
    }
    EXPECT_EQ(SelectPalette(memory, nullptr, FALSE), nullptr);
    DeleteDC(memory);
    DeleteObject(palette);
}

TEST(Palettes, AColourTableCanNameEntriesOfTheSelectedPalette)
{
    HPALETTE palette = fourColours();
    HDC memory = CreateCompatibleDC(nullptr);
    HPALETTE initial = SelectPalette(memory, palette, FALSE);
    struct {
        BITMAPINFOHEADER header;
        WORD indexes[4];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 4;
    info.header.biHeight = 1;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biClrUsed = 4;
    info.indexes[0] = 2;
    info.indexes[1] = 0;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, reinterpret_cast<BITMAPINFO*>(&info), DIB_PAL_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    SelectPalette(memory, initial, FALSE);
    HGDIOBJ previous = SelectObject(memory, dib);
    static_cast<BYTE*>(bits)[0] = 0;
    static_cast<BYTE*>(bits)[1] = 1;
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(memory, 1, 0), RGB(255, 0, 0));
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    DeleteObject(palette);
}

TEST(Palettes, ADisplayOfMoreThan8BitsHasNoSystemPalette)
{
    HDC screen = GetDC(nullptr);
    if (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) {
        ReleaseDC(nullptr, screen);
        GTEST_SKIP() << "the display has a palette";
    }
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 0);
    PALETTEENTRY e[4];
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 4, e), 0u);
    ReleaseDC(nullptr, screen);
}
