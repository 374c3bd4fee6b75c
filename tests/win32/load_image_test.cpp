// LoadImage of .bmp files written the way paint programs of the era wrote
// them, and the file structures a game reads such files with itself.
#include <windows.h>

#include "scratch_folder.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

static_assert(offsetof(BITMAPFILEHEADER, bfSize) == 2 && offsetof(BITMAPFILEHEADER, bfOffBits) == 10,
              "the file header is packed");
static_assert(offsetof(BITMAPINFOHEADER, biBitCount) == 14 && offsetof(BITMAPINFOHEADER, biClrImportant) == 36,
              "the information header as in the file");
static_assert(offsetof(RGBQUAD, rgbRed) == 2, "colour table entries are blue, green, red");

namespace {

// A 3 x 2 picture: top row red, green, blue; bottom row white, black, grey.
const COLORREF kPicture[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                 {RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128)}};

template <class T>
void append(std::string& out, const T& value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The picture as a .bmp file of `bits` per pixel (8 with a six-entry table,
// or 24), bottom-up unless `topDown`.
std::string bmpFile(int bits, bool topDown)
{
    std::string table, rows;
    const int rowBytes = (3 * bits / 8 + 3) & ~3;
    for (int i = 0; i < 2; ++i) {
        const int y = topDown ? i : 1 - i;
        std::string row;
        for (int x = 0; x < 3; ++x) {
            const COLORREF c = kPicture[y][x];
            if (bits == 8) {
                row += static_cast<char>(y * 3 + x);
            } else {
                row += static_cast<char>(GetBValue(c));
                row += static_cast<char>(GetGValue(c));
                row += static_cast<char>(GetRValue(c));
            }
        }
        row.resize(static_cast<size_t>(rowBytes), '\0');
        rows += row;
    }
    if (bits == 8) {
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                append(table, RGBQUAD{GetBValue(kPicture[y][x]), GetGValue(kPicture[y][x]), GetRValue(kPicture[y][x]), 0});
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = 3;
    info.biHeight = topDown ? -2 : 2;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bits);
    info.biCompression = BI_RGB;
    info.biClrUsed = bits == 8 ? 6 : 0;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + table.size());
    file.bfSize = static_cast<DWORD>(file.bfOffBits + rows.size());
    std::string out;
    append(out, file);
    append(out, info);
    return out + table + rows;
}

void expectPicture(HBITMAP bitmap)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(GetPixel(dc, x, y), kPicture[y][x]) << "pixel " << x << ", " << y;
    SelectObject(dc, previous);
    DeleteDC(dc);
}

} // namespace

TEST(LoadImage, ADibSectionKeepsTheFilesDepthAndRowOrderDoesNotMatter)
{
    ScratchFolder folder;
    for (int bits : {8, 24}) {
        for (bool topDown : {false, true}) {
            if (topDown && runningUnderWine())
                continue; // Wine loads a top-down file as a blank bitmap
            folder.write("art.bmp", bmpFile(bits, topDown));
            HBITMAP bitmap = static_cast<HBITMAP>(
                LoadImage(nullptr, folder.windows("art.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                          LR_LOADFROMFILE | LR_CREATEDIBSECTION));
            ASSERT_NE(bitmap, nullptr) << bits << " bits";
            DIBSECTION ds;
            ASSERT_EQ(GetObject(bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds));
            EXPECT_EQ(ds.dsBm.bmBitsPixel, bits);
            EXPECT_EQ(ds.dsBm.bmWidth, 3);
            EXPECT_EQ(ds.dsBm.bmHeight, 2);
            expectPicture(bitmap);
            DeleteObject(bitmap);
        }
    }
}

TEST(LoadImage, WithoutDibSectionTheBitmapIsTheDisplays)
{
    ScratchFolder folder;
    folder.write("art.bmp", bmpFile(24, false));
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImage(nullptr, folder.windows("art.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(bitmap, nullptr);
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    BITMAP b;
    ASSERT_EQ(GetObject(bitmap, sizeof b, &b), static_cast<int>(sizeof b));
    EXPECT_EQ(b.bmBitsPixel, depth);
    EXPECT_EQ(b.bmBits, nullptr);
    if (depth >= 24)
        expectPicture(bitmap);
    DeleteObject(bitmap);

    // A size of its own stretches the picture.
    bitmap = static_cast<HBITMAP>(LoadImage(nullptr, folder.windows("art.bmp").c_str(), IMAGE_BITMAP, 6, 4,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(GetObject(bitmap, sizeof b, &b), static_cast<int>(sizeof b));
    EXPECT_EQ(b.bmWidth, 6);
    EXPECT_EQ(b.bmHeight, 4);
    DeleteObject(bitmap);
}

TEST(LoadImage, MissingFilesAndOtherFilesLoadNothing)
{
    ScratchFolder folder;
    SetLastError(0);
    EXPECT_EQ(LoadImage(nullptr, folder.windows("absent.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    folder.write("text.bmp", "not a picture at all, just words");
    EXPECT_EQ(LoadImage(nullptr, folder.windows("text.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}
