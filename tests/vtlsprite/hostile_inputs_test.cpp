// vtlsprite against inputs a game developer's build can hand it by mistake:
// folders with a picture's name, missing, empty, truncated and lying files,
// and pictures of a kind it does not read.  Every one must end with exit
// code 1 and one line naming the file and the reason; none may abort or,
// in the sanitizer build (where the tool carries AddressSanitizer), read
// outside the file.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include "support/image_files.h"

namespace fs = std::filesystem;

namespace {
struct Outcome {
    int code;
    std::string err;
};

class SpriteToolInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = fs::path(VTLSPRITE_WORK_DIR) / "hostile" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(work);
        fs::create_directories(work);
    }
    std::string put(const std::string& name, const Bytes& bytes)
    {
        std::ofstream(work / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return name;
    }
    // `limits` are shell commands run first (ulimit); the run is bounded in
    // time, so that a tool that blocks fails its test instead of hanging.
    Outcome run(const std::string& arguments, const std::string& limits = "")
    {
        const std::string command = "cd '" + work.string() + "' && " + limits + "timeout 60 " VTLSPRITE_TOOL " " +
                                    arguments + " >/dev/null 2>stderr.txt";
        const int status = std::system(command.c_str());
        std::ifstream in(work / "stderr.txt");
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())};
    }
    // The command fails cleanly: exit 1, one line on the file, no sanitizer
    // report or abort message.
    void expectRefused(const std::string& arguments, const std::string& file, const std::string& reason,
                       const std::string& limits = "")
    {
        const Outcome r = run(arguments, limits);
        EXPECT_EQ(r.code, 1) << arguments << "\n" << r.err;
        EXPECT_EQ(r.err.rfind("vtlsprite: " + file + ": ", 0), 0u) << arguments << "\n" << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << arguments << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments << "\n" << r.err;
    }
    fs::path work;
};

Bytes pngOf(unsigned width, unsigned height)
{
    std::vector<uint8_t> rgba(size_t(width) * height * 4, 200);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    Bytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr));
    out.resize(size);
    return out;
}

// The PNG with its IHDR size replaced (and the chunk's CRC made good, so
// that only the size lies).
Bytes withPngSize(Bytes png, uint32_t width, uint32_t height)
{
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = uint8_t(width >> (24 - 8 * i));
        png[20 + i] = uint8_t(height >> (24 - 8 * i));
    }
    const uLong crc = crc32(crc32(0, nullptr, 0), &png[12], 17);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = uint8_t(crc >> (24 - 8 * i));
    return png;
}

Bytes cut(Bytes b, size_t keep)
{
    b.resize(keep);
    return b;
}

Rgba grey(int x, int y) { return {uint8_t(10 * x), uint8_t(20 * y), 30, 255}; }
} // namespace

TEST_F(SpriteToolInput, AFolderOrAMissingFileIsNamedWithTheReason)
{
    for (const char* name : {"adir.bmp", "adir.tga", "adir.png", "adir.RLE", "adir.rla"})
        fs::create_directories(work / name);
    for (const char* picture : {"adir.bmp", "adir.tga", "adir.png"}) {
        expectRefused(std::string("rle ") + picture + " X.RLE", picture, "is a folder");
        expectRefused(std::string("rla X.RLA 0:0:") + picture, picture, "is a folder");
    }
    expectRefused("info adir.RLE", "adir.RLE", "is a folder");
    expectRefused("info adir.rla", "adir.rla", "is a folder");
    expectRefused("rle missing.png X.RLE", "missing.png", "No such file or directory");
    expectRefused("rla X.RLA --list adir.bmp", "adir.bmp", "is a folder");
    EXPECT_FALSE(fs::exists(work / "X.RLE"));
    EXPECT_FALSE(fs::exists(work / "X.RLA"));
}

