// Pictures through the vtlsprite command into an RLA file, loaded back by
// the library as a frame set and drawn: the drawn pixels are the pictures'.
#include <vantrel/animation.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include "picture.h"
#include "support/formats.h"
#include "support/image_files.h"
#include "support/test_archive.h"

namespace fs = std::filesystem;

namespace {
// A 4x3 picture with every kind of pixel: transparent, opaque, and levels.
Picture walkFrame(uint8_t shade)
{
    Picture p;
    p.resize(4, 3);
    p.hasAlpha = true;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* px = p.pixel(x, y);
            px[0] = static_cast<uint8_t>(shade + 40 * x);
            px[1] = static_cast<uint8_t>(200 - 60 * y);
            px[2] = static_cast<uint8_t>(17 * (x + y));
            px[3] = (x + y) % 3 == 0 ? 255 : (x + y) % 3 == 1 ? 0 : static_cast<uint8_t>(60 * x + 20 * y + 7);
        }
    return p;
}

void writePng(const fs::path& path, const Picture& p)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(p.width);
    image.height = static_cast<png_uint_32>(p.height);
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, p.rgba.data(), 0, nullptr)) << image.message;
}

// A 24-bit BMP with a magenta background: its top-left colour.
void writeKeyedBmp(const fs::path& path, Picture& p)
{
    p.resize(3, 2);
    const uint8_t colours[6][3] = {{255, 0, 255}, {10, 20, 30}, {255, 0, 255}, {254, 0, 255}, {90, 80, 70}, {255, 0, 255}};
    for (int i = 0; i < 6; ++i)
        std::memcpy(p.pixel(i % 3, i / 3), colours[i], 3);
    std::vector<uint8_t> file(54, 0);
    const int stride = 12;
    file[0] = 'B';
    file[1] = 'M';
    file[10] = 54;
    file[14] = 40;
    file[18] = 3;
    file[22] = 2;
    file[26] = 1;
    file[28] = 24;
    for (int y = 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < 3; ++x) {
            row[3 * x] = p.pixel(x, y)[2];
            row[3 * x + 1] = p.pixel(x, y)[1];
            row[3 * x + 2] = p.pixel(x, y)[0];
        }
        file.insert(file.end(), row.begin(), row.end());
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

struct Outcome {
    int code;
    std::string out;
};

Outcome vtlsprite(const fs::path& work, const std::string& arguments)
{
    const fs::path out = work / "stdout.txt";
    const std::string command = std::string(VTLSPRITE_TOOL) + " " + arguments + " >" + out.string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(out);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())};
}

Bytes slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class SpriteToolRoundTrip : public ::testing::TestWithParam<DisplayFormat> {
protected:
    void SetUp() override
    {
        work = fs::path(VTLSPRITE_WORK_DIR) / GetParam().name;
        fs::remove_all(work);
        fs::create_directories(work);
        setDisplayFormat(handle, GetParam());
    }

    // How a colour of an RLE file lands on the display: packed for 8 and 16
    // bits, as the bytes blue, green, red on 24- and 32-bit displays (whatever
    // their channel order, as RLE files have always been decoded).
    unsigned long filePixel(const uint8_t* c)
    {
        if (handle.bitsPerPixel <= 16)
            return handle.packColor(c[0], c[1], c[2]);
        return static_cast<unsigned long>(c[0]) << 16 | c[1] << 8 | c[2];
    }

    // What Blt leaves at a pixel whose picture colour is `c` with alpha `a`
    // over a background the test painted as the bytes blue, green, red, by
    // the effect tables' arithmetic.
    unsigned long expected(const uint8_t* c, unsigned a, const uint8_t* bg)
    {
        if (a == 0)
            return filePixel(bg);
        if (a == 255)
            return filePixel(c);
        if (handle.bitsPerPixel == 8) {
            const unsigned p = handle.packColor(c[0], c[1], c[2]), d = handle.packColor(bg[0], bg[1], bg[2]);
            return (Fade8[a][p] + Fade8Rev[a][d]) & 0xFF;
        }
        if (handle.bitsPerPixel == 16) {
            const unsigned p = handle.packColor(c[0], c[1], c[2]), d = handle.packColor(bg[0], bg[1], bg[2]);
            return (FadeLo[a][p & 0xFF] + FadeHi[a][p >> 8] + FadeLoRev[a][d & 0xFF] + FadeHiRev[a][d >> 8]) & 0xFFFF;
        }
        uint8_t mix[3];
        for (int i = 0; i < 3; ++i)
            mix[i] = static_cast<uint8_t>(Scale8[a][c[i]] + Scale8Rev[a][bg[i]]);
        return filePixel(mix);
    }

    unsigned long pixelAt(const BITPLANEFX& s, int x, int y)
    {
        unsigned long v = 0;
        std::memcpy(&v, s.pixels + y * s.pitch + x * s.bytesPerPixel, s.bytesPerPixel);
        return s.bytesPerPixel == 4 ? v & 0xFFFFFF : v;
    }

    fs::path work;
    TestArchive archive;
    VTLHND handle;
};
} // namespace

