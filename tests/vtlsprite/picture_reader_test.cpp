// The tools' picture reader against ImageMagick: every variant it makes is
// read in process and compared with its own decode, and taken through the
// vtlsprite command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "picture.h"
#include "support/image_files.h"
#include "tests/pictures/picture_variants.h"

namespace fs = std::filesystem;

namespace {
const fs::path kWork = fs::path(VTLSPRITE_WORK_DIR) / "variants";

const std::vector<PictureVariant>& variants()
{
    std::string why;
    fs::create_directories(kWork);
    const std::vector<PictureVariant>& all = pictureVariants(kWork.string(), why);
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

        // The command reads it through the same reader.
        const std::string command = std::string(VTLSPRITE_TOOL) + " rle '" + v.path + "' '" +
                                    (kWork / (v.name + ".RLE")).string() + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << v.name;
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
