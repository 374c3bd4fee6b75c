#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "support/image_files.h"
#include "support/message_capture.h"
#include "rle/rle_file_builder.h"

namespace {
// One run as the blitters see it.
struct Run {
    unsigned word;
    Bytes data;
};
using Row = std::vector<Run>;

// Splits an image's runs into rows, using the image's pixel size.
std::vector<Row> rowsOf(const RLEFX& image)
{
    std::vector<Row> rows;
    const unsigned char* p = image.runs;
    for (LONG y = 0; y < image.height; ++y) {
        Row row;
        for (;;) {
            const unsigned word = p[0] | p[1] << 8;
            p += 2;
            if (word == 0)
                break;
            const unsigned n = word & RLE_COUNT;
            size_t bytes = 0;
            if (!(word & RLE_SKIP))
                bytes = n * (image.bytesPerPixel + ((word & RLE_LEVEL) ? 1u : 0u));
            row.push_back({word, Bytes(p, p + bytes)});
            p += bytes;
        }
        rows.push_back(row);
    }
    return rows;
}

Bytes le16(unsigned v) { return {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)}; }

const DisplayFormat& rgb565 = kDisplayFormats[2];

class RleLoad {
public:
    RleLoad(const char* name, const Bytes& file, const DisplayFormat& f = rgb565)
    {
        archive.add(name, file).add("AFTER.BIN", Bytes(4096, 0x66));
        setDisplayFormat(handle, f);
        archive.openIn(handle);
        MessageCapture capture;
        ok = handle.create(&image, const_cast<char*>(name));
        messages = capture.text();
    }
    TestArchive archive;
    VTLHND handle;
    RLEFX image{};
    bool ok = false;
    std::string messages;
};

const Rgba kMagenta{255, 0, 255, 255};
} // namespace

TEST(RleBmp, TheTopLeftColourExactlyIsTransparent)
{
    // Top row: magenta, magenta, (254, 0, 255) which packs like magenta at
    // 5-6-5, magenta; bottom row: blue, magenta, blue.
    const Bytes bmp = makeBmp24(4, 2, [](int x, int y) {
        if (y == 0)
            return x == 2 ? Rgba{254, 0, 255, 255} : kMagenta;
        return x == 1 ? kMagenta : Rgba{0, 0, 255, 255};
    });
    RleLoad load("SPRITE.BMP", bmp);
    ASSERT_TRUE(load.ok) << load.messages;
    EXPECT_EQ(load.image.kind, RLE_KIND_BMP);
    EXPECT_EQ(load.image.fileSize, bmp.size());
    const unsigned nearMagenta = static_cast<unsigned>(load.handle.packColor(254, 0, 255));
    ASSERT_EQ(nearMagenta, load.handle.packColor(255, 0, 255));
    const auto rows = rowsOf(load.image);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 3u);
    EXPECT_EQ(rows[0][0].word, 0x8002u);
    EXPECT_EQ(rows[0][1].word, 1u);
    EXPECT_EQ(rows[0][1].data, le16(nearMagenta));
    EXPECT_EQ(rows[0][2].word, 0x8001u);
    ASSERT_EQ(rows[1].size(), 3u);
    EXPECT_EQ(rows[1][0].word, 1u);
    EXPECT_EQ(rows[1][0].data, le16(0x001F));
    EXPECT_EQ(rows[1][1].word, 0x8001u);
    EXPECT_EQ(rows[1][2].word, 2u);
    // Exactly the run bytes: three words per row, four 2-byte pixels, two row ends.
    EXPECT_EQ(rletest::blockSize(load.image.runs), 2u * 3 * 2 + 4 * 2 + 2 * 2);
}

TEST(RleBmp, RunsStopAt16383Pixels)
{
    const Bytes bmp = makeBmp24(20000, 2, [](int x, int y) {
        if (y == 0)
            return x == 0 ? kMagenta : Rgba{0, 128, 0, 255};
        return kMagenta;
    });
    RleLoad load("WIDE.BMP", bmp, kDisplayFormats[0] /* pal8 */);
    ASSERT_TRUE(load.ok) << load.messages;
    const auto rows = rowsOf(load.image);
    ASSERT_EQ(rows[0].size(), 3u);
    EXPECT_EQ(rows[0][0].word, 0x8001u) << "the one transparent pixel";
    EXPECT_EQ(rows[0][1].word, 16383u);
    EXPECT_EQ(rows[0][2].word, 19999u - 16383u);
    EXPECT_EQ(rows[0][2].data.size(), 3616u);
    ASSERT_EQ(rows[1].size(), 2u);
    EXPECT_EQ(rows[1][0].word, 0x8000u | 16383u);
    EXPECT_EQ(rows[1][1].word, 0x8000u | 3617u);
}

TEST(RleBmp, BadFilesLeaveTheImageEmpty)
{
    Bytes bmp = makeBmp24(2, 2, [](int, int) { return kMagenta; });
    bmp[1] = 'A';
    RleLoad load("BAD.BMP", bmp);
    EXPECT_FALSE(load.ok);
    EXPECT_EQ(load.messages, "Failed to load\r\n");
    EXPECT_EQ(load.image.runs, nullptr);
    EXPECT_EQ(load.handle.rleList, nullptr);

    // A file the archive does not hold: the registry's messages, then the
    // loader's refusal of the missing bytes.
    RleLoad missing("OTHER.BMP", makeBmp24(1, 1, [](int, int) { return kMagenta; }));
    MessageCapture capture;
    RLEFX image{};
    EXPECT_FALSE(missing.handle.create(&image, const_cast<char*>("NONE.BMP")));
    EXPECT_EQ(capture.text(), "FastFileOpen: File \"NONE.BMP\" not found.\r\nCannot Find File NONE.BMP\r\n"
                              "FastFileOpen: File \"NONE.BMP\" not found.\r\nCannot Find File NONE.BMP\r\n"
                              "Failed to load\r\n");
}

