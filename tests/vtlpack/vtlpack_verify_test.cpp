// vtlpack verify as a game developer uses it: every image and sound entry
// goes through the library's own loaders on each display depth, and each
// refusal comes with the cause and what to do, instead of the library's
// fixed "Failed to load".
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {
std::string le(uint32_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char(v >> (8 * i));
    return out;
}

std::string bmp(unsigned bits, int width, int height)
{
    const uint32_t stride = (uint32_t(width) * bits / 8 + 3) & ~3u;
    std::string f = "BM" + le(54 + stride * height, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(width, 4) +
                    le(height, 4) + le(1, 2) + le(bits, 2) + std::string(24, '\0');
    return f + std::string(stride * height, '\x40');
}

std::string tga(unsigned type, unsigned depth, int width, int height, const std::string& body, unsigned descriptor = 0)
{
    return std::string(2, '\0') + char(type) + std::string(9, '\0') + le(width, 2) + le(height, 2) + char(depth) +
           char(descriptor) + body;
}

std::string wav(unsigned tag, unsigned channels, unsigned bits, uint32_t dataBytes)
{
    const unsigned align = channels * bits / 8;
    const std::string fmt = le(tag, 2) + le(channels, 2) + le(22050, 4) + le(22050 * align, 4) + le(align, 2) +
                            le(bits, 2);
    const std::string data(dataBytes, '\x10');
    return "RIFF" + le(4 + 8 + 16 + 8 + dataBytes, 4) + "WAVE" + "fmt " + le(16, 4) + fmt + "data" +
           le(dataBytes, 4) + data;
}

// One row of `n` opaque pixels whose header counts `declared` stored pixels.
std::string rle(unsigned n, uint32_t declared)
{
    return le(n, 2) + le(1, 2) + le(declared, 4) + std::string(7, '\0') + le(n, 2) + std::string(3 * n, '\x7f') +
           le(0, 2);
}

struct Outcome {
    int code;
    std::string out, err;
};

class VtlpackVerify : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = fs::path(VTLPACK_WORK_DIR) / "verify" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(work);
        fs::create_directories(work / "in");
    }
    void file(const std::string& name, const std::string& content)
    {
        std::ofstream(work / "in" / name, std::ios::binary) << content;
    }
    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    Outcome vtlpack(const std::string& arguments)
    {
        const std::string command = "cd '" + work.string() + "' && '" VTLPACK_TOOL "' " + arguments +
                                    " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(work / "stdout.txt"), slurp(work / "stderr.txt")};
    }
    // The line verify printed about `entry`.
    static std::string lineAbout(const std::string& out, const std::string& entry)
    {
        const size_t at = out.find(entry + ": ");
        return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
    }
    fs::path work;
};
} // namespace