TEST_P(SpriteToolRoundTrip, DrawnPixelsAreThePictures)
{
    const Picture first = walkFrame(10), second = walkFrame(90);
    Picture keyed;
    writePng(work / "walk0.png", first);
    writePng(work / "walk1.png", second);
    writeKeyedBmp(work / "idle.bmp", keyed);
    std::ofstream(work / "frames.txt") << "# action direction picture\n3 1 walk0.png\n3 1 walk1.png\n";

    const Outcome made = vtlsprite(work, "rla " + (work / "HERO.RLA").string() + " --list " +
                                             (work / "frames.txt").string() + " 0:2:" + (work / "idle.bmp").string());
    ASSERT_EQ(made.code, 0) << made.out;
    const Outcome info = vtlsprite(work, "info " + (work / "HERO.RLA").string());
    EXPECT_EQ(info.code, 0);
    EXPECT_NE(info.out.find("RLA file, 3 frames"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("frame 2: action 0, direction 2, 3x2, 3 stored pixels (3 opaque, 0 level)"),
              std::string::npos)
        << info.out;

    archive.add("HERO.RLA", slurp(work / "HERO.RLA"));
    ASSERT_TRUE(archive.openIn(handle));
    ANIMATIONFX set{};
    ASSERT_TRUE(handle.create(&set, const_cast<char*>("HERO.RLA")));
    ASSERT_EQ(set.frameCount, 3);
    EXPECT_EQ(set.frames[1].action, 3);
    EXPECT_EQ(set.frames[1].direction, 1);
    EXPECT_EQ(set.frames[2].direction, 2);

    BITPLANEFX target{};
    target.bitsPerPixel = handle.bitsPerPixel;
    target.bytesPerPixel = handle.bytesPerPixel;
    ASSERT_TRUE(target.create(8, 8, false));
    const uint8_t background[3] = {40, 80, 120};
    const unsigned long bg = filePixel(background);
    auto clear = [&] {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                std::memcpy(target.pixels + y * target.pitch + x * target.bytesPerPixel, &bg, target.bytesPerPixel);
    };

    Sprite sprite{};
    sprite.bind(&set);
    ASSERT_TRUE(sprite.setAction(3, 1));
    const Picture* pictures[] = {&first, &second};
    for (int frame = 0; frame < 2; ++frame) {
        clear();
        sprite.setX(2, false);
        sprite.setY(1, false);
        sprite.draw(&target, 0, 0);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const uint8_t* c = pictures[frame]->pixel(x, y);
                EXPECT_EQ(pixelAt(target, 2 + x, 1 + y), expected(c, c[3], background))
                    << "frame " << frame << " at " << x << "," << y << " alpha " << unsigned(c[3]);
            }
        sprite.advance();
    }

    clear();
    ASSERT_TRUE(sprite.setAction(0, 2));
    sprite.setX(0, false);
    sprite.setY(0, false);
    sprite.draw(&target, 0, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint8_t* c = keyed.pixel(x, y);
            const bool key = c[0] == 255 && c[1] == 0 && c[2] == 255;
            EXPECT_EQ(pixelAt(target, x, y), expected(c, key ? 0 : 255, background)) << x << "," << y;
        }

    target.release();
    ASSERT_TRUE(handle.release(&set));
}

INSTANTIATE_TEST_SUITE_P(Displays, SpriteToolRoundTrip,
                         ::testing::Values(kDisplayFormats[0], kDisplayFormats[2], kDisplayFormats[3],
                                           kDisplayFormats[6], kDisplayFormats[7]),
                         formatName);

TEST(SpriteToolCommandLine, RefusesWhatItCannotRead)
{
    const fs::path work = fs::path(VTLSPRITE_WORK_DIR) / "refusals";
    fs::remove_all(work);
    fs::create_directories(work);
    std::ofstream(work / "junk.png") << "not a picture";
    std::ofstream(work / "CUT.RLA", std::ios::binary) << std::string("\x02\x00\x30\x00\x00\x00", 6);

    EXPECT_EQ(vtlsprite(work, "").code, 2);
    Outcome o = vtlsprite(work, "rle " + (work / "junk.png").string() + " " + (work / "X.RLE").string());
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out.rfind("vtlsprite: ", 0), 0u) << o.out;
    EXPECT_FALSE(fs::exists(work / "X.RLE"));
    o = vtlsprite(work, "rla " + (work / "X.RLA") .string() + " 1:70000:a.png");
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.out.find("ACTION:DIRECTION:PICTURE"), std::string::npos) << o.out;
    o = vtlsprite(work, "info " + (work / "CUT.RLA").string());
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.out.find("frame 0 does not fit"), std::string::npos) << o.out;
}
