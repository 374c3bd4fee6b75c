// The tools' picture reader against ImageMagick: every variant it makes is
// read in process and compared with its own decode, and taken through the
// vtlsprite command.
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include "anim/rla_format.h"
#include "picture.h"
#include "support/image_files.h"
#include "tests/pictures/picture_variants.h"

namespace fs = std::filesystem;

namespace {
// Each test works in a folder of its own: ctest runs this program's tests
// side by side, and one test's pictures, archive or captured output must not
// be another's.
fs::path work()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::path(VTLSPRITE_WORK_DIR) / "variants" / (test ? test->name() : "outside-a-test");
}

const std::vector<PictureVariant>& variants()
{
    std::string why;
    fs::create_directories(work());
    const std::vector<PictureVariant>& all = pictureVariants(work().string(), why);
    if (all.empty())
        ADD_FAILURE() << why;
    return all;
}

std::string firstDifference(const Picture& p, const PictureVariant& v)
{
    if (p.width != v.width || p.height != v.height)
        return "size " + std::to_string(p.width) + " x " + std::to_string(p.height);
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x) {
            const uint8_t* want = &v.rgba[(size_t(y) * v.width + x) * 4];
            const uint8_t* got = p.pixel(x, y);
            // Under alpha 0 the colour is the decoder's choice.
            for (int c = want[3] == 0 ? 3 : 0; c < 4; ++c)
                if (std::abs(int(got[c]) - int(want[c])) > v.tolerance)
                    return "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " + std::to_string(c) +
                           " is " + std::to_string(got[c]) + ", ImageMagick reads " + std::to_string(want[c]);
        }
    return {};
}

// The RLE file loaded by the library for a display of `bits` (16: 5-6-5,
// or 32) and walked run by run: opaque pixels carry the decode's colour
// (within the display's step), level pixels its alpha, skips its fully
// transparent pixels.
std::string firstRunDifference(const std::string& path, const PictureVariant& v, unsigned bits)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    RLEFX image{};
    image.bitsPerPixel = static_cast<unsigned char>(bits);
    image.bytesPerPixel = static_cast<unsigned char>(bits / 8);
    image.format = bits == 16 ? PF_RGB565 : PF_RGB32;
    if (!image.loadData(file.data(), file.size()))
        return "the library does not load it";
    std::string fault;
    const unsigned char* at = image.runs;
    const size_t bytes = bits / 8;
    const int step = bits == 16 ? 8 : 0;
    for (int y = 0; y < v.height && fault.empty(); ++y) {
        int x = 0;
        for (unsigned word; fault.empty() && (word = unsigned(at[0] | at[1] << 8)) != 0;) {
            at += 2;
            for (unsigned n = word & RLE_COUNT; n > 0 && fault.empty() && x < v.width; --n, ++x) {
                const uint8_t* want = &v.rgba[(size_t(y) * v.width + x) * 4];
                const std::string where = "pixel " + std::to_string(x) + "," + std::to_string(y) + " ";
                if (word & RLE_SKIP) {
                    if (want[3] != 0)
                        fault = where + "skipped, alpha " + std::to_string(want[3]);
                    continue;
                }
                if (word & RLE_LEVEL) {
                    if (std::abs(int(*at) - int(want[3])) > v.tolerance + 1)
                        fault = where + "level " + std::to_string(*at) + ", alpha " + std::to_string(want[3]);
                    at += 1 + bytes;
                    continue;
                }
                int got[3];
                if (bits == 16) {
                    const unsigned p = at[0] | at[1] << 8;
                    got[0] = int((p >> 11 & 31) * 255 / 31), got[1] = int((p >> 5 & 63) * 255 / 63),
                    got[2] = int((p & 31) * 255 / 31);
                } else {
                    got[0] = at[2], got[1] = at[1], got[2] = at[0];
                }
                at += bytes;
                for (int c = 0; c < 3; ++c)
                    if (std::abs(got[c] - want[c]) > step + v.tolerance)
                        fault = where + "channel " + std::to_string(c) + " is " + std::to_string(got[c]) +
                                ", ImageMagick reads " + std::to_string(want[c]);
            }
        }
        at += 2;
    }
    image.release();
    return fault;
}
} // namespace

