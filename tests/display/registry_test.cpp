#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "display/registry_walks.h"
#include "support/image_files.h"
#include "support/message_capture.h"

namespace {
char* cstr(const char* s) { return const_cast<char*>(s); }

unsigned pixel16(const BITPLANEFX& s, int x, int y)
{
    const unsigned char* p = s.pixels + s.pitch * y + 2 * x;
    return p[0] | p[1] << 8;
}

const DisplayFormat& kRgb565 = kDisplayFormats[2];
const DisplayFormat& kRgb555 = kDisplayFormats[1];
const DisplayFormat& kRgb32 = kDisplayFormats[7];

Rgba orange(int x, int) { return x == 0 ? Rgba{0, 0, 0, 255} : Rgba{255, 128, 0, 255}; }
} // namespace

TEST(Registry, ListsAreNewestFirstAndReleasesUnlinkEveryPosition)
{
    VTLHND handle;
    setDisplayFormat(handle, kRgb565);
    BITPLANEFX s1{}, s2{}, s3{};
    ASSERT_TRUE(handle.create(&s1, 4, 4, false));
    ASSERT_TRUE(handle.create(&s2, 4, 4, true));
    ASSERT_TRUE(handle.create(&s3, 4, 4, false));
    EXPECT_EQ(handle.surfaceList, &s3);
    EXPECT_EQ(s3.prev, nullptr);
    EXPECT_EQ(s3.next, &s2);
    EXPECT_EQ(s2.next, &s1);
    EXPECT_EQ(s1.prev, &s2);
    EXPECT_EQ(s1.next, nullptr);
    EXPECT_NE(s2.alpha, nullptr);
    EXPECT_EQ(s2.kind, BITPLANE_BLANK);
    EXPECT_EQ(s2.format, PF_RGB565);
    EXPECT_EQ(s2.bytesPerPixel, 2);

    EXPECT_TRUE(handle.release(&s2)); // middle
    EXPECT_EQ(s3.next, &s1);
    EXPECT_EQ(s1.prev, &s3);
    EXPECT_EQ(s2.pixels, nullptr);
    EXPECT_TRUE(handle.release(&s3)); // head
    EXPECT_EQ(handle.surfaceList, &s1);
    EXPECT_EQ(s1.prev, nullptr);
    EXPECT_TRUE(handle.release(&s1)); // only
    EXPECT_EQ(handle.surfaceList, nullptr);

    // Tail removal, on the RLE list.
    RLEFX a{}, b{};
    a.kind = RLE_KIND_TGA;
    ASSERT_TRUE(handle.create(&a, 2, 2, 16));
    ASSERT_TRUE(handle.create(&b, 2, 2, 16));
    EXPECT_EQ(a.kind, RLE_KIND_TGA) << "a blank RLE image keeps its kind";
    EXPECT_EQ(b.kind, RLE_KIND_BLANK);
    EXPECT_TRUE(handle.release(&a));
    EXPECT_EQ(handle.rleList, &b);
    EXPECT_EQ(b.next, nullptr);
    EXPECT_TRUE(handle.release(&b));
    EXPECT_EQ(handle.rleList, nullptr);

    EXPECT_FALSE(handle.release(static_cast<BITPLANEFX*>(nullptr)));
}

TEST(Registry, NamesNeedAnUpperCaseEndingButFieldsAreWrittenFirst)
{
    TestArchive archive;
    archive.add("TITLE.BMP", makeBmp24(2, 1, orange)).add("TITLE.PNG", std::string("png"));
    VTLHND handle;
    setDisplayFormat(handle, kRgb565);
    ASSERT_TRUE(archive.openIn(handle));

    MessageCapture capture;
    BITPLANEFX s{};
    EXPECT_FALSE(handle.create(&s, cstr("title.bmp")));
    EXPECT_EQ(s.owner, &handle);
    EXPECT_EQ(s.format, PF_RGB565);
    EXPECT_EQ(s.bitsPerPixel, 16);
    EXPECT_FALSE(handle.create(&s, cstr("TITLE.PNG")));
    RLEFX image{};
    image.format = 77;
    EXPECT_FALSE(handle.create(&image, cstr("TITLE.RLA")));
    EXPECT_EQ(image.owner, &handle);
    EXPECT_EQ(image.format, 77) << "the RLE image's format byte is not written";
    ALPHAFX map{};
    EXPECT_FALSE(handle.create(&map, cstr("TITLE.TGA")));
    EXPECT_EQ(capture.text(), "") << "a refused name has no message of its own";
    EXPECT_EQ(handle.surfaceList, nullptr);
    EXPECT_EQ(handle.rleList, nullptr);

    // A missing BMP entry fails before the loader runs.
    EXPECT_FALSE(handle.create(&s, cstr("NONE.BMP")));
    EXPECT_EQ(capture.text(), "FastFileOpen: File \"NONE.BMP\" not found.\r\nCannot Find File NONE.BMP\r\n");
    EXPECT_TRUE(handle.create(&s, cstr("TITLE.BMP")));
    EXPECT_EQ(handle.surfaceList, &s);
}

