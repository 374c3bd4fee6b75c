#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "support/image_files.h"
#include "support/message_capture.h"

namespace {
const DisplayFormat& format(const char* name)
{
    for (const DisplayFormat& f : kDisplayFormats)
        if (std::string(f.name) == name)
            return f;
    throw std::runtime_error(name);
}

// Two-by-two: (top) red, white; (bottom) blue, green.
Rgba quad(int x, int y)
{
    static const Rgba colors[2][2] = {{{255, 0, 0, 255}, {255, 255, 255, 255}}, {{0, 0, 255, 255}, {0, 255, 0, 255}}};
    return colors[y][x];
}

char* cstr(const char* s) { return const_cast<char*>(s); }
} // namespace

TEST(SurfaceBmp, LoadsRowsTopFirstAndKeysTheTopLeftPixel)
{
    TestArchive archive;
    archive.add("QUAD.BMP", makeBmp24(2, 2, quad));
    VTLHND handle;
    setDisplayFormat(handle, format("rgb565"));
    ASSERT_TRUE(archive.openIn(handle));
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, cstr("QUAD.BMP")));
    EXPECT_EQ(s.kind, BITPLANE_BMP);
    EXPECT_EQ(s.width, 2);
    EXPECT_EQ(s.height, 2);
    EXPECT_EQ(pixelAt(s, 0, 0), 0xF800u);
    EXPECT_EQ(pixelAt(s, 1, 0), 0xFFFFu);
    EXPECT_EQ(pixelAt(s, 0, 1), 0x001Fu);
    EXPECT_EQ(pixelAt(s, 1, 1), 0x07E0u);
    EXPECT_EQ(s.colorKey, 0xF800);
    EXPECT_EQ(s.fileData, handle.FastFileData(cstr("QUAD.BMP")));

    // Loading again for another format replaces the pixels.
    const DWORD used = MemUsed();
    s.bitsPerPixel = 32;
    s.bytesPerPixel = 4;
    s.format = PF_RGB32;
    ASSERT_TRUE(s.loadBmp());
    EXPECT_EQ(pixelAt(s, 0, 1), 0x0000FFu);
    EXPECT_EQ(s.pitch, 8u);
    EXPECT_EQ(MemUsed(), used) << "the old pixels were freed (both pitches are 8)";
    handle.release(&s);
}

class SurfaceBmpFormats : public ::testing::TestWithParam<DisplayFormat> {};

TEST_P(SurfaceBmpFormats, EveryPixelIsPackedForTheDisplay)
{
    // Three pixels wide: the stored rows are padded from 9 to 12 bytes.
    auto colour = [](int x, int y) {
        return Rgba{static_cast<unsigned char>(40 * x + 7), static_cast<unsigned char>(100 * y + 3),
                    static_cast<unsigned char>(255 - 60 * x), 255};
    };
    TestArchive archive;
    archive.add("PIC.BMP", makeBmp24(3, 2, colour));
    VTLHND handle;
    setDisplayFormat(handle, GetParam());
    ASSERT_TRUE(archive.openIn(handle));
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, cstr("PIC.BMP")));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const Rgba c = colour(x, y);
            unsigned long expected = handle.packColor(c.r, c.g, c.b);
            if (GetParam().bits == 8)
                expected = (c.r & 0xE0) | ((c.g >> 5) << 2) | (c.b >> 6);
            EXPECT_EQ(pixelAt(s, x, y), expected) << x << "," << y;
        }
    if (GetParam().bits == 32) {
        EXPECT_EQ(s.pixels[3], 0) << "the fourth byte is 0";
    }
}

INSTANTIATE_TEST_SUITE_P(AllDisplays, SurfaceBmpFormats, ::testing::ValuesIn(kDisplayFormats), formatName);

TEST(SurfaceBmp, EightBitDisplayUsesThe332Index)
{
    TestArchive archive;
    archive.add("RB.BMP", makeBmp24(2, 1, [](int x, int) { return x ? Rgba{0, 0, 255, 0} : Rgba{255, 0, 0, 0}; }));
    VTLHND handle;
    setDisplayFormat(handle, format("pal8"));
    ASSERT_TRUE(archive.openIn(handle));
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, cstr("RB.BMP")));
    EXPECT_EQ(s.pixels[0], 0xE0);
    EXPECT_EQ(s.pixels[1], 0x03);
}

