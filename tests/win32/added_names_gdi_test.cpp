// Every name added for GDI on the platform's own surfaces, called from
// source that compiles unchanged against the real Windows headers and
// against the compatibility headers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(AddedNames, GdiGroup)
{
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP compatible = CreateCompatibleBitmap(screen, 4, 4);
    HBITMAP mono = CreateBitmap(4, 4, 1, 1, NULL);
    HGDIOBJ previous = SelectObject(memory, compatible);
    BITMAP bm;
    EXPECT_EQ(GetObject(compatible, sizeof bm, &bm), (int)sizeof bm);
    EXPECT_EQ(GetObjectA(mono, sizeof bm, &bm), (int)sizeof bm);
    EXPECT_EQ(GetObjectType(memory), (DWORD)OBJ_MEMDC);
    EXPECT_EQ(GetCurrentObject(memory, OBJ_BITMAP), (HGDIOBJ)compatible);

    struct {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD bmiColors[256];
    } info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 8;
    info.bmiHeader.biCompression = BI_RGB;
    LPBITMAPINFO bmi = reinterpret_cast<LPBITMAPINFO>(&info);
    VOID* bits = NULL;
    HBITMAP dib = CreateDIBSection(memory, bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC dibDC = CreateCompatibleDC(memory);
    HGDIOBJ dibPrevious = SelectObject(dibDC, dib);
    RGBQUAD colours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    EXPECT_EQ(SetDIBColorTable(dibDC, 0, 2, colours), 2u);
    EXPECT_EQ(GetDIBColorTable(dibDC, 0, 2, colours), 2u);
    DIBSECTION section;
    EXPECT_EQ(GetObject(dib, sizeof section, &section), (int)sizeof section);
    BITMAPFILEHEADER file;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    // Packed as on Windows: the field is read into a local, not bound by
    // reference at its unaligned place.
    DWORD offBits = file.bfOffBits;
    EXPECT_EQ(offBits, 54u);
    EXPECT_EQ(LoadImage(NULL, "no such file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION),
              (HANDLE)NULL);
    EXPECT_EQ(LoadImageA(NULL, "no such file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), (HANDLE)NULL);

    EXPECT_EQ(SetStretchBltMode(dibDC, COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(GetStretchBltMode(dibDC), COLORONCOLOR);
    EXPECT_TRUE(BitBlt(memory, 0, 0, 4, 4, dibDC, 0, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(memory, 0, 0, 4, 4, dibDC, 0, 0, 2, 2, SRCPAINT));
    EXPECT_TRUE(PatBlt(memory, 0, 0, 4, 4, BLACKNESS));
    for (DWORD rop : {SRCAND, SRCINVERT, PATCOPY, WHITENESS, DSTINVERT})
        EXPECT_TRUE(BitBlt(dibDC, 0, 0, 2, 2, memory, 0, 0, rop));
    EXPECT_NE(SetPixel(dibDC, 0, 0, RGB(255, 255, 255)), CLR_INVALID);
    EXPECT_EQ(GetPixel(dibDC, 0, 0), RGB(255, 255, 255));
    EXPECT_TRUE(GdiFlush());

    HBRUSH solid = CreateSolidBrush(RGB(1, 2, 3));
    LOGBRUSH lb = {BS_SOLID, RGB(4, 5, 6), 0};
    HBRUSH indirect = CreateBrushIndirect(&lb);
    RECT rect;
    SetRect(&rect, 0, 0, 2, 2);
    EXPECT_NE(FillRect(dibDC, &rect, solid), 0);
    EXPECT_NE(FillRect(dibDC, &rect, indirect), 0);
    EXPECT_NE(FillRect(dibDC, &rect, (HBRUSH)(COLOR_WINDOW + 1)), 0);
    EXPECT_NE(GetSysColorBrush(COLOR_BTNFACE), (HBRUSH)NULL);
    EXPECT_NE(GetSysColor(COLOR_WINDOWTEXT), CLR_INVALID);
    EXPECT_NE(GetStockObject(LTGRAY_BRUSH), (HGDIOBJ)NULL);

    struct {
        LOGPALETTE head;
        PALETTEENTRY more[1];
    } lp = {{0x300, 2, {{0, 0, 0, PC_NOCOLLAPSE}}}, {{255, 255, 255, 0}}};
    HPALETTE palette = CreatePalette(&lp.head);
    PALETTEENTRY entries[2];
    EXPECT_EQ(GetPaletteEntries(palette, 0, 2, entries), 2u);
    EXPECT_EQ(SetPaletteEntries(palette, 1, 1, entries), 1u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(0, 0, 0)), 0u);
    HPALETTE oldPalette = SelectPalette(screen, palette, FALSE);
    EXPECT_NE(RealizePalette(screen), GDI_ERROR);
    UINT use = SetSystemPaletteUse(screen, SYSPAL_STATIC);
    EXPECT_TRUE(use == SYSPAL_ERROR || use == SYSPAL_STATIC || use == SYSPAL_NOSTATIC);
    use = GetSystemPaletteUse(screen);
    EXPECT_TRUE(use == SYSPAL_ERROR || use == SYSPAL_STATIC || use == SYSPAL_NOSTATIC);
    UINT count = GetSystemPaletteEntries(screen, 0, 2, entries);
    EXPECT_TRUE(count == 0 || count == 2);
    SelectPalette(screen, oldPalette, FALSE);
    EXPECT_EQ(PALETTEINDEX(3), 0x01000003u);
    EXPECT_EQ(PALETTERGB(1, 2, 3), 0x02030201u);
    EXPECT_GT(GetDeviceCaps(screen, LOGPIXELSY), 0);
    EXPECT_GE(GetDeviceCaps(screen, RASTERCAPS), 0);

    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -12;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirect(&lf);
    HFONT fontA = CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = SelectObject(dibDC, font);
    TEXTMETRIC tm;
    EXPECT_TRUE(GetTextMetrics(dibDC, &tm));
    TEXTMETRICA tmA;
    EXPECT_TRUE(GetTextMetricsA(dibDC, &tmA));
    const INT dx[2] = {5, 5};
    EXPECT_TRUE(ExtTextOut(dibDC, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, "ab", 2, dx));
    EXPECT_TRUE(ExtTextOutA(dibDC, 0, 0, 0, NULL, "ab", 2, NULL));
    SelectObject(dibDC, oldFont);

    DeleteObject(font);
    DeleteObject(fontA);
    DeleteObject(palette);
    DeleteObject(solid);
    DeleteObject(indirect);
    SelectObject(dibDC, dibPrevious);
    DeleteDC(dibDC);
    DeleteObject(dib);
    SelectObject(memory, previous);
    DeleteObject(compatible);
    DeleteObject(mono);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}