TEST(PictureReader, EveryVariantReadsAsImageMagickDecodesIt)
{
    const std::vector<PictureVariant>& all = variants();
    ASSERT_FALSE(all.empty());
    size_t read = 0;
    for (const PictureVariant& v : all) {
        Picture p;
        std::string error;
        ASSERT_TRUE(readPicture(v.path, p, error)) << v.name << ": " << error;
        const std::string difference = firstDifference(p, v);
        EXPECT_EQ(difference, "") << v.name;
        EXPECT_EQ(p.hasAlpha, v.hasAlpha) << v.name;
        EXPECT_TRUE(p.warnings.empty()) << v.name << ": " << p.warnings.front();
        read += difference.empty();

        // The command reads it through the same reader, into a file the
        // library loads as the picture.
        const std::string rle = (work() / (v.name + ".RLE")).string();
        const std::string command = std::string(VTLSPRITE_TOOL) + " rle --key " + (v.hasAlpha ? "alpha" : "none") +
                                    " '" + v.path + "' '" + rle + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << v.name;
        for (unsigned bits : {16u, 32u})
            EXPECT_EQ(firstRunDifference(rle, v, bits), "") << v.name << " at " << bits << " bits";
    }
    std::cout << "read as ImageMagick decodes them: " << read << " of " << all.size() << " variants\n";
}

TEST(PictureReader, ThirtyTwoBitTgaWithZeroFourthBytesIsOpaque)
{
    // Writers that declare no alpha bits leave the fourth bytes 0; read as
    // alpha they would make a sprite nobody can see.
    const Bytes body = tgaRows(2, 2, 32, [](int x, int y) { return Rgba{uint8_t(90 * x), uint8_t(60 * y), 7, 0}; });
    Picture p;
    std::string error;
    ASSERT_TRUE(decodePicture(std::vector<uint8_t>(makeTga(2, 32, 2, 2, body)), "X.TGA", p, error)) << error;
    EXPECT_FALSE(p.hasAlpha);
    EXPECT_EQ(p.pixel(1, 1)[0], 90);
    EXPECT_EQ(p.pixel(1, 1)[1], 60);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(p.pixel(i % 2, i / 2)[3], 255);

    // Where some fourth byte is not 0 it is alpha, declared or not.
    Bytes some = body;
    some[3] = 200;
    ASSERT_TRUE(decodePicture(std::vector<uint8_t>(makeTga(2, 32, 2, 2, some)), "X.TGA", p, error)) << error;
    EXPECT_TRUE(p.hasAlpha);
    EXPECT_EQ(p.pixel(0, 1)[3], 200);
    EXPECT_EQ(p.pixel(1, 1)[3], 0);
}

TEST(PictureReader, AColourMapOfAnySizeAndFirstIndexIsRead)
{
    // Three 16-bit entries from index 5; pixels 5, 6, 7 and one outside.
    Bytes body = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00};
    const Bytes pixels = {5, 6, 7, 9};
    body.insert(body.end(), pixels.begin(), pixels.end());
    Bytes file = makeTga(1, 8, 2, 2, body, 1, 3, 16);
    file[3] = 5; // first entry index
    Picture p;
    std::string error;
    ASSERT_TRUE(decodePicture(std::vector<uint8_t>(file), "M.TGA", p, error)) << error;
    // Bottom row first: 5 and 6 are the bottom row.
    EXPECT_EQ(p.pixel(0, 1)[0], 255);
    EXPECT_EQ(p.pixel(1, 1)[1], 255);
    EXPECT_EQ(p.pixel(0, 0)[2], 255);
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_NE(p.warnings[0].find("colours the colour map does not hold"), std::string::npos);
}

TEST(PictureReader, AnAnimationStripBecomesItsFramesLeftToRight)
{
    fs::create_directories(work());
    const fs::path strip = work() / "strip.png", rla = work() / "STRIP.RLA";
    ASSERT_EQ(std::system(("convert -size 12x4 xc:red -fill blue -draw 'rectangle 4,0 7,3' -fill lime -draw "
                           "'rectangle 8,0 11,3' '" + strip.string() + "'")
                              .c_str()),
              0);
    const std::string tool = std::string(VTLSPRITE_TOOL) + " rla --strip 3 --key none ";
    ASSERT_EQ(std::system((tool + "'" + rla.string() + "' 2:1:'" + strip.string() + "'").c_str()), 0);
    std::ifstream in(rla, std::ios::binary);
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::vector<unsigned char>> firstPixels;
    vtl::rla::walk(file.data(), file.size(), [&](unsigned, const vtl::rla::Record& record) {
        EXPECT_EQ(record.action, 2);
        EXPECT_EQ(record.direction, 1);
        EXPECT_EQ(record.image[0], 4) << "each frame is a third of the strip";
        // After the 15-byte header and the first run's word: red, green, blue.
        firstPixels.emplace_back(record.image + 17, record.image + 20);
    });
    const std::vector<std::vector<unsigned char>> expected = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
    EXPECT_EQ(firstPixels, expected);
    // A strip that does not divide is refused.
    const std::string five = std::string(VTLSPRITE_TOOL) + " rla --strip 5 '" + rla.string() + "' 0:0:'" +
                             strip.string() + "' 2>/dev/null";
    EXPECT_NE(std::system(five.c_str()), 0);
}