TEST(Registry, RestoreRebuildsImagesMadeForAnotherFormat)
{
    TestArchive archive;
    archive.add("PIC.BMP", makeBmp24(2, 1, orange))
        .add("PIC.TGA", makeTga(2, 32, 2, 1, tgaRows(2, 1, 32, [](int x, int) {
                                    return x ? Rgba{255, 128, 0, 255} : Rgba{0, 0, 0, 0};
                                })));
    VTLHND handle;
    setDisplayFormat(handle, kRgb565);
    ASSERT_TRUE(archive.openIn(handle));

    BITPLANEFX bmp{}, tga{}, blank{};
    RLEFX sprite{}, glow{}, made{};
    ASSERT_TRUE(handle.create(&bmp, cstr("PIC.BMP")));
    ASSERT_TRUE(handle.create(&tga, cstr("PIC.TGA")));
    ASSERT_TRUE(handle.create(&blank, 3, 2, true));
    ASSERT_TRUE(handle.create(&sprite, cstr("PIC.BMP")));
    ASSERT_TRUE(handle.create(&glow, cstr("PIC.TGA")));
    ASSERT_TRUE(handle.create(&made, 2, 2, 8));
    EXPECT_EQ(pixel16(bmp, 1, 0), 0xFC00u);
    const unsigned char* madeRuns = made.runs;

    // The RLE images were made without a format byte: the first walk in the
    // same format codes them again; the surfaces are left alone.
    const unsigned char* bmpPixels = bmp.pixels;
    vtl::restoreRegisteredImages(handle);
    EXPECT_EQ(bmp.pixels, bmpPixels);
    EXPECT_EQ(sprite.format, PF_RGB565);
    EXPECT_EQ(sprite.kind, RLE_KIND_BMP);

    setDisplayFormat(handle, kRgb555);
    vtl::restoreRegisteredImages(handle);
    EXPECT_EQ(bmp.format, PF_RGB555);
    EXPECT_EQ(pixel16(bmp, 1, 0), 0x7E00u) << "orange in 5-5-5";
    EXPECT_EQ(bmp.colorKey, 0);
    EXPECT_EQ(bmp.kind, BITPLANE_BMP);
    EXPECT_EQ(pixel16(tga, 1, 0), 0x7E00u);
    EXPECT_EQ(tga.kind, BITPLANE_TGA);
    ASSERT_NE(tga.alpha, nullptr);
    EXPECT_EQ(tga.alpha[1], 255);
    EXPECT_EQ(blank.width, 3);
    EXPECT_NE(blank.alpha, nullptr) << "a blank surface is made again with its alpha plane";
    EXPECT_EQ(blank.format, PF_RGB555);
    // Sprite runs: skip 1, opaque 1 (the orange pixel), end.
    ASSERT_NE(sprite.runs, nullptr);
    EXPECT_EQ(sprite.runs[4] | sprite.runs[5] << 8, 0x7E00);
    EXPECT_EQ(glow.runs[4] | glow.runs[5] << 8, 0x7E00);
    EXPECT_EQ(made.runs, madeRuns) << "a blank RLE image is not rebuilt";
    EXPECT_EQ(made.format, PF_RGB555);

    // To 32 bits: every image grows to four bytes a pixel.
    setDisplayFormat(handle, kRgb32);
    vtl::restoreRegisteredImages(handle);
    EXPECT_EQ(bmp.pitch, 8u);
    EXPECT_EQ(bmp.pixels[4] | bmp.pixels[5] << 8 | bmp.pixels[6] << 16, 0xFF8000);
    EXPECT_EQ(sprite.runs[4] | sprite.runs[5] << 8 | sprite.runs[6] << 16, 0xFF8000);
    EXPECT_EQ(sprite.bytesPerPixel, 4);
}

TEST(Registry, ShutdownReleasesImagesButNotTheGamesOtherObjects)
{
    TestArchive archive;
    archive.add("MASK.BMP", makeBmp24(2, 2, orange));
    VTLHND handle;
    setDisplayFormat(handle, kRgb565);
    ASSERT_TRUE(archive.openIn(handle));
    const DWORD before = MemUsed();
    BITPLANEFX s{};
    RLEFX r{};
    ALPHAFX a{};
    ASSERT_TRUE(handle.create(&s, 8, 8, true));
    ASSERT_TRUE(handle.create(&r, cstr("MASK.BMP")));
    ASSERT_TRUE(handle.create(&a, cstr("MASK.BMP")));
    handle.gfxEnd();
    EXPECT_EQ(handle.surfaceList, nullptr);
    EXPECT_EQ(handle.rleList, nullptr);
    EXPECT_EQ(handle.alphaList, nullptr);
    EXPECT_EQ(s.pixels, nullptr);
    EXPECT_EQ(r.runs, nullptr);
    EXPECT_EQ(a.map, nullptr);
    EXPECT_EQ(MemUsed(), before);
}