TEST_F(SpriteToolInput, ANamedPipeIsRefusedAtOnceInsteadOfWaitedOn)
{
    // Opening a pipe for reading waits for a writer that never comes.
    for (const char* name : {"pipe.png", "pipe.tga", "pipe.RLE", "pipe.rla", "frames.txt"})
        ASSERT_EQ(::mkfifo((work / name).c_str(), 0600), 0) << name;
    for (const char* picture : {"pipe.png", "pipe.tga"}) {
        expectRefused(std::string("rle ") + picture + " X.RLE", picture, "is a named pipe, not a regular file");
        expectRefused(std::string("rla X.RLA 0:0:") + picture, picture, "is a named pipe, not a regular file");
    }
    expectRefused("info pipe.RLE", "pipe.RLE", "is a named pipe, not a regular file");
    expectRefused("info pipe.rla", "pipe.rla", "is a named pipe, not a regular file");
    expectRefused("rla X.RLA --list frames.txt", "frames.txt", "is a named pipe, not a regular file");
    // Nor is a pipe waiting where the output goes.
    put("red.tga", makeTga(2, 24, 2, 2, tgaRows(2, 2, 24, grey)));
    expectRefused("rle red.tga pipe.RLE", "pipe.RLE", "is a named pipe, not a regular file");
    expectRefused("rla pipe.rla 0:0:red.tga", "pipe.rla", "is a named pipe, not a regular file");
    EXPECT_FALSE(fs::exists(work / "X.RLE"));
    EXPECT_FALSE(fs::exists(work / "X.RLA"));
}

TEST_F(SpriteToolInput, APictureTooBigForMemoryIsRefusedWithItsOwnSize)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory does not fit under an address-space limit";
#else
    // A run-length TGA of 65535 x 4096 pixels, all in runs of 128 repeats:
    // 8 MiB of file for a picture of 1 GiB, refused under a 512 MiB limit.
    Bytes runs;
    const size_t packets = (size_t(65535) * 4096 + 127) / 128;
    runs.reserve(packets * 4);
    for (size_t i = 0; i < packets; ++i)
        runs.insert(runs.end(), {0xFF, 10, 20, 30});
    put("wide.tga", makeTga(10, 24, 65535, 4096, runs));
    expectRefused("rle wide.tga X.RLE", "wide.tga", "not enough memory for a picture of 65535 x 4096",
                  "ulimit -v 524288 && ");
    EXPECT_FALSE(fs::exists(work / "X.RLE"));
#endif
}