TEST(RleTga, AlphaDecidesSkipOpaqueAndLevelRuns)
{
    // Top row: alpha 0, 0, 255 (in the colour of the top-left pixel), 128;
    // bottom row: alpha 0 everywhere.
    auto pixel = [](int x, int y) {
        if (y == 1)
            return Rgba{9, 9, 9, 0};
        static const Rgba top[4] = {{200, 100, 50, 0}, {1, 2, 3, 0}, {200, 100, 50, 255}, {200, 100, 50, 128}};
        return top[x];
    };
    for (const DisplayFormat& f : kDisplayFormats) {
        RleLoad load("GLOW.TGA", makeTga(2, 32, 4, 2, tgaRows(4, 2, 32, pixel)), f);
        ASSERT_TRUE(load.ok) << f.name << load.messages;
        EXPECT_EQ(load.image.kind, RLE_KIND_TGA);
        const auto rows = rowsOf(load.image);
        ASSERT_EQ(rows[0].size(), 3u) << f.name;
        EXPECT_EQ(rows[0][0].word, 0x8002u);
        EXPECT_EQ(rows[0][1].word, 1u);
        EXPECT_EQ(rows[0][2].word, 0x4001u);
        const unsigned long full = load.handle.packColor(200, 100, 50);
        unsigned long faded;
        if (f.bits == 8)
            faded = Fade8[128][full & 0xFF];
        else if (f.bits == 16)
            faded = FadeLo[128][full & 0xFF] + FadeHi[128][(full >> 8) & 0xFF];
        else
            faded = load.handle.packColor(Scale8[128][200], Scale8[128][100], Scale8[128][50]);
        Bytes opaque, level{128};
        for (unsigned i = 0; i < f.bits / 8; ++i) {
            opaque.push_back(static_cast<unsigned char>(full >> (8 * i)));
            level.push_back(static_cast<unsigned char>(faded >> (8 * i)));
        }
        EXPECT_EQ(rows[0][1].data, opaque) << f.name;
        EXPECT_EQ(rows[0][2].data, level) << f.name;
        ASSERT_EQ(rows[1].size(), 1u);
        EXPECT_EQ(rows[1][0].word, 0x8004u);
    }
}

TEST(RleTga, TwentyFourBitsKeyTheTopLeftColour)
{
    // Width 3: rows of 9 bytes, no padding.
    auto pixel = [](int x, int y) { return (x + y) % 2 ? Rgba{10, 20, 30, 0} : Rgba{0, 0, 0, 0}; };
    RleLoad load("KEYED.TGA", makeTga(2, 24, 3, 2, tgaRows(3, 2, 24, pixel)));
    ASSERT_TRUE(load.ok) << load.messages;
    const auto rows = rowsOf(load.image);
    ASSERT_EQ(rows[0].size(), 3u);
    EXPECT_EQ(rows[0][0].word, 0x8001u);
    EXPECT_EQ(rows[0][1].word, 1u);
    EXPECT_EQ(rows[0][1].data, le16(static_cast<unsigned>(load.handle.packColor(10, 20, 30))));
    EXPECT_EQ(rows[0][2].word, 0x8001u);
    ASSERT_EQ(rows[1].size(), 3u);
    EXPECT_EQ(rows[1][0].word, 1u);
}

TEST(RleTga, TypesAndDepthsOutsideTheSubsetAreRefused)
{
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"run-length true colour", makeTga(10, 24, 1, 1, Bytes{0x80, 1, 2, 3})},
        {"index image", makeTga(1, 8, 1, 1, Bytes(769, 0), 1, 256, 24)},
        {"16 bits", makeTga(2, 16, 1, 1, Bytes{0, 0})},
        {"unknown type", makeTga(0, 24, 4, 4, Bytes{})},
        {"pixels cut short", makeTga(2, 32, 2, 2, Bytes(15, 0))},
        {"header only", Bytes(12, 0)},
    };
    for (const Case& c : cases) {
        RleLoad load("PIC.TGA", c.file);
        EXPECT_FALSE(load.ok) << c.what;
        EXPECT_EQ(load.messages, "Failed to load\r\n") << c.what;
        EXPECT_EQ(load.image.runs, nullptr) << c.what;
    }
}

TEST(RleFile, DecodesWithAnExactBufferAndKindThree)
{
    const Bytes file = rletest::RleFile(3, 1).skip(1).opaque({{255, 0, 0}, {0, 0, 255}}).endRow().build();
    RleLoad load("HERO.RLE", file);
    ASSERT_TRUE(load.ok) << load.messages;
    EXPECT_EQ(load.image.kind, RLE_KIND_RLE);
    // (2 - 3) bytes for each of the 2 stored pixels, plus the file's length.
    EXPECT_EQ(rletest::blockSize(load.image.runs), file.size() - 2);
    const auto rows = rowsOf(load.image);
    ASSERT_EQ(rows[0].size(), 2u);
    EXPECT_EQ(rows[0][1].data, (Bytes{0x00, 0xF8, 0x1F, 0x00}));

    // Runs that claim bytes the entry does not hold are refused, even though
    // the archive holds more bytes after the entry.
    Bytes cut = file;
    cut.resize(cut.size() - 3);
    RleLoad bad("CUT.RLE", cut);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.image.runs, nullptr);
}