TEST(SurfaceBmp, TopDownRowsAreReadInTheirOrder)
{
    Bytes bmp = makeBmp24(2, 2, quad);
    // Store the rows top-down instead: same bytes, rows swapped, height negative.
    Bytes flipped = bmp;
    std::copy(bmp.begin() + 54, bmp.begin() + 62, flipped.begin() + 62);
    std::copy(bmp.begin() + 62, bmp.end(), flipped.begin() + 54);
    const unsigned minusTwo = static_cast<unsigned>(-2);
    for (int i = 0; i < 4; ++i)
        flipped[22 + i] = static_cast<unsigned char>(minusTwo >> (8 * i));
    TestArchive archive;
    archive.add("DOWN.BMP", flipped);
    VTLHND handle;
    setDisplayFormat(handle, format("rgb565"));
    ASSERT_TRUE(archive.openIn(handle));
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, cstr("DOWN.BMP")));
    EXPECT_EQ(pixelAt(s, 0, 0), 0xF800u);
    EXPECT_EQ(pixelAt(s, 1, 1), 0x07E0u);
}

TEST(SurfaceBmp, FilesOutsideTheSetOrCutShortAreRefused)
{
    const Bytes good = makeBmp24(3, 2, [](int, int) { return Rgba{1, 2, 3, 255}; }); // 54 + 2 x 12 bytes
    auto with = [&](size_t at, unsigned char value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"signature BA", with(1, 'A')},
        {"info header 12", with(14, 12)},
        {"info header 108", with(14, 108)},
        {"8 bits per pixel", with(28, 8)},
        {"32 bits per pixel", with(28, 32)},
        {"compressed", with(30, 1)},
        {"height 0", with(22, 0)},
        {"width 0", with(18, 0)},
        {"pixel data inside the headers", with(10, 20)},
        {"pixel data past the end", with(10, 60)},
        {"last pixel cut short", Bytes(good.begin(), good.end() - 4)},
        {"headers only", Bytes(good.begin(), good.begin() + 54)},
        {"shorter than the headers", Bytes(good.begin(), good.begin() + 30)},
    };
    for (const Case& c : cases) {
        TestArchive archive;
        // Bytes follow the picture in the archive: a loader that read past
        // its entry would find them.
        archive.add("PIC.BMP", c.bytes).add("AFTER.BIN", Bytes(4096, 0x55));
        VTLHND handle;
        setDisplayFormat(handle, format("rgb565"));
        ASSERT_TRUE(archive.openIn(handle));
        MessageCapture capture;
        BITPLANEFX s{};
        EXPECT_FALSE(handle.create(&s, cstr("PIC.BMP"))) << c.what;
        EXPECT_EQ(capture.text(), "Failed to load\r\n") << c.what;
        EXPECT_EQ(s.pixels, nullptr) << c.what;
        EXPECT_EQ(handle.surfaceList, nullptr) << c.what;
        EXPECT_EQ(s.owner, &handle) << "the handle's fields are written first";
    }

    // Only the padding after the last stored row may be missing.
    TestArchive archive;
    archive.add("PIC.BMP", Bytes(good.begin(), good.end() - 3));
    VTLHND handle;
    setDisplayFormat(handle, format("rgb565"));
    ASSERT_TRUE(archive.openIn(handle));
    BITPLANEFX s{};
    EXPECT_TRUE(handle.create(&s, cstr("PIC.BMP")));
}

TEST(SurfaceBmp, AnEmptyLastEntryIsRefusedWithoutReadingPastTheArchive)
{
    // The last entry's bytes start where the archive ends; its loaders must
    // know it is empty rather than trust it like bytes from outside.
    TestArchive archive;
    archive.add("QUAD.BMP", makeBmp24(2, 2, quad));
    archive.add("EMPTY.BMP", Bytes{});
    archive.add("EMPTY.TGA", Bytes{});
    VTLHND handle;
    setDisplayFormat(handle, format("rgb565"));
    ASSERT_TRUE(archive.openIn(handle));
    MessageCapture quiet;
    BITPLANEFX bmp{}, tga{};
    EXPECT_FALSE(handle.create(&bmp, cstr("EMPTY.BMP")));
    EXPECT_FALSE(handle.create(&tga, cstr("EMPTY.TGA")));
    EXPECT_FALSE(bmp);
    EXPECT_FALSE(tga);
}