TEST_F(SpriteToolInput, EmptyTruncatedAndLyingPicturesAreRefusedBeforeAllocating)
{
    const Bytes tga = makeTga(2, 24, 4, 3, tgaRows(4, 3, 24, grey));
    const Bytes bmp = makeBmp24(4, 3, grey);
    const Bytes png = pngOf(16, 16);
    struct Case {
        std::string name;
        Bytes bytes;
        std::string reason;
    } cases[] = {
        {"empty.png", {}, "empty file"},
        {"empty.tga", {}, "empty file"},
        {"short.tga", cut(tga, 10), "too short for a TGA header"},
        {"cut.tga", cut(tga, tga.size() - 1), "truncated"},
        {"cut.bmp", cut(bmp, bmp.size() - 13), "truncated"},
        {"cut.png", cut(png, png.size() / 2), "not a readable PNG file"},
        {"header.png", cut(png, 33), "not a readable PNG file"},
        // 65535 x 65535 declared in a file of a few dozen bytes.
        {"huge.png", withPngSize(png, 65535, 65535), "cannot fit in a file of"},
        {"huge.tga", makeTga(2, 32, 65535, 65535, Bytes(64, 0)), "truncated or damaged"},
        {"hugerle.tga", makeTga(10, 32, 65535, 65535, Bytes(64, 0)), "truncated or damaged"},
        {"huge.bmp", makeBmp24(1, 1, grey), "truncated"},
        // The ID field claims 200 bytes of a file that ends first.
        {"idpast.tga", makeTga(2, 24, 1, 1, Bytes(3, 0), 0, 0, 0, 200), "ID field"},
    };
    // huge.bmp: a 1 x 1 picture whose header says 60000 x 60000.
    for (int i = 0; i < 2; ++i)
        cases[10].bytes[18 + 4 * i] = 0x60, cases[10].bytes[19 + 4 * i] = 0xEA;
    for (const Case& c : cases) {
        put(c.name, c.bytes);
        expectRefused("rle " + c.name + " X.RLE", c.name, c.reason);
    }
    // A chunk after the header that claims 2 GiB: refused at once, not
    // checksummed byte by byte past the end of the file (which took minutes).
    Bytes lying = png;
    lying[33] = 0x7F, lying[34] = 0xFF, lying[35] = 0xFF, lying[36] = 0xF0;
    put("lying.png", lying);
    expectRefused("rle lying.png X.RLE", "lying.png", "a chunk of 2147483632 bytes runs past the end of the file");
    // A GIF's few bytes of header declare 20617 x 18254 pixels, which its
    // decoder would allocate (1.5 GB) before finding no image.
    Bytes gif = {'G', 'I', 'F', '8', '7', 'a', 0x89, 0x50, 0x4E, 0x47, 0, 0, 0};
    gif.resize(64, 0);
    put("huge.gif", gif);
    expectRefused("rle huge.gif X.RLE", "huge.gif", "size 20617 x 18254 out of range");
}

TEST_F(SpriteToolInput, AFileItsDecoderCrashesOnIsRefusedWithTheReason)
{
    // A damaged GIF on which SDL2_image 2.6.3 frees memory it never
    // allocated (found by the tool_readers fuzz target): the tool crashed.
    fs::copy_file(fs::path(VTLSPRITE_DATA_DIR) / "decoder-crash.gif", work / "damaged.gif");
    expectRefused("rle damaged.gif X.RLE", "damaged.gif",
                  "not a readable GIF file: its decoder (SDL2_image) failed on it");
    EXPECT_FALSE(fs::exists(work / "X.RLE"));
}

TEST_F(SpriteToolInput, FilesThatAreNoPictureSayWhatTheyAre)
{
    // Chosen by their bytes, not their names: a sound named .png is a sound.
    put("sound.png", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
    expectRefused("rle sound.png X.RLE", "sound.png", "not a picture: it is a WAVE sound");
    put("text.png", Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    expectRefused("rle text.png X.RLE", "text.png", "not a picture file the tools read");
    put("text.bmp", Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    expectRefused("rle text.bmp X.RLE", "text.bmp", "not a picture file the tools read");
    put("short.gif", Bytes{'G', 'I', 'F', '8', '9', 'a'});
    expectRefused("rle short.gif X.RLE", "short.gif", "not a readable GIF file");
    put("junk.RLE", Bytes(20, 0xFF));
    expectRefused("info junk.RLE", "junk.RLE", "past the end of the file");
    put("hero.png", pngOf(2, 2));
    expectRefused("info hero.png", "hero.png", "not an .rle or .rla file name (it is a PNG picture)");
}

TEST_F(SpriteToolInput, ATopFirstTgaIsConvertedWithAWarningAboutTheLibrary)
{
    Bytes tga = makeTga(2, 24, 2, 2, tgaRows(2, 2, 24, grey));
    tga[17] |= 0x20;
    put("topleft.tga", tga);
    const Outcome r = run("rle topleft.tga T.RLE");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err.rfind("vtlsprite: topleft.tga: warning: rows are stored top row first", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("would show upside down"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(work / "T.RLE"));
    // Stored bottom-up, the same picture converts silently.
    put("bottomup.tga", makeTga(2, 24, 2, 2, tgaRows(2, 2, 24, grey)));
    EXPECT_EQ(run("rle bottomup.tga B.RLE").err, "");
}