TEST_F(VtlpackVerify, EachEntrySaysHowItLoadsOrWhyNot)
{
    file("GOOD.BMP", bmp(24, 3, 2));
    file("PACKED.TGA", tga(10, 24, 2, 1, std::string("\x81\x01\x02\x03", 4)));
    file("NOTES.TXT", "read with FastFile");
    ASSERT_EQ(vtlpack("create game.vtl in").code, 0);
    const Outcome r = vtlpack("verify game.vtl");
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(lineAbout(r.out, "GOOD.BMP"),
              "GOOD.BMP: loads as a surface, an RLE image and an alpha map at 8, 16, 24 and 32 bits");
    // A run-length TGA is a surface, but no RLE image: said, not failed.
    const std::string packed = lineAbout(r.out, "PACKED.TGA");
    EXPECT_EQ(packed.rfind("PACKED.TGA: loads as a surface at 8, 16, 24 and 32 bits; refused as an RLE image: it is "
                           "a run-length true colour (type 10) TGA of 24 bits; RLE images",
                           0),
              0u)
        << packed;
    EXPECT_NE(packed.find("convert it with vtlsprite rle"), std::string::npos) << packed;
    EXPECT_NE(lineAbout(r.out, "NOTES.TXT").find("not an image or sound"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("game.vtl: OK, 3 entries"), std::string::npos) << r.out;
}

TEST_F(VtlpackVerify, AnEntryNoLoaderTakesFailsWithTheCause)
{
    file("EIGHT.BMP", bmp(8, 4, 4));
    file("DEEP.WAV", wav(1, 2, 24, 60));
    file("MULAW.WAV", wav(7, 1, 8, 10));
    file("SIX.WAV", wav(1, 6, 16, 24));
    file("PLAIN.WAV", wav(1, 2, 16, 40));
    file("CUT.TGA", tga(2, 32, 4, 4, std::string(20, '\0')));
    // create refuses such pictures; --keep packs them for verify to explain.
    ASSERT_EQ(vtlpack("create game.vtl in").code, 1);
    ASSERT_EQ(vtlpack("create --keep game.vtl in").code, 0);
    const Outcome r = vtlpack("verify game.vtl");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(lineAbout(r.out, "EIGHT.BMP").find("refused as a surface, an RLE image and an alpha map: it has 8 bits "
                                                 "per pixel; the library reads only 24-bit BMP files: save it as "
                                                 "24-bit"),
              std::string::npos)
        << r.out;
    EXPECT_NE(lineAbout(r.out, "DEEP.WAV").find("refused as a sound: it holds 24-bit PCM; the library plays 8- and "
                                                "16-bit PCM"),
              std::string::npos)
        << r.out;
    EXPECT_NE(lineAbout(r.out, "MULAW.WAV").find("mu-law"), std::string::npos) << r.out;
    EXPECT_NE(lineAbout(r.out, "SIX.WAV").find("it has 6 channels; the library plays mono and stereo"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(lineAbout(r.out, "PLAIN.WAV"), "PLAIN.WAV: loads as a sound");
    EXPECT_NE(lineAbout(r.out, "CUT.TGA").find("need 64 bytes, the file holds 20 after the header: it is cut short"),
              std::string::npos)
        << r.out;
    for (const char* bad : {"EIGHT.BMP", "DEEP.WAV", "MULAW.WAV", "SIX.WAV", "CUT.TGA"})
        EXPECT_NE(r.err.find(std::string("vtlpack: ") + bad + ": the library cannot load it"), std::string::npos)
            << bad << "\n" << r.err;
    EXPECT_NE(r.out.find("game.vtl: 5 problems"), std::string::npos) << r.out;
}

TEST_F(VtlpackVerify, AnRleThatUndercountsItsPixelsIsRefusedOnlyWhereItsBufferIsTooSmall)
{
    // 20 opaque pixels in the rows, 0 in the header: the run buffer sized
    // from the header holds them in 8, 16 and 24 bits, not in 32.
    file("UNDER.RLE", rle(20, 0));
    const Outcome r = vtlpack("verify in/UNDER.RLE");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "in/UNDER.RLE: refused as an RLE image at 32 bits: it stores 20 pixels in its rows but counts 0 "
                     "in its header; the library sizes the image from the header, which at 32 bits is too small: "
                     "write the file again with vtlsprite\n");
    file("RIGHT.RLE", rle(20, 20));
    EXPECT_EQ(vtlpack("verify in/RIGHT.RLE").out, "in/RIGHT.RLE: loads as an RLE image at 8, 16, 24 and 32 bits\n");
}

TEST_F(VtlpackVerify, ALooseTopFirstTgaLoadsButIsSaidToShowUpsideDown)
{
    file("hero.tga", tga(2, 24, 1, 1, "abc", 0x20));
    const Outcome r = vtlpack("verify in/hero.tga in/missing.bmp");
    EXPECT_EQ(r.code, 1) << "the missing file fails the run";
    EXPECT_NE(r.out.find("in/hero.tga: loads as a surface and an RLE image at 8, 16, 24 and 32 bits; as a surface: "
                         "its rows are stored top row first"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.err, "vtlpack: in/missing.bmp: No such file or directory\n");
}

TEST_F(VtlpackVerify, AnRlaIsExplainedByTheFirstFrameItsLoaderRefuses)
{
    const std::string good = rle(2, 2), cut = good.substr(0, good.size() - 2);
    auto frame = [](const std::string& image) { return le(uint32_t(image.size()), 4) + le(1, 2) + le(0, 2) + image; };
    file("WALK.RLA", le(2, 2) + frame(good) + frame(cut));
    const Outcome r = vtlpack("verify in/WALK.RLA");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "in/WALK.RLA: refused as a frame set: frame 1's image ends in row 0 of 1: it is cut short\n");
}

TEST_F(VtlpackVerify, ARefusalNamesTheFilesOwnNumbers)
{
    const std::string whole = bmp(24, 4, 4);
    file("SHORT.BMP", whole.substr(0, whole.size() - 10));
    // An 8-bit index image whose map has 128 entries of 16 bits from index 5.
    file("MAP.TGA", std::string("\0\1\1", 3) + le(5, 2) + le(128, 2) + char(16) + std::string(4, '\0') + le(1, 2) +
                        le(1, 2) + char(8) + char(0) + std::string(256, '\0'));
    file("RUNS.TGA", tga(10, 24, 4, 1, std::string("\x81\x01\x02\x03", 4)));
    file("WIDE.RLE", le(2, 2) + le(1, 2) + le(3, 4) + std::string(7, '\0') + le(3, 2) + std::string(9, '\x7f') +
                         le(0, 2));
    const Outcome r = vtlpack("verify in/SHORT.BMP in/MAP.TGA in/RUNS.TGA in/WIDE.RLE");
    EXPECT_EQ(r.code, 1);
    for (const char* said : {"in/SHORT.BMP: refused as a surface, an RLE image and an alpha map: its pixels need 102 "
                             "bytes, the file holds 92: it is cut short",
                             "in/MAP.TGA: refused as a surface and an RLE image: its colour map has 128 entries of "
                             "16 bits from index 5",
                             "in/RUNS.TGA: refused as a surface: its run-length packets end after 2 of 4 pixels",
                             "in/WIDE.RLE: refused as an RLE image: it has more than 2 pixels in row 0"})
        EXPECT_NE(r.out.find(said), std::string::npos) << said << "\n" << r.out;

    // Two entries, the first starting inside the directory.
    std::string archive = le(2, 4) + le(10, 4) + "A.BIN" + std::string(8, '\0') + le(40, 4) + std::string(13, '\0');
    std::ofstream(work / "inside.vtl", std::ios::binary) << archive + "ab";
    EXPECT_EQ(vtlpack("verify inside.vtl").err, "vtlpack: inside.vtl: entry 1 starts at 10, before the end of the "
                                                "directory (38): the directory is damaged (FastFileInit: invalid "
                                                "archive)\n");
}
