// BITPLANEFX::writeTga against the library's own TGA loader: an area
// written on a display of one format and loaded back on the same format
// gives the same pixels (and alpha), in every depth.
#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "support/image_files.h"
#include "support/message_capture.h"

namespace {
Bytes slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A surface of the display's format whose every pixel differs from its
// neighbours in every channel's top bits.
void paint(VTLHND& handle, BITPLANEFX& s)
{
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const unsigned long p = handle.packColor(static_cast<unsigned char>(37 * x + 11 * y),
                                                     static_cast<unsigned char>(255 - 23 * y + 5 * x),
                                                     static_cast<unsigned char>(91 * (x ^ y)));
            unsigned char* out = s.pixels + s.pitch * y + x * s.bytesPerPixel;
            for (unsigned i = 0; i < s.bytesPerPixel; ++i)
                out[i] = static_cast<unsigned char>(p >> (8 * i));
            if (s.alpha)
                s.alpha[y * s.width + x] = static_cast<unsigned char>(17 * x + 3 * y);
        }
}

class TgaWrite : public ::testing::TestWithParam<DisplayFormat> {
protected:
    void SetUp() override
    {
        setDisplayFormat(handle, GetParam());
        path = ::testing::TempDir() + "write_" + GetParam().name + ".tga";
    }
    void TearDown() override { std::remove(path.c_str()); }

    VTLHND handle;
    std::string path;
};
} // namespace

TEST_P(TgaWrite, AnAreaWrittenAndLoadedAgainHasTheSamePixels)
{
    const bool withAlpha = GetParam().bits == 32;
    BITPLANEFX original{};
    ASSERT_TRUE(handle.create(&original, 13, 9, withAlpha));
    paint(handle, original);
    ASSERT_TRUE(original.writeTga(path.c_str(), 2, 3, 8, 5));

    const Bytes file = slurp(path);
    ASSERT_GE(file.size(), 18u);
    EXPECT_EQ(file[12] | file[13] << 8, 8);
    EXPECT_EQ(file[14] | file[15] << 8, 5);
    EXPECT_EQ(file[16], GetParam().bits);
    EXPECT_EQ(file[17] & 0x20, 0) << "rows stored bottom-up, as the loader reads them";

    TestArchive archive;
    archive.add("SHOT.TGA", file);
    ASSERT_TRUE(archive.openIn(handle));
    BITPLANEFX loaded{};
    ASSERT_TRUE(handle.create(&loaded, const_cast<char*>("SHOT.TGA")));
    ASSERT_EQ(loaded.width, 8);
    ASSERT_EQ(loaded.height, 5);
    ASSERT_EQ(loaded.alpha != nullptr, withAlpha);
    // 16-bit files hold 5-5-5 words: on a 5-6-5 display the lowest bit of
    // green is lost (the loader rebuilds it from the top bits).
    const unsigned long lost = GetParam().expectedCode == PF_RGB565 ||
                                       GetParam().expectedCode == (PF_RGB565 | PF_BGR)
                                   ? 0x0020
                                   : 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(pixelAt(loaded, x, y) & ~lost, pixelAt(original, x + 2, y + 3) & ~lost) << x << "," << y;
            if (withAlpha) {
                EXPECT_EQ(loaded.alpha[y * 8 + x], original.alpha[(y + 3) * 13 + x + 2]) << x << "," << y;
            }
        }
    handle.gfxEnd();
}

INSTANTIATE_TEST_SUITE_P(EveryDisplayFormat, TgaWrite, ::testing::ValuesIn(kDisplayFormats), formatName);

TEST(SurfaceTgaWrite, AreasAreClippedToTheSurfaceAndNothingIsRefusedSilently)
{
    VTLHND handle;
    setDisplayFormat(handle, kDisplayFormats[5] /* rgb24 */);
    BITPLANEFX s{};
    ASSERT_TRUE(handle.create(&s, 10, 4, false));
    const std::string path = ::testing::TempDir() + "clipped.tga";
    ASSERT_TRUE(s.writeTga(path.c_str(), 6, 1, 100, 100));
    const Bytes file = slurp(path);
    EXPECT_EQ(file[12], 4);
    EXPECT_EQ(file[14], 3);
    EXPECT_EQ(file.size(), 18u + 4 * 3 * 3);
    std::remove(path.c_str());

    MessageCapture capture;
    EXPECT_FALSE(s.writeTga(path.c_str(), 10, 0, 5, 5));
    EXPECT_FALSE(s.writeTga(path.c_str(), 0, 0, 0, 4));
    EXPECT_EQ(capture.text(), "BITPLANEFX::writeTga() - Empty area.\r\nBITPLANEFX::writeTga() - Empty area.\r\n");
    capture.clear();
    EXPECT_FALSE(s.writeTga("/nonexistent-folder/shot.tga", 0, 0, 10, 4));
    EXPECT_EQ(capture.text(), "BITPLANEFX::writeTga() - Cannot write /nonexistent-folder/shot.tga: No such file or "
                              "directory.\r\n");
    capture.clear();
    BITPLANEFX empty{};
    EXPECT_FALSE(empty.writeTga(path.c_str(), 0, 0, 1, 1));
    EXPECT_EQ(capture.text(), "BITPLANEFX::writeTga() - No surface.\r\n");
    EXPECT_TRUE(s.saveTga(const_cast<char*>(path.c_str()), 0, 0, 10, 4)) << "saveTga still writes nothing";
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    handle.gfxEnd();
}
